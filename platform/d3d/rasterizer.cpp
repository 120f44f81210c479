// Triangle coverage by exact edge functions on snapped vertices, filled row by
// row as spans; colour from one plane equation per channel.
//
// Sections: fixed point and guard band; colour planes; spans of one snapped
// triangle; clipping to the guard band; DrawTriangle.
#include "platform/d3d/rasterizer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <iterator>

#include "platform/core/pixels.h"

namespace platform {

namespace {

// ---- Fixed point and guard band ----

// Vertices snap to 1/256 pixel, as Direct3D hardware does. Within the guard band the edge
// functions stay exact in 64 bits: coordinates below 2^28 in fixed point, differences below
// 2^29, products below 2^58.
constexpr int kSubPixelBits = 8;
constexpr std::int64_t kOne = std::int64_t{1} << kSubPixelBits;
constexpr double kGuardBand = 1048576.0;  // 2^20 pixels either side of the origin

struct FixedPoint {
    std::int64_t x;
    std::int64_t y;
};

FixedPoint Snap(double x, double y) {
    return FixedPoint{std::llround(x * static_cast<double>(kOne)), std::llround(y * static_cast<double>(kOne))};
}

bool InsideGuardBand(double x, double y) {
    return std::fabs(x) <= kGuardBand && std::fabs(y) <= kGuardBand;
}

// Integer division rounded toward minus or plus infinity (C++ truncates toward zero).
std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) {
        --q;
    }
    return q;
}

std::int64_t CeilDiv(std::int64_t a, std::int64_t b) { return -FloorDiv(-a, b); }

// ---- Colour planes ----

// Each channel as an affine function of the pixel position: value = at0 + dx * (x - x0) + dy * (y - y0).
struct ColourPlane {
    bool constant = true;
    std::uint16_t pixel = 0;  // the colour when constant
    double x0 = 0, y0 = 0;
    std::array<double, 3> at0{}, dx{}, dy{};
};

std::array<double, 3> Channels(std::uint32_t colour) {
    return {static_cast<double>((colour >> 16) & 0xff), static_cast<double>((colour >> 8) & 0xff),
            static_cast<double>(colour & 0xff)};
}

ColourPlane MakeColourPlane(const RasterVertex& v0, const RasterVertex& v1, const RasterVertex& v2, bool flat) {
    ColourPlane plane;
    const std::uint32_t rgbMask = 0x00ffffff;
    if (flat || ((v0.diffuse & rgbMask) == (v1.diffuse & rgbMask) && (v0.diffuse & rgbMask) == (v2.diffuse & rgbMask))) {
        plane.pixel = D3DColorToR5G6B5(v0.diffuse);
        return plane;
    }
    plane.constant = false;
    plane.x0 = v0.x;
    plane.y0 = v0.y;
    const double ax = static_cast<double>(v1.x) - v0.x, ay = static_cast<double>(v1.y) - v0.y;
    const double bx = static_cast<double>(v2.x) - v0.x, by = static_cast<double>(v2.y) - v0.y;
    const double area = ax * by - ay * bx;  // non-zero: degenerate triangles never get here
    const auto c0 = Channels(v0.diffuse), c1 = Channels(v1.diffuse), c2 = Channels(v2.diffuse);
    for (std::size_t i = 0; i < 3; ++i) {
        const double d1 = c1[i] - c0[i], d2 = c2[i] - c0[i];
        plane.at0[i] = c0[i];
        plane.dx[i] = (d1 * by - d2 * ay) / area;
        plane.dy[i] = (d2 * ax - d1 * bx) / area;
    }
    return plane;
}

// Channel values across a span step in 32.32 fixed point: exact enough that a 2000-pixel span
// rounds every pixel as the plane equation would, and far cheaper than doubles per pixel.
constexpr double kFixedOne = 4294967296.0;

// Clamped so that stepping across the widest span cannot overflow; a triangle so thin that its
// gradient is not a number gets a flat value (it covers no pixel centre worth a colour anyway).
std::int64_t ToFixed(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    return std::llround(std::clamp(value, -65536.0, 65536.0) * kFixedOne);
}

