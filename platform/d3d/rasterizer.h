// The software device's triangle rasterizer: pre-transformed, coloured
// triangles into an R5G6B5 target, by Direct3D 9's rules for XYZRHW vertices.
//
// - Pixel centres sit at integer coordinates (no half-pixel offset).
// - A pixel is drawn when its centre is inside the triangle; a centre exactly on an edge is
//   drawn only for top and left edges, so triangles sharing an edge never draw a pixel twice
//   and never leave a gap. A quad from x = 0 to x = 50 covers columns 0 to 49.
// - Vertices snap to 1/256 pixel; edge tests are exact integer arithmetic on those positions.
// - No anti-aliasing; everything is clipped to the target.
// - Gouraud shading interpolates each 8-bit channel and rounds it, then narrows to R5G6B5
//   by rounding (the same conversion as a Clear of that colour).
// Pure: touches nothing but the target's pixels.
#pragma once

#include <cstddef>
#include <cstdint>

namespace platform {

// Pixels drawn into: R5G6B5, pitch in pixels.
struct RasterTarget {
    std::uint16_t* pixels;
    int width;
    int height;
    int pitch;
};

struct RasterVertex {
    float x;
    float y;
    std::uint32_t diffuse;  // D3DCOLOR 0xAARRGGBB; alpha is ignored
};

// Which winding, as seen on the screen (y down), is dropped.
enum class CullWinding { None, Clockwise, CounterClockwise };

struct RasterState {
    CullWinding cull = CullWinding::CounterClockwise;  // Direct3D's default, D3DCULL_CCW
    bool flatShade = false;                            // true: the whole triangle in v0's colour
};

// Sets count pixels from `pixels` on to one value, at memset speed (Clear uses it too).
void FillPixels(std::uint16_t* pixels, std::size_t count, std::uint16_t value);

// Draws one triangle. Culled, degenerate (zero area) and non-finite triangles draw nothing.
void DrawTriangle(const RasterTarget& target, const RasterVertex& v0, const RasterVertex& v1,
                  const RasterVertex& v2, const RasterState& state);

}  // namespace platform
