#include "platform/d3d/rasterizer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>
#include <utility>
#include <vector>

#include "platform/core/pixels.h"
#include "tests/d3d/raster_canvas.h"

namespace {

using d3dtest::Canvas;
using platform::CullWinding;
using platform::DrawTriangle;
using platform::RasterState;
using platform::RasterVertex;

constexpr std::uint32_t kWhite = 0xffffffff;
const RasterState kNoCull{CullWinding::None, false};

struct Triangle {
    RasterVertex a, b, c;
};

RasterVertex V(float x, float y, std::uint32_t colour = kWhite) { return RasterVertex{x, y, colour}; }

// How many of the triangles cover each pixel: each one is drawn alone into a cleared canvas.
std::vector<int> CoverageCounts(int w, int h, const std::vector<Triangle>& triangles, RasterState state = kNoCull) {
    std::vector<int> counts(static_cast<std::size_t>(w * h), 0);
    Canvas canvas(w, h);
    for (const Triangle& t : triangles) {
        canvas.Fill(0);
        DrawTriangle(canvas.Target(), t.a, t.b, t.c, state);
        EXPECT_TRUE(canvas.PaddingIntact());
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                counts[static_cast<std::size_t>(y * w + x)] += canvas.At(x, y) != 0 ? 1 : 0;
            }
        }
    }
    return counts;
}

// A rectangle as two triangles sharing the diagonal, in the order a triangle strip would give.
std::vector<Triangle> Quad(float l, float t, float r, float b, bool otherDiagonal = false) {
    if (otherDiagonal) {
        return {{V(l, t), V(r, t), V(r, b)}, {V(l, t), V(r, b), V(l, b)}};
    }
    return {{V(l, t), V(r, t), V(l, b)}, {V(l, b), V(r, t), V(r, b)}};
}

// Pixels whose centre lies in [l, r) x [t, b).
std::vector<int> ExpectedRect(int w, int h, int l, int t, int r, int b) {
    std::vector<int> counts(static_cast<std::size_t>(w * h), 0);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            counts[static_cast<std::size_t>(y * w + x)] = (x >= l && x < r && y >= t && y < b) ? 1 : 0;
        }
    }
    return counts;
}

TEST(RasterizerCoverage, QuadOnIntegerEdgesCoversHalfOpenRectangle) {
    struct Case {
        int l, t, r, b;
    };
    const Case cases[] = {
        {0, 0, 16, 12},    // the whole target
        {3, 2, 9, 7},      // inside
        {5, 5, 6, 6},      // one pixel
        {-4, -3, 5, 4},    // over the top-left corner
        {10, 8, 40, 30},   // over the bottom-right corner
        {-20, -20, -1, -1}, {16, 0, 30, 12},  // wholly outside
        {4, 4, 4, 9},      // zero width
    };
    for (const Case& c : cases) {
        for (bool other : {false, true}) {
            SCOPED_TRACE(testing::Message() << c.l << "," << c.t << "," << c.r << "," << c.b << " other=" << other);
            const auto counts = CoverageCounts(16, 12, Quad(static_cast<float>(c.l), static_cast<float>(c.t),
                                                            static_cast<float>(c.r), static_cast<float>(c.b), other));
            EXPECT_EQ(counts, ExpectedRect(16, 12, c.l, c.t, c.r, c.b));
        }
    }
}

TEST(RasterizerCoverage, TwentyPositionsTileWidthThirty) {
    // Edges x * 30 / 20 truncated: 0, 1, 3, 4, ..., 30.
    std::vector<Triangle> all;
    for (int d = 0; d < 20; ++d) {
        const auto quad = Quad(static_cast<float>(d * 30 / 20), 0.0f, static_cast<float>((d + 1) * 30 / 20), 4.0f);
        all.insert(all.end(), quad.begin(), quad.end());
    }
    EXPECT_EQ(CoverageCounts(30, 4, all), ExpectedRect(30, 4, 0, 0, 30, 4));
}

TEST(RasterizerCoverage, MeshWithSharedNonIntegerEdgesDrawsEveryPixelOnce) {
    // A 6 x 5 grid of cells over [0, 24) x [0, 20): inner grid points are moved off the pixel
    // grid (some onto pixel centres and half-way points), each cell is split along a diagonal.
    constexpr int kCols = 6, kRows = 5;
    auto point = [](int i, int j) {
        float x = static_cast<float>(i * 4), y = static_cast<float>(j * 4);
        if (i > 0 && i < kCols && j > 0 && j < kRows) {
            const float offsets[] = {0.37f, -0.5f, 1.0f, -1.21f, 0.0f, 0.5f, 0.73f};
            x += offsets[(i * 3 + j) % 7];
            y += offsets[(i + j * 5) % 7];
        }
        return V(x, y);
    };
    std::vector<Triangle> mesh;
    for (int j = 0; j < kRows; ++j) {
        for (int i = 0; i < kCols; ++i) {
            const RasterVertex p00 = point(i, j), p10 = point(i + 1, j), p01 = point(i, j + 1), p11 = point(i + 1, j + 1);
            if ((i + j) % 2 == 0) {
                mesh.push_back({p00, p10, p11});
                mesh.push_back({p00, p11, p01});
            } else {
                mesh.push_back({p00, p10, p01});
                mesh.push_back({p10, p11, p01});
            }
        }
    }
    EXPECT_EQ(CoverageCounts(24, 20, mesh), ExpectedRect(24, 20, 0, 0, 24, 20));
}