// A channel's fixed-point value rounded to 8 bits (0 to 255), then narrowed to `maxValue`.
struct ChannelTable {
    std::array<std::uint16_t, 256> narrowed{};
    explicit ChannelTable(std::uint32_t maxValue, int shift) {
        for (std::uint32_t v = 0; v < 256; ++v) {
            narrowed[v] = static_cast<std::uint16_t>(NarrowChannel(v, maxValue) << shift);
        }
    }
    std::uint16_t operator()(std::int64_t fixed) const {
        const std::int64_t rounded = (fixed + (std::int64_t{1} << 31)) >> 32;  // floor(v + 0.5)
        return narrowed[static_cast<std::size_t>(std::clamp<std::int64_t>(rounded, 0, 255))];
    }
};

void FillSpan(std::uint16_t* row, int x0, int x1, int y, const ColourPlane& plane) {
    if (plane.constant) {
        FillPixels(row + x0, static_cast<std::size_t>(x1 - x0 + 1), plane.pixel);
        return;
    }
    static const ChannelTable red(31, 11), green(63, 5), blue(31, 0);
    std::array<std::int64_t, 3> value{}, step{};
    for (std::size_t i = 0; i < 3; ++i) {
        value[i] = ToFixed(plane.at0[i] + plane.dx[i] * (x0 - plane.x0) + plane.dy[i] * (y - plane.y0));
        step[i] = ToFixed(plane.dx[i]);
    }
    for (int x = x0; x <= x1; ++x) {
        row[x] = static_cast<std::uint16_t>(red(value[0]) | green(value[1]) | blue(value[2]));
        for (std::size_t i = 0; i < 3; ++i) {
            value[i] += step[i];
        }
    }
}

// ---- Spans of one snapped triangle ----

// One edge a -> b of a triangle wound clockwise on the screen (y down), so the inside is where
// E(X, Y) = dx * (Y - a.y) - dy * (X - a.x) is positive. A centre exactly on the edge (E == 0)
// belongs to the triangle only when the edge is a top edge (horizontal, going right: the inside
// lies below) or a left edge (going up): that is the top-left rule.
struct Edge {
    std::int64_t dx, dy, ax, ay;
    std::int64_t bias;  // the smallest E that counts as inside: 0 on top-left edges, 1 elsewhere
};

Edge MakeEdge(FixedPoint a, FixedPoint b) {
    const std::int64_t dx = b.x - a.x, dy = b.y - a.y;
    const bool topLeft = dy < 0 || (dy == 0 && dx > 0);
    return Edge{dx, dy, a.x, a.y, topLeft ? 0 : 1};
}

void FillSnappedTriangle(const RasterTarget& target, FixedPoint p0, FixedPoint p1, FixedPoint p2,
                         const ColourPlane& plane) {
    const std::int64_t area = (p1.x - p0.x) * (p2.y - p0.y) - (p1.y - p0.y) * (p2.x - p0.x);
    if (area == 0) {
        return;
    }
    if (area < 0) {
        std::swap(p1, p2);  // coverage does not depend on winding: make it clockwise
    }
    const std::array<Edge, 3> edges{MakeEdge(p0, p1), MakeEdge(p1, p2), MakeEdge(p2, p0)};

    const std::int64_t minY = std::min({p0.y, p1.y, p2.y}), maxY = std::max({p0.y, p1.y, p2.y});
    const std::int64_t firstRow = std::max<std::int64_t>(CeilDiv(minY, kOne), 0);
    const std::int64_t lastRow = std::min<std::int64_t>(FloorDiv(maxY, kOne), target.height - 1);
    for (std::int64_t y = firstRow; y <= lastRow; ++y) {
        // Along the row E(x) = c - dy * kOne * x: each edge bounds x from one side.
        std::int64_t lo = 0, hi = target.width - 1;
        for (const Edge& e : edges) {
            const std::int64_t c = e.dx * (y * kOne - e.ay) + e.dy * e.ax;
            const std::int64_t step = -e.dy * kOne;
            if (step > 0) {
                lo = std::max(lo, CeilDiv(e.bias - c, step));
            } else if (step < 0) {
                hi = std::min(hi, FloorDiv(c - e.bias, -step));
            } else if (c < e.bias) {
                hi = -1;  // a horizontal edge with this row outside it
            }
        }
        if (lo <= hi) {
            std::uint16_t* row = target.pixels + static_cast<std::ptrdiff_t>(y) * target.pitch;
            FillSpan(row, static_cast<int>(lo), static_cast<int>(hi), static_cast<int>(y), plane);
        }
    }
}

