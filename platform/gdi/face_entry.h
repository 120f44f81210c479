// A loaded face file and what is read from its tables once. Private to the
// GDI text code: the only header of it that names FreeType types.
#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

#include <array>
#include <cstdint>
#include <string>

#include "platform/gdi/font_metrics.h"

namespace platform::gdi {

struct FaceEntry {
    FT_Face face = nullptr;
    std::string file;
    int index = 0;
    FaceTables tables{};
    int weightClass = 400;  // OS/2 usWeightClass
    // Per single-byte character (Windows-1252): the glyph, its hmtx advance, and whether it is a
    // control character, which takes no room and is never drawn.
    std::array<unsigned, 256> glyphIndex{};
    std::array<int, 256> advanceUnits{};
    std::array<bool, 256> control{};
    // Which size FT_Face currently carries (a FontInstance serial), so sizes are set only on change.
    std::uint64_t activeSerial = 0;
};

}  // namespace platform::gdi
