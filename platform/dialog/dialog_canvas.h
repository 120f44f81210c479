// What the controls draw with: boxes, lines, 3D edges, the dotted focus mark
// and smooth discs straight into the dialog's R5G6B5 picture, and text
// through our GDI on the same pixels. Everything is clipped to `clip`, the
// rectangle of the control being drawn.
#pragma once

#include "platform/gdi/surface_dc.h"
#include "platform/wingdi.h"

namespace platform::dialog {

// The classic dialog palette (COLORREF, 0x00BBGGRR).
inline constexpr COLORREF kFace = RGB(240, 240, 240);
inline constexpr COLORREF kWindow = RGB(255, 255, 255);
inline constexpr COLORREF kText = RGB(0, 0, 0);
inline constexpr COLORREF kGrayText = RGB(109, 109, 109);
inline constexpr COLORREF kHighlight = RGB(0, 120, 215);
inline constexpr COLORREF kHighlightText = RGB(255, 255, 255);
inline constexpr COLORREF kHilight = RGB(255, 255, 255);   // lit outer edge of a raised border
inline constexpr COLORREF kLight = RGB(227, 227, 227);     // lit inner edge
inline constexpr COLORREF kShadow = RGB(160, 160, 160);    // shaded inner edge
inline constexpr COLORREF kDarkShadow = RGB(105, 105, 105);  // shaded outer edge
inline constexpr COLORREF kFrame = RGB(0, 0, 0);            // the default button's outline
inline constexpr COLORREF kListBorder = RGB(130, 135, 144);

struct Canvas {
    PixelTarget target;
    HDC dc;     // a GDI DC on the same pixels
    RECT clip;  // drawing stays inside (target coordinates)
};

inline void OffsetRectBy(RECT& r, int dx, int dy) {
    r.left += dx;
    r.right += dx;
    r.top += dy;
    r.bottom += dy;
}

void FillBox(const Canvas& canvas, const RECT& box, COLORREF colour);
// A one-pixel outline just inside the box.
void FrameBox(const Canvas& canvas, const RECT& box, COLORREF colour);
// Two one-pixel rings just inside the box: a raised look (lit top-left) or a sunken one.
void Edge3D(const Canvas& canvas, const RECT& box, bool sunken);
// The dotted focus rectangle: every other pixel of the outline inverted, so it shows on any colour.
void FocusMark(const Canvas& canvas, const RECT& box);
// A filled disc with smooth edges: centre (cx, cy) and radius in pixels, covered fraction blended.
void FillDisc(const Canvas& canvas, double cx, double cy, double radius, COLORREF colour);
// A small filled triangle pointing up or down, its base `width` pixels wide, centred in the box.
void Arrow(const Canvas& canvas, const RECT& box, bool up, int width, COLORREF colour);

// Draws one line of text (DrawTextA format flags) in the font and colour, transparently.
// Returns the DrawTextA result.
int Text(const Canvas& canvas, HFONT font, const char* text, RECT box, UINT format, COLORREF colour);
// The width and height the text takes in the font (DT_CALCRECT with the same flags).
SIZE MeasureText(const Canvas& canvas, HFONT font, const char* text, UINT format);

}  // namespace platform::dialog
