// A small R5G6B5 surface with a DC on it for the GDI tests. The rows are padded
// past the width and guard rows sit above and below, all holding a sentinel, so
// any write outside the surface shows up even without the address sanitizer.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/gdi/surface_dc.h"
#include "platform/wingdi.h"

namespace gditest {

constexpr std::uint16_t kSentinel = 0xBEEF;
constexpr int kPadding = 5;
constexpr int kGuardRows = 2;

struct Canvas {
    int width;
    int height;
    std::vector<std::uint16_t> memory;
    HDC dc = nullptr;

    Canvas(int w, int h, std::uint16_t fill = 0xFFFF)
        : width(w), height(h), memory(static_cast<std::size_t>((w + kPadding) * (h + 2 * kGuardRows)), kSentinel) {
        Fill(fill);
        dc = platform::CreateSurfaceDC(Target());
    }
    ~Canvas() { platform::DeleteSurfaceDC(dc); }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    int Pitch() const { return width + kPadding; }
    std::uint16_t* Origin() { return memory.data() + kGuardRows * Pitch(); }
    platform::PixelTarget Target() { return {Origin(), width, height, Pitch()}; }
    std::uint16_t& At(int x, int y) { return Origin()[y * Pitch() + x]; }

    void Fill(std::uint16_t value) {
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                At(x, y) = value;
            }
        }
    }
    // Fills with a pattern that differs from pixel to pixel, so any change is seen.
    void FillPattern() {
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                At(x, y) = static_cast<std::uint16_t>(0x5A5A ^ (x * 31 + y * 977));
            }
        }
    }
    bool GuardsIntact() const {
        for (std::size_t i = 0; i < memory.size(); ++i) {
            const long row = static_cast<long>(i) / Pitch() - kGuardRows;
            const long column = static_cast<long>(i) % Pitch();
            const bool inside = row >= 0 && row < height && column < width;
            if (!inside && memory[i] != kSentinel) {
                return false;
            }
        }
        return true;
    }
};

// The bounding box of the pixels that differ between two canvases of one size; empty (right <=
// left) when none differ.
inline RECT ChangedBox(Canvas& a, Canvas& b) {
    RECT box{a.width, a.height, 0, 0};
    for (int y = 0; y < a.height; ++y) {
        for (int x = 0; x < a.width; ++x) {
            if (a.At(x, y) != b.At(x, y)) {
                box.left = x < box.left ? x : box.left;
                box.top = y < box.top ? y : box.top;
                box.right = x + 1 > box.right ? x + 1 : box.right;
                box.bottom = y + 1 > box.bottom ? y + 1 : box.bottom;
            }
        }
    }
    return box;
}

// The tool's font: fixed pitch, modern family, no face name.
inline HFONT MakeToolFont(int height, int width, int weight) {
    return CreateFontA(height, width, 0, 0, weight, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_TT_ONLY_PRECIS,
                       CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, FIXED_PITCH | FF_MODERN, nullptr);
}

}  // namespace gditest
