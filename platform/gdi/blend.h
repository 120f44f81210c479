// Writing into R5G6B5 pixels: solid fills and coverage blends in integer
// arithmetic, all clipped to a box the caller has already cut to the surface.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "platform/gdi/font_cache.h"
#include "platform/gdi/surface_dc.h"

namespace platform::gdi {

// A pixel box, right and bottom exclusive, wide enough that no position arithmetic overflows.
struct ClipBox {
    long long left, top, right, bottom;
    bool Empty() const { return left >= right || top >= bottom; }
};

inline ClipBox Intersect(const ClipBox& a, const ClipBox& b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
}

inline ClipBox SurfaceBox(const PixelTarget& target) { return {0, 0, target.width, target.height}; }

inline std::uint16_t* PixelAt(const PixelTarget& target, long long x, long long y) {
    return target.pixels + y * target.pitch + x;
}

// Fills n pixels with one colour, eight bytes at a time (a plain loop over 16-bit stores is
// several times slower); white and black, whose two bytes agree, go to memset.
inline void FillRow(std::uint16_t* pixel, long long n, std::uint16_t colour) {
    if ((colour >> 8) == (colour & 0xFF)) {
        std::memset(pixel, colour & 0xFF, static_cast<std::size_t>(n) * sizeof(std::uint16_t));
        return;
    }
    const std::uint64_t four = colour * 0x0001000100010001ull;
    for (; n > 0 && (reinterpret_cast<std::uintptr_t>(pixel) & 7) != 0; --n) {
        *pixel++ = colour;
    }
    for (; n >= 4; n -= 4, pixel += 4) {
        std::memcpy(pixel, &four, sizeof four);
    }
    for (; n > 0; --n) {
        *pixel++ = colour;
    }
}

// Fills a box that lies inside the surface.
inline void FillBox(const PixelTarget& target, const ClipBox& box, std::uint16_t colour) {
    if (box.Empty()) {
        return;
    }
    for (long long y = box.top; y < box.bottom; ++y) {
        FillRow(PixelAt(target, box.left, y), box.right - box.left, colour);
    }
}

// R5G6B5 spread so each channel has room to be multiplied by a weight of up to 32:
// green moves to bits 21..26, red and blue stay, leaving gaps above each.
constexpr std::uint32_t kSpreadMask = 0x07E0F81Fu;
inline std::uint32_t Spread(std::uint16_t pixel) { return (pixel | (static_cast<std::uint32_t>(pixel) << 16)) & kSpreadMask; }
inline std::uint16_t Unspread(std::uint32_t value) {
    return static_cast<std::uint16_t>((value & 0xF81Fu) | ((value >> 16) & 0x07E0u));
}

// Draws a glyph with its top-left corner at (x, y), the colour weighted by its coverage.
// A weight of 0 leaves the pixel exactly as it was; full weight writes the colour exactly.
inline void BlendGlyph(const PixelTarget& target, const GlyphBitmap& glyph, long long x, long long y,
                       const ClipBox& clip, std::uint16_t colour) {
    const ClipBox box = Intersect(clip, {x, y, x + glyph.width, y + glyph.rows});
    if (box.Empty()) {
        return;
    }
    const std::uint32_t source = Spread(colour);
    for (long long row = box.top; row < box.bottom; ++row) {
        const std::uint8_t* alpha = glyph.alpha.data() + (row - y) * glyph.width + (box.left - x);
        std::uint16_t* pixel = PixelAt(target, box.left, row);
        for (long long n = box.right - box.left; n > 0; --n, ++alpha, ++pixel) {
            const std::uint32_t a = *alpha;
            if (a == 0) {
                continue;
            }
            if (a == kGlyphAlphaFull) {
                *pixel = colour;
                continue;
            }
            const std::uint32_t mixed = (source * a + Spread(*pixel) * (kGlyphAlphaFull - a)) >> 5;
            *pixel = Unspread(mixed & kSpreadMask);
        }
    }
}

}  // namespace platform::gdi
