// Pixel formats: D3DCOLOR and COLORREF to R5G6B5 by rounding, and R5G6B5 back
// to 8-bit channels by bit replication (so a test tool's white stays white).
#pragma once

#include <cstdint>

namespace platform {

// One channel from 8 bits to `bits` bits, rounded: (v * max + 127) / 255.
constexpr std::uint32_t NarrowChannel(std::uint32_t value, std::uint32_t maxValue) {
    return (value * maxValue + 127) / 255;
}

// D3DCOLOR 0xAARRGGBB to R5G6B5; alpha is ignored.
constexpr std::uint16_t D3DColorToR5G6B5(std::uint32_t colour) {
    const std::uint32_t r = (colour >> 16) & 0xff, g = (colour >> 8) & 0xff, b = colour & 0xff;
    return static_cast<std::uint16_t>((NarrowChannel(r, 31) << 11) | (NarrowChannel(g, 63) << 5) | NarrowChannel(b, 31));
}

// COLORREF 0x00BBGGRR to R5G6B5.
constexpr std::uint16_t ColorRefToR5G6B5(std::uint32_t colour) {
    const std::uint32_t r = colour & 0xff, g = (colour >> 8) & 0xff, b = (colour >> 16) & 0xff;
    return static_cast<std::uint16_t>((NarrowChannel(r, 31) << 11) | (NarrowChannel(g, 63) << 5) | NarrowChannel(b, 31));
}

struct Rgb8 {
    std::uint8_t r, g, b;
};

// R5G6B5 to 8-bit channels by bit replication.
constexpr Rgb8 ExpandR5G6B5(std::uint16_t pixel) {
    const std::uint32_t r5 = (pixel >> 11) & 0x1f, g6 = (pixel >> 5) & 0x3f, b5 = pixel & 0x1f;
    return Rgb8{static_cast<std::uint8_t>((r5 << 3) | (r5 >> 2)), static_cast<std::uint8_t>((g6 << 2) | (g6 >> 4)),
                static_cast<std::uint8_t>((b5 << 3) | (b5 >> 2))};
}

// A whole picture to packed RGB (3 bytes a pixel, rows without padding). pitch is in pixels.
void ExpandPictureToRgb(const std::uint16_t* pixels, int width, int height, int pitch, std::uint8_t* rgb);

}  // namespace platform
