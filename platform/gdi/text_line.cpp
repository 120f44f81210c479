#include "platform/gdi/text_line.h"

#include "platform/core/pixels.h"

namespace platform::gdi {

long long MeasureLine(const FontInstance& font, std::string_view text, bool prefixes) {
    if (!prefixes) {
        return font.MeasureWidth(text);
    }
    long long width = 0;
    ForEachShownCharacter(text, true, [&](unsigned char c, bool) { width += font.Advance(c); });
    return width;
}

void DrawLine(const DeviceContext& dc, FontInstance& font, const LineStyle& style, std::string_view text,
              long long x, long long y, const ClipBox& clipIn) {
    const bool prefixes = style.prefixes;
    const ClipBox clip = Intersect(clipIn, SurfaceBox(dc.target));
    const SizeMetrics& metrics = font.Metrics();
    const long long width = MeasureLine(font, text, prefixes);
    const ClipBox cell{x, y, x + width, y + metrics.cell};
    // Glyph ink may reach a little outside the cell (accents, italic overhang); allow for it
    // before deciding the whole line is out of sight.
    const long long slack = metrics.cell;
    if (Intersect(clip, {cell.left - slack, cell.top - slack, cell.right + slack, cell.bottom + slack}).Empty()) {
        return;
    }
    if (dc.bkMode == OPAQUE) {
        FillBox(dc.target, Intersect(clip, cell), ColorRefToR5G6B5(dc.bkColour));
    }
    const std::uint16_t colour = ColorRefToR5G6B5(dc.textColour);
    const long long baseline = y + metrics.ascent;
    long long pen = x;
    ForEachShownCharacter(text, prefixes, [&](unsigned char c, bool underlined) {
        const int advance = font.Advance(c);
        if (pen + advance + slack >= clip.left && pen - slack < clip.right) {
            const GlyphBitmap& glyph = font.Glyph(c);
            BlendGlyph(dc.target, glyph, pen + glyph.left, baseline - glyph.top, clip, colour);
            if (underlined) {
                const long long top = baseline + metrics.underlineOffset;
                FillBox(dc.target, Intersect(clip, {pen, top, pen + advance, top + metrics.underlineThickness}), colour);
            }
        }
        pen += advance;
    });
    if (style.underline) {
        const long long top = baseline + metrics.underlineOffset;
        FillBox(dc.target, Intersect(clip, {x, top, pen, top + metrics.underlineThickness}), colour);
    }
    if (style.strikeOut) {
        const long long top = baseline - metrics.strikeoutOffset;
        FillBox(dc.target, Intersect(clip, {x, top, pen, top + metrics.strikeoutThickness}), colour);
    }
}

}  // namespace platform::gdi
