// Fonts at a size, ready to measure and draw: faces loaded once, sizes kept
// while in use and a few more, glyph bitmaps rasterised on first use. The
// tool creates and deletes its fonts every frame, so all of this outlives them.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gdi/font_mapper.h"
#include "platform/gdi/font_metrics.h"

namespace platform::gdi {

struct FaceEntry;

// One glyph's coverage as blend weights 0 (untouched) to kGlyphAlphaFull (text colour exactly).
constexpr std::uint8_t kGlyphAlphaFull = 32;
struct GlyphBitmap {
    int left = 0;   // from the pen position to the first column
    int top = 0;    // from the baseline up to the first row
    int width = 0;
    int rows = 0;
    std::vector<std::uint8_t> alpha;  // width * rows
};

class FontInstance {
public:
    // emboldened: a bold request answered by a lighter face; its outlines are thickened, the
    // advances kept, so measuring stays exactly as the face's tables say.
    FontInstance(FaceEntry* face, const SizeMetrics& metrics, bool emboldened);

    const SizeMetrics& Metrics() const { return metrics_; }
    // Whole-pixel advance of a single-byte character; 0 for control characters.
    int Advance(unsigned char c) const { return advance_[c]; }
    // Sum of the advances.
    long long MeasureWidth(std::string_view text) const;
    // The glyph of a character, rasterised on first use; an empty bitmap when there is nothing to
    // draw or FreeType failed.
    const GlyphBitmap& Glyph(unsigned char c);
    // The face's weight class, or bold when emboldened.
    int FaceWeight() const;
    const std::string& FaceFile() const;

private:
    FaceEntry* face_;
    SizeMetrics metrics_;
    std::uint64_t serial_;
    bool emboldened_;
    std::array<int, 256> advance_{};
    std::array<bool, 256> loaded_{};
    std::array<GlyphBitmap, 256> glyphs_{};
};

// The face answering `request` at a logical height and width. Null, with `reason` set, when no
// face can be found or loaded.
std::shared_ptr<FontInstance> AcquireFontInstance(const FontRequest& request, int height, int width,
                                                  std::string& reason);

}  // namespace platform::gdi
