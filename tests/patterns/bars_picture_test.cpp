// The moving bars as the whole program draws them: the band's positions and
// colours frame by frame, exact edges, and the two centred text rows.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "tests/patterns/picture_probe.h"

namespace {

using namespace pattern_pictures;

Rgb ColourOf(char c) {
    switch (c) {
    case 'R':
        return kRed;
    case 'G':
        return kGreen;
    case 'B':
        return kBlue;
    default:
        return kWhite;
    }
}

struct BarsCase {
    int frame;
    const char* positions;  // the colour of each of the 20 positions, left to right; '.' is white
};

// Frame k shows FrameCounter k; every frame after the first shows "Warning" (the first rate
// window is still open).
constexpr BarsCase kBarsCases[] = {
    {0, "RGBRGBRGBR.........."},
    {11, "B..........BRGBRGBRG"},
    {19, "BRGBRGBRG..........G"},
    {20, "BRGBRGBRGB.........."},
};

// Checks both outermost columns of every position at the height y.
void ExpectPositions(const Picture& picture, int width, int y, const char* positions, int frame) {
    for (int d = 0; d < 20; ++d) {
        const int left = d * width / 20;
        const int right = (d + 1) * width / 20;
        const Rgb expected = ColourOf(positions[d]);
        EXPECT_EQ(picture.at(left, y), expected) << "frame " << frame << " position " << d << " x " << left;
        EXPECT_EQ(picture.at(right - 1, y), expected) << "frame " << frame << " position " << d << " x " << right - 1;
    }
}

class BarsPictures : public testing::Test {
protected:
    static ProgramRun Run(const char* size, const char* frames, int limit) {
        return RunCapturing({{"OSTRIVAN_VIRTUAL_MODES", size}, {"OSTRIVAN_VIRTUAL_DESKTOP", size}}, "at 0 key Left\n",
                            frames, limit);
    }
    static Picture Frame(const ProgramRun& run, int k) {
        Picture picture;
        EXPECT_TRUE(run.ReadFrame(static_cast<std::uint64_t>(k), &picture));
        return picture;
    }
};

TEST_F(BarsPictures, BandMovesAndTilesAThousandPixelViewport) {
    const ProgramRun run = Run("1000x500", "0,11,19,20", 21);
    for (const BarsCase& c : kBarsCases) {
        const Picture picture = Frame(run, c.frame);
        ASSERT_EQ(picture.width, 1000);
        ASSERT_EQ(picture.height, 500);
        ExpectPositions(picture, 1000, 250, c.positions, c.frame);
        // Bars are as high as the viewport.
        const int firstBar = c.positions[0] != '.' ? 0 : 19;
        EXPECT_EQ(picture.at(firstBar * 50 + 25, 480), ColourOf(c.positions[firstBar])) << "frame " << c.frame;
    }
}

TEST_F(BarsPictures, BandAndRowsAtTenTwentyFour) {
    const ProgramRun run = Run("1024x768", "0,11,19,20,70", 71);
    for (const BarsCase& c : kBarsCases) {
        ExpectPositions(Frame(run, c.frame), 1024, 400, c.positions, c.frame);
    }
    const Picture late = Frame(run, 70);
    ExpectPositions(late, 1024, 400, "..........GBRGBRGBRG", 70);

    // The font is 48 high: the first row fills y 0..47, the second starts at 48 + 4.
    struct RowCase {
        int frame;
        bool warning;
    };
    for (const RowCase& c : {RowCase{0, false}, RowCase{11, true}, RowCase{20, true}, RowCase{70, false}}) {
        SCOPED_TRACE("frame " + std::to_string(c.frame));
        const Picture picture = Frame(run, c.frame);
        const Box first = BoundingBox(picture, 0, 0, 1024, 48, IsDarkInk);
        ASSERT_FALSE(first.empty());
        EXPECT_NEAR((first.left + first.right) / 2.0, 512.0, 10.0);
        EXPECT_EQ(CountPixels(picture, 0, 48, 1024, 52, IsDarkInk), 0);  // the gap between the rows
        // Black ink and dark red ink cannot blend into each other's pure colour over any ground.
        const int black = CountPixels(picture, 0, 52, 1024, 100, Is(kBlack));
        if (c.warning) {
            EXPECT_EQ(black, 0);
            const Box warning = BoundingBox(picture, 0, 52, 1024, 100, Is(kWarningRed));
            ASSERT_FALSE(warning.empty());
            EXPECT_NEAR((warning.left + warning.right) / 2.0, 512.0, 10.0);
        } else {
            EXPECT_GT(black, 100);
            // "1024x768": eight cells of 34 pixels, from 376 to 648.
            const Box size = BoundingBox(picture, 0, 52, 1024, 100, IsDarkInk);
            ASSERT_FALSE(size.empty());
            EXPECT_GE(size.left, 376);
            EXPECT_LE(size.right, 648);
            EXPECT_NEAR((size.left + size.right) / 2.0, 512.0, 8.0);
        }
        EXPECT_EQ(CountPixels(picture, 0, 100, 1024, 740, IsDarkInk), 0);  // no text below the rows
    }
}

}  // namespace
