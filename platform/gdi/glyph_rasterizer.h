// One glyph of a face at a size, rasterised by FreeType with grey-level
// anti-aliasing into blend weights.
#pragma once

#include <cstdint>

#include "platform/gdi/font_cache.h"

namespace platform::gdi {

// Fills `out` for the glyph at the em sizes of `size`; `serial` names that size so the face is
// re-sized only when it changes; `embolden` thickens the outline. Returns false (and leaves `out` empty) when FreeType fails.
bool RasterizeGlyph(FaceEntry& face, std::uint64_t serial, const SizeMetrics& size, bool embolden,
                    unsigned glyphIndex, GlyphBitmap& out);

}  // namespace platform::gdi
