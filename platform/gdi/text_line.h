// One line of text in a DC's font: its width, and drawing it at a point with
// the background box, glyphs and underlines clipped to a box.
#pragma once

#include <string_view>

#include "platform/gdi/blend.h"
#include "platform/gdi/gdi_objects.h"

namespace platform::gdi {

// Calls visit(character, underlined) for each character that shows. With prefixes, "&x" shows x
// underlined, "&&" shows "&", and a final lone "&" shows nothing.
template <typename Visit>
void ForEachShownCharacter(std::string_view text, bool prefixes, Visit visit) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (prefixes && c == '&') {
            if (++i == text.size()) {
                break;
            }
            const auto next = static_cast<unsigned char>(text[i]);
            visit(next, next != '&');
            continue;
        }
        visit(c, false);
    }
}

long long MeasureLine(const FontInstance& font, std::string_view text, bool prefixes);

struct LineStyle {
    bool prefixes = false;   // DrawTextA without DT_NOPREFIX
    bool underline = false;  // the logical font's own underline and strike-out
    bool strikeOut = false;
};

// Draws the line with the top-left corner of its cell at (x, y): in OPAQUE mode the cell box is
// filled with the background colour first; glyphs are blended in the text colour.
void DrawLine(const DeviceContext& dc, FontInstance& font, const LineStyle& style, std::string_view text,
              long long x, long long y, const ClipBox& clip);

}  // namespace platform::gdi
