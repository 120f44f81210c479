// What the three patterns share: the viewport one copy of a pattern fills,
// the pre-transformed coloured vertex handed to Direct3D, and the rule that
// centres one line of text.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/d3d9.h"
#include "platform/windows.h"

// The rectangle one copy of a pattern fills, in back-buffer pixels (y grows downwards).
struct Viewport {
    std::int32_t x;
    std::int32_t y;
    std::int32_t width;
    std::int32_t height;
};

// One pre-transformed, coloured vertex: the layout Direct3D reads for
// D3DFVF_XYZRHW | D3DFVF_DIFFUSE. Arrays of it go to DrawPrimitiveUP with a
// stride of sizeof(ScreenVertex), so the byte layout must not change.
struct ScreenVertex {
    float x;
    float y;
    float z;
    float rhw;
    D3DCOLOR diffuse;  // 0xAARRGGBB
};

static_assert(sizeof(ScreenVertex) == 20, "ScreenVertex must be 20 bytes with no padding");
static_assert(offsetof(ScreenVertex, x) == 0 && offsetof(ScreenVertex, y) == 4 && offsetof(ScreenVertex, z) == 8 &&
                  offsetof(ScreenVertex, rhw) == 12 && offsetof(ScreenVertex, diffuse) == 16,
              "ScreenVertex fields must sit where D3DFVF_XYZRHW | D3DFVF_DIFFUSE expects them");

constexpr DWORD kScreenVertexFvf = D3DFVF_XYZRHW | D3DFVF_DIFFUSE;

// Splits a width x height screen by a DisplayLayout into the viewports that
// each receive a whole copy of a pattern, left or upper half first. Halves
// are unsigned shifts, so an odd size loses its last column or row. Returns
// how many viewports were written (0 for a layout outside Clone..VerticalSpan).
int SplitScreen(std::int32_t layout, std::uint32_t width, std::uint32_t height, Viewport viewports[2]);

// The drawing rectangle of a line w pixels wide and h high, centred on
// centreX with its top edge at top; an odd width puts the extra pixel right
// of the centre, and the rectangle is exactly as wide as the text.
RECT CentredLineRect(std::int32_t centreX, std::int32_t top, std::int32_t w, std::int32_t h);

// Draws one line of text centred on centreX with its top at top, in the
// font, colour and background mode selected into dc. Returns the measured
// text height.
int DrawCentredLine(HDC dc, LPCSTR text, std::int32_t centreX, std::int32_t top);
