// The whole program on the virtual backend: start-up, the main loop, the
// close paths and the frame driver's overlay, seen from outside.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "tests/support/run_program.h"

namespace {

using ostrivan_test::Picture;
using ostrivan_test::ProgramRun;
using ostrivan_test::Rgb;
using ostrivan_test::RunOptions;
using ostrivan_test::RunProgram;

constexpr Rgb kDialBlue{0, 65, 132};  // 0xff004080 in R5G6B5, widened again
constexpr Rgb kWhite{255, 255, 255};

RunOptions Options(const std::string& script, std::initializer_list<std::pair<std::string, std::string>> env = {}) {
    RunOptions options;
    options.hasScript = !script.empty();
    options.script = script;
    options.environment = env;
    return options;
}

int CountFrames(const ProgramRun& run) {
    const auto files = run.CapturedFiles();
    return static_cast<int>(std::count_if(files.begin(), files.end(),
                                          [](const std::string& f) { return f.rfind("frame-", 0) == 0; }));
}

bool HasLine(const ProgramRun& run, const std::string& line) {
    const auto lines = ostrivan_test::Lines(run.standardError);
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST(Program, LeavingTheDialogEndsTheRunWithNothingShown) {
    for (const char* script : {"dialog key Escape\n", "dialog key alt+x\n", "dialog close\n", "dialog key alt+F4\n"}) {
        const ProgramRun run = RunProgram(Options(script));
        ASSERT_TRUE(run.started) << run.error;
        EXPECT_EQ(run.exitCode, 0) << script << run.standardError;
        EXPECT_EQ(CountFrames(run), 0) << script;
        EXPECT_EQ(run.standardError.find("Error"), std::string::npos) << run.standardError;
    }
}

TEST(Program, EscapeEndsTheRunAfterTheFramesBeforeIt) {
    const ProgramRun run = RunProgram(Options("at 12 key Escape\n"));
    EXPECT_EQ(run.exitCode, 0) << run.standardError;
    EXPECT_EQ(CountFrames(run), 12);
}

TEST(Program, TheFrameLimitClosesTheOutput) {
    const ProgramRun run = RunProgram(Options("", {{"OSTRIVAN_VIRTUAL_FRAMES", "7"}}));
    EXPECT_EQ(run.exitCode, 0) << run.standardError;
    EXPECT_EQ(CountFrames(run), 7);
}

TEST(Program, NoFramesWhileInactive) {
    // Deactivated before frame 5 and never activated again: the program waits, and a waiting
    // headless run is closed, so exactly frames 0 to 4 exist.
    ProgramRun run = RunProgram(Options("at 5 deactivate\n", {{"OSTRIVAN_VIRTUAL_FRAMES", "50"}}));
    EXPECT_EQ(run.exitCode, 0) << run.standardError;
    EXPECT_EQ(CountFrames(run), 5);
    // Activated again after a pause, the run goes on to its frame limit.
    run = RunProgram(Options("at 5 deactivate\nwait 2000 activate\n", {{"OSTRIVAN_VIRTUAL_FRAMES", "12"}}));
    EXPECT_EQ(run.exitCode, 0) << run.standardError;
    EXPECT_EQ(CountFrames(run), 12);
}

TEST(Program, QueuedMessagesComeBeforeTheNextFrame) {
    // Four steps queued before frame 3 all land before it is drawn: it shows the frame log.
    const ProgramRun run = RunProgram(Options("at 3 key Right\nat 3 key Right\nat 3 key Right\nat 3 key Right\n",
                                              {{"OSTRIVAN_VIRTUAL_FRAMES", "4"}}));
    Picture before, after;
    ASSERT_TRUE(run.ReadFrame(2, &before));
    ASSERT_TRUE(run.ReadFrame(3, &after));
    EXPECT_EQ(before.at(3, 300), kDialBlue);
    EXPECT_EQ(after.at(3, 300), kWhite);
}

TEST(Program, StartUpFailuresShowOneErrorAndEndWithZero) {
    struct Case {
        const char* fail;
        const char* line;
        bool dialogShown;
    } cases[] = {
        {"GetProcessAffinityMask", "Error: Failed GetProcessAffinityMask", false},
        {"Direct3DCreate9", "Error: Failed Direct3DCreate9", false},
        {"GetAdapterDisplayMode", "Error: Failed GetAdapterDisplayMode", false},
        {"EnumAdapterModes@3", "Error: Failed EnumAdapterModes", false},
        {"RegisterClassEx", "Error: Failed RegisterClassEx", true},
        {"CreateWindow", "Error: Failed CreateWindow", true},
        {"CreateDevice", "Error: Failed CreateDevice", true},
        {"CreateOffscreenPlainSurface", "Error: Failed CreateOffscreenPlainSurface", true},
    };
    for (const Case& c : cases) {
        const ProgramRun run = RunProgram(Options("", {{"OSTRIVAN_VIRTUAL_FAIL", c.fail}}));
        EXPECT_EQ(run.exitCode, 0) << c.fail;
        EXPECT_TRUE(HasLine(run, c.line)) << c.fail << ": " << run.standardError;
        EXPECT_EQ(run.standardError.find("Error:"), run.standardError.rfind("Error:")) << "one box only";
        EXPECT_EQ(CountFrames(run), 0) << c.fail;
        const auto files = run.CapturedFiles();
        EXPECT_EQ(std::find(files.begin(), files.end(), "dialog.png") != files.end(), c.dialogShown) << c.fail;
    }
    // No 16-bit modes at all, and a desktop size the adapter cannot show full screen.
    ProgramRun run = RunProgram(Options("", {{"OSTRIVAN_VIRTUAL_MODES", ""}}));
    EXPECT_TRUE(HasLine(run, "Error: Failed GetAdapterModeCount")) << run.standardError;
    EXPECT_EQ(run.exitCode, 0);
    run = RunProgram(Options("", {{"OSTRIVAN_VIRTUAL_DESKTOP", "1600x900"}}));
    EXPECT_TRUE(HasLine(run, "Error: Failed CreateDevice")) << run.standardError;
    EXPECT_EQ(run.exitCode, 0);
}

TEST(Program, FrameFailuresAreSkippedAndTheRunGoesOn) {
    for (const char* fail : {"BeginScene@2", "GetBackBuffer@1", "GetDC@1", "Present@3", "BeginScene"}) {
        const ProgramRun run = RunProgram(Options("", {{"OSTRIVAN_VIRTUAL_FAIL", fail}, {"OSTRIVAN_VIRTUAL_FRAMES", "6"}}));
        EXPECT_EQ(run.exitCode, 0) << fail << run.standardError;
        EXPECT_EQ(run.standardError.find("Error"), std::string::npos) << fail;
    }
    // A lost device keeps presenting (and counting) until it can be taken back and reset.
    const ProgramRun run =
        RunProgram(Options("at 3 lose-device\nat 6 restore-device\n", {{"OSTRIVAN_VIRTUAL_FRAMES", "10"}}));
    EXPECT_EQ(run.exitCode, 0) << run.standardError;
    Picture frame;
    ASSERT_TRUE(run.ReadFrame(9, &frame));
    EXPECT_EQ(frame.at(3, 300), kDialBlue);
}

TEST(Program, BadSettingsStopBeforeAnythingRuns) {
    for (const auto& [name, value] : {std::pair{"OSTRIVAN_VIRTUAL_MODES", "800x"}, {"OSTRIVAN_VIRTUAL_CLOCK", "-1"},
                                      {"OSTRIVAN_VIRTUAL_FAIL", "Nothing"}, {"OSTRIVAN_PLATFORM", "mystery"}}) {
        const ProgramRun run = RunProgram(Options("", {{name, value}}));
        EXPECT_EQ(run.exitCode, 2) << name;
        EXPECT_EQ(ostrivan_test::Lines(run.standardError).size(), 1u) << run.standardError;
        EXPECT_EQ(CountFrames(run), 0);
    }
    const ProgramRun run = RunProgram(Options("at x key Right\n"));
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.standardError.find("line 1"), std::string::npos) << run.standardError;
}

// Pixels that differ from the dial's background in the bottom rows of frame 0 at 1024 x 768,
// where the overlay is the only thing drawn.
TEST(Program, OverlaySitsInTheBottomCornersInItsMeasuredBoxes) {
    const ProgramRun run = RunProgram(Options("", {{"OSTRIVAN_VIRTUAL_FRAMES", "1"}}));
    Picture frame;
    ASSERT_TRUE(run.ReadFrame(0, &frame));
    ASSERT_EQ(frame.width, 1024);
    // The overlay font's cell is 16 pixels high and 8 wide: "Ver.1.4" is 56 wide, the hint 136.
    const int top = 768 - 16, versionLeft = 1024 - 56, hintRight = 136;
    int inVersion = 0, inHint = 0, red = 0;
    for (int y = 735; y < 768; ++y) {  // below the dial's ring (its ticks end at 384 + 345)
        for (int x = 0; x < 1024; ++x) {
            const Rgb p = frame.at(x, y);
            if (p == kDialBlue) {
                continue;
            }
            const bool versionBox = y >= top && x >= versionLeft;
            const bool hintBox = y >= top && x < hintRight;
            ASSERT_TRUE(versionBox || hintBox) << "overlay pixel outside its boxes at " << x << "," << y;
            inVersion += versionBox;
            inHint += hintBox;
            red += p == Rgb{255, 0, 0};
        }
    }
    EXPECT_GT(inVersion, 40);
    EXPECT_GT(inHint, 100);
    EXPECT_GT(red, 50);  // the glyphs' solid parts are pure red
}

}  // namespace
