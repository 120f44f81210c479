// The arithmetic behind the patterns: viewport split, centred text rectangle,
// dial geometry and line step, bar positions, edges and colours.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "app/run_state.h"
#include "patterns/clock_dial.h"
#include "patterns/moving_bars.h"
#include "patterns/viewport.h"

namespace {

bool operator==(const Viewport& a, const Viewport& b) {
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

TEST(SplitScreen, GivesEachDisplayAWholeViewportLeftOrUpperFirst) {
    struct Case {
        std::int32_t layout;
        std::uint32_t width, height;
        std::vector<Viewport> expected;
    };
    const Case cases[] = {
        {Clone, 1024, 768, {{0, 0, 1024, 768}}},
        {HorizontalSpan, 2048, 768, {{0, 0, 1024, 768}, {1024, 0, 1024, 768}}},
        {VerticalSpan, 1280, 2048, {{0, 0, 1280, 1024}, {0, 1024, 1280, 1024}}},
        // Odd sizes lose their last column or row.
        {HorizontalSpan, 1001, 500, {{0, 0, 500, 500}, {500, 0, 500, 500}}},
        {VerticalSpan, 1000, 501, {{0, 0, 1000, 250}, {0, 250, 1000, 250}}},
        {Clone, 1001, 501, {{0, 0, 1001, 501}}},
        {3, 1024, 768, {}},
        {-1, 1024, 768, {}},
    };
    for (const Case& c : cases) {
        Viewport viewports[2] = {{-7, -7, -7, -7}, {-7, -7, -7, -7}};
        const int count = SplitScreen(c.layout, c.width, c.height, viewports);
        ASSERT_EQ(count, static_cast<int>(c.expected.size())) << "layout " << c.layout;
        for (int i = 0; i < count; ++i) {
            EXPECT_TRUE(viewports[i] == c.expected[static_cast<std::size_t>(i)])
                << "layout " << c.layout << " " << c.width << "x" << c.height << " viewport " << i << ": ("
                << viewports[i].x << ", " << viewports[i].y << ", " << viewports[i].width << ", "
                << viewports[i].height << ")";
        }
    }
}

TEST(CentredLineRect, PutsTheOddPixelRightOfTheCentre) {
    struct Case {
        std::int32_t centreX, top, w, h;
        RECT expected;
    };
    const Case cases[] = {
        {320, 100, 101, 20, {270, 100, 371, 120}},
        {320, 100, 100, 20, {270, 100, 370, 120}},
        {0, -5, 7, 3, {-3, -5, 4, -2}},
        {10, 0, 0, 0, {10, 0, 10, 0}},
    };
    for (const Case& c : cases) {
        const RECT r = CentredLineRect(c.centreX, c.top, c.w, c.h);
        EXPECT_EQ(r.left, c.expected.left) << "w " << c.w;
        EXPECT_EQ(r.top, c.expected.top) << "w " << c.w;
        EXPECT_EQ(r.right, c.expected.right) << "w " << c.w;
        EXPECT_EQ(r.bottom, c.expected.bottom) << "w " << c.w;
    }
}

TEST(ClockDial, ShapeIsCentredWithHalfTheSmallerSide) {
    struct Case {
        Viewport viewport;
        DialShape expected;
    };
    const Case cases[] = {
        {{0, 0, 1024, 768}, {512, 384, 384}},
        {{0, 0, 200, 100}, {100, 50, 50}},
        {{640, 0, 640, 1024}, {960, 512, 320}},
        {{0, 768, 1024, 768}, {512, 1152, 384}},
        {{0, 0, 51, 101}, {25, 50, 25}},
    };
    for (const Case& c : cases) {
        const DialShape d = DialShapeOf(c.viewport.x, c.viewport.y, c.viewport.width, c.viewport.height);
        EXPECT_EQ(d.cx, c.expected.cx);
        EXPECT_EQ(d.cy, c.expected.cy);
        EXPECT_EQ(d.r, c.expected.r);
    }
}

TEST(ClockDial, RadiiAreStoredAsFloats) {
    EXPECT_EQ(TickRadiiOf(384, 1).outer, 345.599976f);
    EXPECT_EQ(TickRadiiOf(384, 1).inner, 326.399963f);
    EXPECT_EQ(TickRadiiOf(384, 0).inner, 307.199951f);
    EXPECT_EQ(TickRadiiOf(384, 55).inner, 307.199951f);
    EXPECT_EQ(TickRadiiOf(384, 59).inner, 326.399963f);
    EXPECT_EQ(TickRadiiOf(50, 3).outer, 45.0f);
    EXPECT_EQ(TickRadiiOf(50, 3).inner, 42.5f);
    EXPECT_EQ(TickRadiiOf(50, 15).inner, 40.0f);
}

class DialTicks : public testing::Test {
protected:
    void Build(std::uint32_t litTick) { BuildDialTicks(DialShapeOf(0, 0, 200, 100), litTick, vertices); }
    ScreenVertex vertices[kDialVertices];
};

TEST_F(DialTicks, TickZeroIsALongTickAtTheTop) {
    Build(7);
    const float expected[6][2] = {{98.822f, 5.015f},   {101.178f, 5.015f}, {98.953f, 10.014f},
                                  {98.953f, 10.014f},  {101.178f, 5.015f}, {101.047f, 10.014f}};
    for (int k = 0; k < 6; ++k) {
        EXPECT_NEAR(vertices[k].x, expected[k][0], 0.0005) << "vertex " << k;
        EXPECT_NEAR(vertices[k].y, expected[k][1], 0.0005) << "vertex " << k;
    }
}

TEST_F(DialTicks, TickFifteenStandsAtThreeOClock) {
    Build(7);
    const ScreenVertex* t = &vertices[15 * 6];
    // Outer edge (vertices 0, 1, 4), inner edge (2, 3, 5).
    for (int k : {0, 1, 4}) {
        EXPECT_NEAR(t[k].x, 144.985f, 0.0005) << "vertex " << k;
    }
    for (int k : {2, 3, 5}) {
        EXPECT_NEAR(t[k].x, 139.986f, 0.0005) << "vertex " << k;
    }
    EXPECT_NEAR(t[0].y, 48.822f, 0.0005);
    EXPECT_NEAR(t[1].y, 51.178f, 0.0005);
}

TEST_F(DialTicks, OnlyTheLitTickIsWhiteAndEveryVertexIsPretransformed) {
    for (std::uint32_t lit : {0u, 15u, 59u, 60u}) {
        Build(lit);
        for (int v = 0; v < kDialVertices; ++v) {
            const D3DCOLOR expected = static_cast<std::uint32_t>(v / 6) == lit ? 0xffffffffu : 0xff000000u;
            ASSERT_EQ(vertices[v].diffuse, expected) << "lit " << lit << " vertex " << v;
            ASSERT_EQ(vertices[v].z, 1.0f);
            ASSERT_EQ(vertices[v].rhw, 1.0f);
        }
    }
}

TEST(ClockDial, LineStepIsSixTwentyFifthsOfTheRadius) {
    const std::int32_t cases[][2] = {{384, 92}, {320, 76}, {50, 12}, {25, 6}, {0, 0}, {1, 0}, {5, 1}};
    for (const auto& c : cases) {
        EXPECT_EQ(DialLineStep(c[0]), c[1]) << "r " << c[0];
    }
    for (std::int32_t r = 0; r < 20000; ++r) {
        ASSERT_EQ(DialLineStep(r), 6 * r / 25) << "r " << r;
    }
    // The rows of a 1024 x 768 dial: y0 = cy - s / 2.
    EXPECT_EQ(384 - DialLineStep(384) / 2, 338);
}

std::vector<std::int32_t> PositionEdges(std::int32_t x, std::int32_t width) {
    std::vector<std::int32_t> edges;
    for (int d = 0; d < kBarPositions; ++d) {
        const BarEdges e = BarEdgesOf(x, width, d);
        if (d == 0) {
            edges.push_back(e.left);
        } else {
            EXPECT_EQ(e.left, edges.back()) << "position " << d << " leaves a gap or overlaps";
        }
        edges.push_back(e.right);
    }
    return edges;
}

TEST(MovingBars, PositionsTileTheWidth) {
    EXPECT_EQ(PositionEdges(0, 30), (std::vector<std::int32_t>{0, 1, 3, 4, 6, 7, 9, 10, 12, 13, 15, 16, 18, 19, 21,
                                                                22, 24, 25, 27, 28, 30}));
    std::vector<std::int32_t> wide;
    for (int d = 0; d <= 20; ++d) {
        wide.push_back(512 + d * 50);
    }
    EXPECT_EQ(PositionEdges(512, 1000), wide);
    EXPECT_EQ(PositionEdges(0, 1024).back(), 1024);
}

TEST(MovingBars, BandMovesOnePlaceAFrameAndWrapsAtTheLeft) {
    struct Case {
        std::uint32_t frameCounter;
        int positions[kBarsInBand];
    };
    const Case cases[] = {
        {0, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
        {11, {11, 12, 13, 14, 15, 16, 17, 18, 19, 0}},
        {19, {19, 0, 1, 2, 3, 4, 5, 6, 7, 8}},
        {20, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
        {99999, {19, 0, 1, 2, 3, 4, 5, 6, 7, 8}},
    };
    for (const Case& c : cases) {
        for (int j = 0; j < kBarsInBand; ++j) {
            EXPECT_EQ(BarPosition(c.frameCounter, j), c.positions[j]) << "frame " << c.frameCounter << " bar " << j;
        }
    }
}

TEST(MovingBars, ColoursCycleRedGreenBlue) {
    constexpr D3DCOLOR R = 0xffff0000, G = 0xff00ff00, B = 0xff0000ff;
    struct Case {
        std::uint32_t frameCounter;
        D3DCOLOR colours[kBarsInBand];
    };
    const Case cases[] = {
        {0, {R, G, B, R, G, B, R, G, B, R}},
        {11, {B, R, G, B, R, G, B, R, G, B}},
        {19, {G, B, R, G, B, R, G, B, R, G}},
        {20, {B, R, G, B, R, G, B, R, G, B}},
        {99999, {R, G, B, R, G, B, R, G, B, R}},
    };
    for (const Case& c : cases) {
        for (int j = 0; j < kBarsInBand; ++j) {
            EXPECT_EQ(BarColour(c.frameCounter, j), c.colours[j]) << "frame " << c.frameCounter << " bar " << j;
        }
    }
}

}  // namespace