// ---- Clipping to the guard band ----

struct ClipPoint {
    double x, y;
};

// Sutherland-Hodgman against one side of the guard band: keeps points with sign * coord <= bound.
template <std::size_t N>
std::size_t ClipSide(const std::array<ClipPoint, N>& in, std::size_t count, std::array<ClipPoint, N>& out, bool alongX,
                     double sign) {
    auto distance = [&](const ClipPoint& p) { return sign * (alongX ? p.x : p.y) - kGuardBand; };
    std::size_t n = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const ClipPoint& a = in[i];
        const ClipPoint& b = in[(i + 1) % count];
        const double da = distance(a), db = distance(b);
        if (da <= 0) {
            out[n++] = a;
        }
        if ((da < 0 && db > 0) || (da > 0 && db < 0)) {
            const double t = da / (da - db);
            out[n++] = ClipPoint{a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)};
        }
    }
    return n;
}

}  // namespace

void FillPixels(std::uint16_t* pixels, std::size_t count, std::uint16_t value) {
    if ((value & 0xff) == (value >> 8)) {
        std::memset(pixels, value & 0xff, count * sizeof(std::uint16_t));  // black, white and grey runs
        return;
    }
    // Whole 64-byte blocks copied from a filled block compile to wide stores.
    std::uint16_t block[32];
    std::fill(std::begin(block), std::end(block), value);
    for (; count >= 32; count -= 32, pixels += 32) {
        std::memcpy(pixels, block, sizeof(block));
    }
    std::fill(pixels, pixels + count, value);
}

// ---- DrawTriangle ----

void DrawTriangle(const RasterTarget& target, const RasterVertex& v0, const RasterVertex& v1, const RasterVertex& v2,
                  const RasterState& state) {
    if (target.pixels == nullptr || target.width <= 0 || target.height <= 0) {
        return;
    }
    for (const RasterVertex* v : {&v0, &v1, &v2}) {
        if (!std::isfinite(v->x) || !std::isfinite(v->y)) {
            return;
        }
    }
    // Winding as seen on the screen: with y down a positive cross product is clockwise.
    const double cross = (static_cast<double>(v1.x) - v0.x) * (static_cast<double>(v2.y) - v0.y) -
                         (static_cast<double>(v1.y) - v0.y) * (static_cast<double>(v2.x) - v0.x);
    if (cross == 0.0 || (state.cull == CullWinding::Clockwise && cross > 0) ||
        (state.cull == CullWinding::CounterClockwise && cross < 0)) {
        return;
    }
    const ColourPlane plane = MakeColourPlane(v0, v1, v2, state.flatShade);

    if (InsideGuardBand(v0.x, v0.y) && InsideGuardBand(v1.x, v1.y) && InsideGuardBand(v2.x, v2.y)) {
        FillSnappedTriangle(target, Snap(v0.x, v0.y), Snap(v1.x, v1.y), Snap(v2.x, v2.y), plane);
        return;
    }
    // A vertex far outside: cut the triangle to the guard band (at most 7 corners) and fill the
    // pieces as a fan. The fan's inner edges are shared exactly, so no pixel is drawn twice.
    std::array<ClipPoint, 8> a{ClipPoint{v0.x, v0.y}, ClipPoint{v1.x, v1.y}, ClipPoint{v2.x, v2.y}};
    std::array<ClipPoint, 8> b{};
    std::size_t n = 3;
    n = ClipSide(a, n, b, true, 1.0);
    n = ClipSide(b, n, a, true, -1.0);
    n = ClipSide(a, n, b, false, 1.0);
    n = ClipSide(b, n, a, false, -1.0);
    for (std::size_t i = 1; i + 1 < n; ++i) {
        FillSnappedTriangle(target, Snap(a[0].x, a[0].y), Snap(a[i].x, a[i].y), Snap(a[i + 1].x, a[i + 1].y), plane);
    }
}

}  // namespace platform
