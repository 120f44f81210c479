// The frame log as the whole program draws it: the ring's lines in two
// columns on white, the newest moving down a row a frame, and the warning.
#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "tests/patterns/picture_probe.h"

namespace {

using namespace pattern_pictures;

// At 1024 x 768: rows 25 pixels apart, character cells 17 wide, columns starting at 17 and 529.
constexpr int kRowHeight = 25;
constexpr int kColumnLeft[2] = {17, 529};

int InkInLine(const Picture& picture, int line) {
    const int column = line / 30;
    const int top = (line % 30) * kRowHeight;
    return CountPixels(picture, kColumnLeft[column] - 17, top, kColumnLeft[column] + 495, top + kRowHeight, IsDarkInk);
}

class LogPictures : public CapturedRunSuite<LogPictures> {
protected:
    static void SetUpTestSuite() {
        run_ = std::make_unique<ProgramRun>(RunCapturing({}, "at 0 key Right\n", "0,5,29,30,59,60", 61));
    }
};

TEST_F(LogPictures, RingHoldsTheThirtyNewestLines) {
    struct Case {
        int frame;
        int oldest, newest;  // lines holding text, modulo 60; every other line is empty
    };
    const Case cases[] = {{0, 0, 0}, {5, 0, 5}, {29, 0, 29}, {30, 1, 30}, {59, 30, 59}, {60, 31, 60}};
    for (const Case& c : cases) {
        const Picture picture = Frame(c.frame);
        ASSERT_EQ(picture.width, 1024);
        std::set<int> written;
        for (int k = c.oldest; k <= c.newest; ++k) {
            written.insert(k % 60);
        }
        for (int line = 0; line < 60; ++line) {
            const int ink = InkInLine(picture, line);
            if (written.count(line) != 0) {
                EXPECT_GT(ink, 50) << "frame " << c.frame << " line " << line << " should hold text";
            } else {
                EXPECT_EQ(ink, 0) << "frame " << c.frame << " line " << line << " should be empty";
            }
        }
        EXPECT_EQ(picture.at(5, 5), kWhite);
        EXPECT_EQ(picture.at(1020, 700), kWhite);
    }
}

TEST_F(LogPictures, LinesStartInTheirColumnAndRow) {
    const Picture picture = Frame(30);  // line 30 at the top of the right column, lines 1..29 on the left
    const Box right = BoundingBox(picture, 512, 0, 1024, kRowHeight, IsDarkInk);
    ASSERT_FALSE(right.empty());
    EXPECT_GE(right.left, 529);
    EXPECT_LE(right.left, 535);
    EXPECT_GE(right.top, 0);
    const Box left = BoundingBox(picture, 0, kRowHeight, 512, 2 * kRowHeight, IsDarkInk);
    ASSERT_FALSE(left.empty());
    EXPECT_GE(left.left, 17);
    EXPECT_LE(left.left, 23);
    EXPECT_GE(left.top, kRowHeight);
    EXPECT_LE(left.bottom, 2 * kRowHeight);
    // "00001 00:00:00.017 fps:0.0" is 26 cells of 17 pixels.
    EXPECT_LE(left.right, 17 + 26 * 17);
    EXPECT_GT(left.right, 17 + 25 * 17);
}

TEST_F(LogPictures, WarningIsCentredOverTheLog) {
    for (int k : {0, 60}) {
        EXPECT_EQ(CountPixels(Frame(k), 0, 0, 1024, 750, IsReddish), 0) << "frame " << k;
    }
    const Picture picture = Frame(5);
    // The warning font is 51 high; "Warning" is seven cells of 27 pixels: the box is
    // (512 - 94, 384 - 25) to (512 + 94, 384 + 25).
    const Box warning = BoundingBox(picture, 0, 0, 1024, 750, IsReddish);
    ASSERT_FALSE(warning.empty());
    EXPECT_GE(warning.left, 418);
    EXPECT_LE(warning.right, 606);
    EXPECT_GE(warning.top, 359);
    EXPECT_LE(warning.bottom, 409);
    EXPECT_NEAR((warning.left + warning.right) / 2.0, 512.0, 6.0);
    EXPECT_GT(CountPixels(picture, 418, 359, 606, 409, Is(kWarningRed)), 200);
}

}  // namespace
