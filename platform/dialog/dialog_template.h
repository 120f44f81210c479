// Reading an extended dialog template (DLGTEMPLATEEX followed by its
// DLGITEMTEMPLATEEX items) from resource bytes. Every read is bounds-checked:
// a short or malformed template is refused, never read past its end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace platform::dialog {

// A class or resource named either by a string or by a 16-bit ordinal.
struct NameOrOrdinal {
    bool isOrdinal = false;
    std::uint16_t ordinal = 0;
    std::string name;  // UTF-16 narrowed: code units above 0xFF become '?'
    bool empty() const { return !isOrdinal && name.empty(); }
};

struct DialogItemTemplate {
    std::uint32_t helpId = 0;
    std::uint32_t exStyle = 0;
    std::uint32_t style = 0;
    std::int16_t x = 0, y = 0, cx = 0, cy = 0;  // dialog units
    std::int32_t id = 0;
    NameOrOrdinal windowClass;  // ordinals 0x80 button, 0x81 edit, 0x82 static, 0x83 list box ...
    NameOrOrdinal title;
    std::vector<std::uint8_t> creationData;
};

struct DialogTemplate {
    std::uint32_t helpId = 0;
    std::uint32_t exStyle = 0;
    std::uint32_t style = 0;
    std::int16_t x = 0, y = 0, cx = 0, cy = 0;  // dialog units; cx and cy size the client area
    NameOrOrdinal menu;
    NameOrOrdinal windowClass;  // empty: the standard dialog class
    std::string title;
    bool hasFont = false;  // DS_SETFONT: the five font fields below were present
    std::uint16_t pointSize = 0;
    std::uint16_t weight = 0;
    std::uint8_t italic = 0;
    std::uint8_t charset = 0;
    std::string typeface;
    std::vector<DialogItemTemplate> items;
};

// Parses the bytes; returns false (and leaves *out unspecified) for anything that is not a
// complete extended template: wrong version or signature, a field or string running past the end.
bool ParseDialogTemplate(const std::uint8_t* data, std::size_t size, DialogTemplate* out);

}  // namespace platform::dialog
