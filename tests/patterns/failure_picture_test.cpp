// Frames whose pattern could not reach a device context: the triangles stay,
// the pattern's text is missing, and the overlay still comes on top.
#include <gtest/gtest.h>

#include <string>

#include "tests/patterns/picture_probe.h"

namespace {

using namespace pattern_pictures;

// The overlay's hint in red at the bottom-left corner shows that only the pattern's call failed.
bool HasOverlay(const Picture& picture) { return CountPixels(picture, 0, 752, 140, 768, IsReddish) > 20; }

TEST(FailurePictures, ClockAndBarsKeepTheirTrianglesWithoutText) {
    struct Case {
        const char* script;
        const char* failure;
        bool clock;
    };
    const Case cases[] = {
        {"", "GetBackBuffer@0", true},
        {"", "GetDC@0", true},
        {"at 0 key Left\n", "GetBackBuffer@0", false},
        {"at 0 key Left\n", "GetDC@0", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.clock ? "clock " : "bars ") + c.failure);
        const ProgramRun run = RunCapturing({{"OSTRIVAN_VIRTUAL_FAIL", c.failure}}, c.script, "0,1", 2);
        Picture picture;
        ASSERT_TRUE(run.ReadFrame(0, &picture));
        EXPECT_TRUE(HasOverlay(picture));
        if (c.clock) {
            EXPECT_EQ(picture.at(512, 384 - 336), kWhite);  // the lit tick 0
            EXPECT_EQ(CountPixels(picture, 322, 246, 702, 598, [](Rgb p) { return p != kDarkBlue; }), 0);
        } else {
            EXPECT_EQ(picture.at(25, 400), kRed);
            EXPECT_EQ(picture.at(1000, 400), kWhite);
            EXPECT_EQ(CountPixels(picture, 0, 0, 1024, 740, IsDarkInk), 0);
        }
        // The next frame has its text again.
        ASSERT_TRUE(run.ReadFrame(1, &picture));
        if (c.clock) {
            EXPECT_GT(CountPixels(picture, 322, 246, 702, 598, Is(kWhite)), 1000);
        } else {
            EXPECT_GT(CountPixels(picture, 0, 0, 1024, 100, IsDarkInk), 1000);
        }
    }
}

TEST(FailurePictures, LogStillWritesItsLineWhenTheSurfaceHasNoDc) {
    const ProgramRun run = RunCapturing({{"OSTRIVAN_VIRTUAL_FAIL", "GetDC@0"}}, "at 0 key Right\n", "0,1", 2);
    Picture picture;
    ASSERT_TRUE(run.ReadFrame(0, &picture));
    // Nothing was drawn into the offscreen surface, which starts black; the copy still happens.
    EXPECT_EQ(CountPixels(picture, 0, 0, 1024, 750, Is(kBlack)), 1024 * 750);
    EXPECT_TRUE(HasOverlay(picture));
    // Frame 0's line was kept and shows in frame 1 above frame 1's own.
    ASSERT_TRUE(run.ReadFrame(1, &picture));
    EXPECT_GT(CountPixels(picture, 0, 0, 512, 25, IsDarkInk), 50);
    EXPECT_GT(CountPixels(picture, 0, 25, 512, 50, IsDarkInk), 50);
    EXPECT_EQ(CountPixels(picture, 0, 50, 1024, 750, IsDarkInk), 0);
}

}  // namespace
