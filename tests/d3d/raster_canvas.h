// A small R5G6B5 picture for rasterizer tests: rows are padded past the width with a sentinel,
// so a write outside the target (or a wrong pitch) shows up as a changed sentinel.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/d3d/rasterizer.h"

namespace d3dtest {

constexpr std::uint16_t kSentinel = 0xBEEF;
constexpr int kPadding = 3;

struct Canvas {
    int width;
    int height;
    std::vector<std::uint16_t> pixels;

    Canvas(int w, int h) : width(w), height(h), pixels(static_cast<std::size_t>((w + kPadding) * h), kSentinel) {
        Fill(0);
    }
    int Pitch() const { return width + kPadding; }
    platform::RasterTarget Target() { return {pixels.data(), width, height, Pitch()}; }
    std::uint16_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y * Pitch() + x)]; }
    void Fill(std::uint16_t value) {
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                pixels[static_cast<std::size_t>(y * Pitch() + x)] = value;
            }
        }
    }
    bool PaddingIntact() const {
        for (int y = 0; y < height; ++y) {
            for (int x = width; x < Pitch(); ++x) {
                if (At(x, y) != kSentinel) {
                    return false;
                }
            }
        }
        return true;
    }
};

}  // namespace d3dtest
