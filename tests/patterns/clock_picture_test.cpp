// The clock dial as the whole program draws it, frame by frame.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "tests/patterns/picture_probe.h"

namespace {

using namespace pattern_pictures;

constexpr double kDegree = 3.14159265358979323846 / 180.0;

// A pixel at angle degrees clockwise from the top and the given distance from the centre.
Rgb OnDial(const Picture& picture, int cx, int cy, double degrees, double radius) {
    const int x = static_cast<int>(std::lround(cx + std::sin(degrees * kDegree) * radius));
    const int y = static_cast<int>(std::lround(cy - std::cos(degrees * kDegree) * radius));
    return picture.at(x, y);
}

// Checks the ring of one dial: only tick `lit` white, the rest black, long ticks every fifth,
// the dark blue ground between the ticks.
void ExpectRing(const Picture& picture, int cx, int cy, int r, int lit, const std::string& where) {
    for (int i = 0; i < 60; ++i) {
        const Rgb tick = i == lit ? kWhite : kBlack;
        EXPECT_EQ(OnDial(picture, cx, cy, i * 6.0, 0.875 * r), tick) << where << " tick " << i;
        // Between 0.8 r and 0.85 r only the long ticks reach.
        EXPECT_EQ(OnDial(picture, cx, cy, i * 6.0, 0.825 * r), i % 5 == 0 ? tick : kDarkBlue) << where << " tick " << i;
        EXPECT_EQ(OnDial(picture, cx, cy, i * 6.0 + 3.0, 0.875 * r), kDarkBlue) << where << " gap after tick " << i;
        EXPECT_EQ(OnDial(picture, cx, cy, i * 6.0, 0.95 * r), kDarkBlue) << where << " outside tick " << i;
    }
}

class ClockPictures : public CapturedRunSuite<ClockPictures> {
protected:
    static void SetUpTestSuite() {
        run_ = std::make_unique<ProgramRun>(RunCapturing({}, "", "0,15,30,45,59,60,75,90,119", 120));
    }
};

TEST_F(ClockPictures, LitTickAdvancesOnePlaceAFrame) {
    for (int k : {0, 15, 30, 45, 59, 60, 75, 119}) {
        const Picture picture = Frame(k);
        ASSERT_EQ(picture.width, 1024);
        ASSERT_EQ(picture.height, 768);
        EXPECT_EQ(picture.at(0, 0), kDarkBlue);
        EXPECT_EQ(picture.at(512, 160), kDarkBlue);
        ExpectRing(picture, 512, 384, 384, k % 60, "frame " + std::to_string(k));
    }
}

// The four text rows start at y = 246, 338, 430 and 522 and are 76 pixels high; between
// x = 322 and 702 no tick comes near them.
constexpr int kRowTops[4] = {246, 338, 430, 522};
constexpr int kRowHeight = 76;
constexpr int kTextLeft = 322, kTextRight = 702;

int WhiteInRow(const Picture& picture, int row) {
    return CountPixels(picture, kTextLeft, kRowTops[row], kTextRight, kRowTops[row] + kRowHeight, Is(kWhite));
}

TEST_F(ClockPictures, TextRowsFollowRateAndWarning) {
    struct Case {
        int frame;
        bool rate;     // the frame-rate row is drawn once the first rate window has closed
        bool warning;  // "Warning" in dark red in place of the size
    };
    // The first frame has neither; the warning is armed from frame 0's update until the first
    // window closes (frame 30) and then held for 30 more frames.
    const Case cases[] = {{0, false, false}, {15, false, true}, {30, false, true}, {45, true, true},
                          {59, true, true},  {60, true, false}, {90, true, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE("frame " + std::to_string(c.frame));
        const Picture picture = Frame(c.frame);
        EXPECT_GT(WhiteInRow(picture, 0), 100);  // frame counter
        EXPECT_GT(WhiteInRow(picture, 1), 100);  // time code
        // Nothing at all is drawn in a missing rate row.
        const int rateInk =
            CountPixels(picture, kTextLeft, kRowTops[2], kTextRight, kRowTops[2] + kRowHeight, [](Rgb p) { return p != kDarkBlue; });
        if (c.rate) {
            EXPECT_GT(WhiteInRow(picture, 2), 100);
        } else {
            EXPECT_EQ(rateInk, 0);
        }
        const int redInLast = CountPixels(picture, kTextLeft, kRowTops[3], kTextRight, kRowTops[3] + kRowHeight, Is(kWarningRed));
        if (c.warning) {
            EXPECT_GT(redInLast, 100);
            EXPECT_EQ(WhiteInRow(picture, 3), 0);
        } else {
            EXPECT_EQ(redInLast, 0);
            EXPECT_GT(WhiteInRow(picture, 3), 100);
        }
        // No ink in the gaps between the rows' cells, above the first or below the last.
        for (int gapTop : {230, 322, 414, 506, 598}) {
            EXPECT_EQ(CountPixels(picture, kTextLeft, gapTop, kTextRight, gapTop + 16, [](Rgb p) { return p != kDarkBlue; }), 0)
                << "gap at " << gapTop;
        }
    }
}

TEST_F(ClockPictures, RowsStandInOrderCentredOnTheDial) {
    const Picture picture = Frame(60);
    // Cells are 38 pixels wide: "00060", "00:00:01.000", "62.0fps" (or "60.0fps"), "1024x768".
    const int cells[4] = {5, 12, 7, 8};
    for (int row = 0; row < 4; ++row) {
        const Box box = BoundingBox(picture, kTextLeft - 40, kRowTops[row], kTextRight + 40, kRowTops[row] + kRowHeight,
                                    Is(kWhite));
        ASSERT_FALSE(box.empty()) << "row " << row;
        EXPECT_LE(box.right - box.left, cells[row] * 38) << "row " << row;
        EXPECT_GT(box.right - box.left, (cells[row] - 1) * 38) << "row " << row;
        EXPECT_GE(box.left, 512 - cells[row] * 19) << "row " << row;
        EXPECT_LE(box.right, 512 + cells[row] * 19) << "row " << row;
        EXPECT_NEAR((box.left + box.right) / 2.0, 512.0, 8.0) << "row " << row;
    }
}

}  // namespace
