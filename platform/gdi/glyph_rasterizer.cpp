#include "platform/gdi/glyph_rasterizer.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/gdi/face_entry.h"

#include FT_OUTLINE_H

namespace platform::gdi {

namespace {

// Glyphs are rasterised up to this em size in pixels; one glyph of it is already megabytes.
constexpr double kMaxRasterEm = 2048.0;

FT_F26Dot6 ToF26Dot6(double pixels) {
    const long value = std::lround(pixels * 64.0);
    return value < 64 ? 64 : value;
}

// Sets the face to the size's two em sizes. FreeType may round the scale it really uses (some
// faces ask for whole-pixel ems); a small transform then brings the outline back to the exact em,
// so the ink always matches the advances the text is laid out with.
bool ApplySize(FaceEntry& entry, const SizeMetrics& size) {
    FT_Face face = entry.face;
    if (FT_Set_Char_Size(face, ToF26Dot6(size.emX), ToF26Dot6(size.emY), 72, 72) != 0) {
        return false;
    }
    const double unitsPerEm = face->units_per_EM > 0 ? face->units_per_EM : 2048;
    const double actualX = face->size->metrics.x_scale / 65536.0 * unitsPerEm / 64.0;
    const double actualY = face->size->metrics.y_scale / 65536.0 * unitsPerEm / 64.0;
    const double fixX = actualX > 0 ? size.emX / actualX : 1.0;
    const double fixY = actualY > 0 ? size.emY / actualY : 1.0;
    if (std::abs(fixX - 1.0) > 0.002 || std::abs(fixY - 1.0) > 0.002) {
        FT_Matrix matrix{static_cast<FT_Fixed>(std::lround(fixX * 65536.0)), 0, 0,
                         static_cast<FT_Fixed>(std::lround(fixY * 65536.0))};
        FT_Set_Transform(face, &matrix, nullptr);
    } else {
        FT_Set_Transform(face, nullptr, nullptr);
    }
    return true;
}

// Grey coverage 0..255 to a blend weight 0..kGlyphAlphaFull, rounded, so only full coverage
// gives the text colour exactly and only zero coverage leaves a pixel alone.
std::uint8_t CoverageToAlpha(unsigned coverage) {
    return static_cast<std::uint8_t>((coverage * kGlyphAlphaFull + 127) / 255);
}

}  // namespace

bool RasterizeGlyph(FaceEntry& entry, std::uint64_t serial, const SizeMetrics& size, bool embolden,
                    unsigned glyphIndex, GlyphBitmap& out) {
    out = GlyphBitmap{};
    if (size.emX > kMaxRasterEm || size.emY > kMaxRasterEm) {
        return false;  // far beyond any screen: measured, never drawn
    }
    if (entry.activeSerial != serial) {
        entry.activeSerial = 0;
        if (!ApplySize(entry, size)) {
            return false;
        }
        entry.activeSerial = serial;
    }
    FT_Face face = entry.face;
    // Light hinting snaps only vertically: crisp baselines and x-heights, shapes kept.
    if (FT_Load_Glyph(face, glyphIndex, FT_LOAD_TARGET_LIGHT | FT_LOAD_NO_BITMAP) != 0) {
        return false;
    }
    if (embolden && face->glyph->format == FT_GLYPH_FORMAT_OUTLINE) {
        // About what a bold cut adds to the stems: a 24th of the em, at least one pixel, spread
        // evenly over both sides of each stem; heights grow by half as much.
        const FT_Pos strength = std::max<FT_Pos>(64, std::lround(size.emY * 64.0 / 24.0));
        FT_Outline_EmboldenXY(&face->glyph->outline, strength, strength / 2);
    }
    if (FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL) != 0) {
        return false;
    }
    const FT_Bitmap& bitmap = face->glyph->bitmap;
    out.left = face->glyph->bitmap_left;
    out.top = face->glyph->bitmap_top;
    out.width = static_cast<int>(bitmap.width);
    out.rows = static_cast<int>(bitmap.rows);
    out.alpha.assign(static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.rows), 0);
    for (int row = 0; row < out.rows; ++row) {
        const unsigned char* source = bitmap.buffer + static_cast<long>(row) * bitmap.pitch;
        std::uint8_t* target = out.alpha.data() + static_cast<std::size_t>(row) * static_cast<std::size_t>(out.width);
        for (int column = 0; column < out.width; ++column) {
            unsigned coverage = 0;
            if (bitmap.pixel_mode == FT_PIXEL_MODE_GRAY) {
                coverage = source[column] * 255u / (bitmap.num_grays > 1 ? bitmap.num_grays - 1u : 255u);
            } else if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
                coverage = (source[column >> 3] & (0x80u >> (column & 7))) != 0 ? 255u : 0u;
            }
            target[column] = CoverageToAlpha(coverage);
        }
    }
    return true;
}

}  // namespace platform::gdi