TEST(RasterizerCoverage, FanAroundAnOffGridCentreDrawsNoPixelTwice) {
    // Sixteen thin slices of a polygon around (10.3, 9.7): the union is the polygon, so every
    // pixel is drawn at most once, and the pixels next to the centre exactly once.
    std::vector<Triangle> fan;
    const float cx = 10.3f, cy = 9.7f;
    for (int k = 0; k < 16; ++k) {
        const double a0 = k * 2 * M_PI / 16, a1 = (k + 1) * 2 * M_PI / 16;
        fan.push_back({V(cx, cy), V(cx + static_cast<float>(8 * std::cos(a0)), cy + static_cast<float>(8 * std::sin(a0))),
                       V(cx + static_cast<float>(8 * std::cos(a1)), cy + static_cast<float>(8 * std::sin(a1)))});
    }
    const auto counts = CoverageCounts(20, 20, fan);
    for (int c : counts) {
        EXPECT_LE(c, 1);
    }
    for (int y = 7; y <= 12; ++y) {
        for (int x = 8; x <= 13; ++x) {
            EXPECT_EQ(counts[static_cast<std::size_t>(y * 20 + x)], 1) << x << "," << y;
        }
    }
}

TEST(RasterizerCoverage, SubPixelTrianglesFollowTheCentreAndTopLeftRules) {
    using Pixels = std::set<std::pair<int, int>>;
    struct Case {
        const char* what;
        Triangle t;
        Pixels drawn;
    };
    const Case cases[] = {
        {"contains one centre", {V(2.6f, 2.7f), V(3.4f, 2.7f), V(3.0f, 3.3f)}, {{3, 3}}},
        {"contains no centre", {V(2.1f, 2.1f), V(2.9f, 2.1f), V(2.1f, 2.9f)}, {}},
        {"centre on a left edge", {V(3.0f, 2.5f), V(3.4f, 3.0f), V(3.0f, 3.5f)}, {{3, 3}}},
        {"centre on a right edge", {V(3.0f, 2.5f), V(3.0f, 3.5f), V(2.6f, 3.0f)}, {}},
        {"centre on a top edge", {V(2.5f, 3.0f), V(3.5f, 3.0f), V(3.0f, 3.4f)}, {{3, 3}}},
        {"centre on a bottom edge", {V(2.5f, 3.0f), V(3.0f, 2.6f), V(3.5f, 3.0f)}, {}},
        {"vertex on the centre, top-left corner", {V(3.0f, 3.0f), V(3.4f, 3.0f), V(3.0f, 3.4f)}, {{3, 3}}},
        {"vertex on the centre, bottom-right corner", {V(3.0f, 3.0f), V(2.6f, 3.0f), V(3.0f, 2.6f)}, {}},
        {"a sliver along a row of centres", {V(0.5f, 2.0f), V(6.5f, 2.0f), V(0.5f, 2.01f)}, {{1, 2}, {2, 2}, {3, 2}, {4, 2}, {5, 2}, {6, 2}}},
        {"snapped to nothing", {V(3.0f, 3.0f), V(3.001f, 3.0f), V(3.0f, 3.001f)}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto counts = CoverageCounts(8, 8, {c.t});
        Pixels drawn;
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 8; ++x) {
                if (counts[static_cast<std::size_t>(y * 8 + x)] != 0) {
                    drawn.insert({x, y});
                }
            }
        }
        EXPECT_EQ(drawn, c.drawn);
    }
}

