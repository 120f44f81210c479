// The span layouts as the whole program draws them: each half of the screen
// receives the same complete picture, sized to its own viewport.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "tests/patterns/picture_probe.h"

namespace {

using namespace pattern_pictures;

// Counts the pixels of the first half that differ from the same place in the second half,
// leaving out the bottom 16 rows of each half, where the overlay may write.
int HalvesDiffer(const Picture& picture, bool horizontal) {
    const int w = horizontal ? picture.width / 2 : picture.width;
    const int h = horizontal ? picture.height : picture.height / 2;
    const int dx = horizontal ? w : 0;
    const int dy = horizontal ? 0 : h;
    int differing = 0;
    for (int y = 0; y < h - 16; ++y) {
        for (int x = 0; x < w; ++x) {
            differing += picture.at(x, y) == picture.at(x + dx, y + dy) ? 0 : 1;
        }
    }
    return differing;
}

// Frames 30 and 75 show the clock (with and without the warning), frame 110 the log with 30
// lines, frame 125 the bars.
constexpr const char* kScript = "at 80 key Right\nat 120 key Right\n";
constexpr const char* kFrames = "30,75,110,125";

ProgramRun RunSpan(const char* size, const char* layoutKey) {
    return RunCapturing({{"OSTRIVAN_VIRTUAL_MODES", std::string("1024x768,") + size},
                         {"OSTRIVAN_VIRTUAL_DESKTOP", size}},
                        std::string("dialog key ") + layoutKey + "\n" + kScript, kFrames, 126);
}

TEST(SpanPictures, HorizontalSpanDrawsTwoIdenticalDials) {
    const ProgramRun run = RunSpan("1280x1024", "alt+h");
    Picture picture;
    ASSERT_TRUE(run.ReadFrame(75, &picture));
    ASSERT_EQ(picture.width, 1280);
    // Two 640 x 1024 viewports: r = 320, centres (320, 512) and (960, 512); both light tick 15.
    for (int cx : {320, 960}) {
        for (int i = 0; i < 60; ++i) {
            const double a = i * 6.0 * 3.14159265358979323846 / 180.0;
            const int x = static_cast<int>(std::lround(cx + std::sin(a) * 280.0));
            const int y = static_cast<int>(std::lround(512 - std::cos(a) * 280.0));
            EXPECT_EQ(picture.at(x, y), i == 15 ? kWhite : kBlack) << "dial " << cx << " tick " << i;
        }
        // s = 76 and y0 = 474: the size row "640x1024" starts at 626 in a 64-pixel font.
        const Box size = BoundingBox(picture, cx - 250, 626, cx + 250, 690, Is(kWhite));
        ASSERT_FALSE(size.empty());
        EXPECT_NEAR((size.left + size.right) / 2.0, cx, 8.0);
        EXPECT_GE(size.left, cx - 256);  // eight cells of 32 pixels
        EXPECT_LE(size.right, cx + 256);
    }
    // The middle column between the two viewports belongs to the second dial's ground.
    EXPECT_EQ(picture.at(639, 512), kDarkBlue);
    EXPECT_EQ(picture.at(640, 512), kDarkBlue);
}

TEST(SpanPictures, EachHalfReceivesTheWholePattern) {
    struct Case {
        const char* size;
        const char* key;
        bool horizontal;
    };
    for (const Case& c : {Case{"1280x1024", "alt+h", true}, Case{"1024x1536", "alt+v", false}}) {
        const ProgramRun run = RunSpan(c.size, c.key);
        for (int k : {30, 75, 110, 125}) {
            Picture picture;
            ASSERT_TRUE(run.ReadFrame(static_cast<std::uint64_t>(k), &picture));
            EXPECT_EQ(HalvesDiffer(picture, c.horizontal), 0) << c.size << " frame " << k;
        }
    }
}

}  // namespace