TEST(RasterizerCoverage, FarAndBrokenVerticesAreClippedOrDropped) {
    const float inf = std::numeric_limits<float>::infinity(), nan = std::numeric_limits<float>::quiet_NaN();
    struct Case {
        const char* what;
        Triangle t;
        std::vector<int> expected;
    };
    const Case cases[] = {
        // A huge triangle whose top edge is y = 5: rows 5 and below are full.
        {"beyond the guard band", {V(-1e8f, 5.0f), V(1e8f, 5.0f), V(0.0f, 1e8f)}, ExpectedRect(10, 10, 0, 5, 10, 10)},
        {"huge rectangle half", {V(-3e9f, -3e9f), V(4.0f, -3e9f), V(4.0f, 3e9f)}, ExpectedRect(10, 10, 0, 0, 4, 10)},
        {"infinite vertex", {V(0, 0), V(inf, 0), V(0, 9)}, ExpectedRect(10, 10, 0, 0, 0, 0)},
        {"NaN vertex", {V(0, 0), V(nan, 0), V(0, 9)}, ExpectedRect(10, 10, 0, 0, 0, 0)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(CoverageCounts(10, 10, {c.t}), c.expected);
    }
}

TEST(RasterizerCulling, WindingAgainstCullMode) {
    // On the screen (y down) top-left, top-right, bottom-left runs clockwise.
    const Triangle clockwise{V(1, 1), V(7, 1), V(1, 7)};
    const Triangle counterClockwise{V(1, 1), V(1, 7), V(7, 1)};
    struct Case {
        CullWinding cull;
        bool clockwiseDrawn, counterClockwiseDrawn;
    };
    const Case cases[] = {
        {CullWinding::CounterClockwise, true, false},
        {CullWinding::Clockwise, false, true},
        {CullWinding::None, true, true},
    };
    for (const Case& c : cases) {
        const RasterState state{c.cull, false};
        auto drawn = [&](const Triangle& t) { return CoverageCounts(8, 8, {t}, state)[2 * 8 + 2] == 1; };
        EXPECT_EQ(drawn(clockwise), c.clockwiseDrawn) << static_cast<int>(c.cull);
        EXPECT_EQ(drawn(counterClockwise), c.counterClockwiseDrawn) << static_cast<int>(c.cull);
    }
    EXPECT_EQ(RasterState{}.cull, CullWinding::CounterClockwise);
}

TEST(RasterizerColour, SolidColoursRoundToR5G6B5) {
    const std::pair<std::uint32_t, std::uint16_t> cases[] = {
        {0xff004080, 0x0210}, {0xffffffff, 0xffff}, {0xffff0000, 0xf800}, {0xff00ff00, 0x07e0},
        {0xff0000ff, 0x001f}, {0x00000000, 0x0000}, {0x12ffffff, 0xffff},  // alpha ignored
    };
    for (const auto& [colour, pixel] : cases) {
        Canvas canvas(4, 4);
        canvas.Fill(0x5555);
        for (const Triangle& t : Quad(0, 0, 4, 4)) {
            DrawTriangle(canvas.Target(), V(t.a.x, t.a.y, colour), V(t.b.x, t.b.y, colour), V(t.c.x, t.c.y, colour), kNoCull);
        }
        for (int y = 0; y < 4; ++y) {
            for (int x = 0; x < 4; ++x) {
                ASSERT_EQ(canvas.At(x, y), pixel) << std::hex << colour;
            }
        }
    }
}

TEST(RasterizerColour, GouraudInterpolatesEachChannelThenRounds) {
    // Across x = 0..255 red rises 0 -> 255 and blue falls 255 -> 0; green is 64 down the left
    // edge and 192 down the right. Pixel x has each channel at exactly x / 255 of the way.
    const std::uint32_t left = 0xff0040ff, right = 0xffffc000;
    Canvas canvas(256, 2);
    DrawTriangle(canvas.Target(), V(0, 0, left), V(255, 0, right), V(255, 2, right), kNoCull);
    DrawTriangle(canvas.Target(), V(0, 0, left), V(255, 2, right), V(0, 2, left), kNoCull);
    for (int x : {0, 1, 64, 100, 127, 128, 200, 254}) {
        const double t = x / 255.0;
        const auto round = [](double v) { return static_cast<std::uint32_t>(std::floor(v + 0.5)); };
        const std::uint32_t r = round(255 * t), g = round(64 + 128 * t), b = round(255 * (1 - t));
        EXPECT_EQ(canvas.At(x, 0), platform::D3DColorToR5G6B5((r << 16) | (g << 8) | b)) << "x=" << x;
        EXPECT_EQ(canvas.At(x, 1), canvas.At(x, 0)) << "x=" << x;
    }
}

TEST(RasterizerColour, FlatShadingUsesTheFirstVertex) {
    Canvas canvas(8, 8);
    DrawTriangle(canvas.Target(), V(0, 0, 0xffff0000), V(8, 0, 0xff00ff00), V(0, 8, 0xff0000ff), RasterState{CullWinding::None, true});
    EXPECT_EQ(canvas.At(0, 0), 0xf800);
    EXPECT_EQ(canvas.At(6, 0), 0xf800);
    EXPECT_EQ(canvas.At(0, 6), 0xf800);
}

}  // namespace
