// Frame statistics and the time code: the numbers every pattern prints.
#include <gtest/gtest.h>

#include <cstdio>

#include "app/run_state.h"

namespace {

// A run that started at `start` with the statistics as start-up leaves them.
void StartRun(std::uint32_t start) {
    g_RunState = RunState{};
    g_RunState.StartMs = start;
    g_RunState.WindowStartMs = start;
    g_RunState.LastFrameMs = start;
}

// Frames every `step` ms from the run's start; returns the last frame's stamp.
std::uint32_t RunFrames(int count, std::uint32_t step) {
    std::uint32_t now = g_RunState.LastFrameMs;
    for (int i = 0; i < count; ++i) {
        now += step;
        UpdateFrameStatistics(now);
    }
    return now;
}

TEST(TimeCode, ReadsElapsedMilliseconds) {
    struct Case {
        std::uint32_t elapsed;
        const char* expected;
    } cases[] = {
        {0, "00:00:00.000"},
        {3723004, "01:02:03.004"},
        {360000000, "00:00:00.000"},  // exactly 100 hours: the hours wrap
        {359999999, "99:59:59.999"},
        {4294967295u, "93:02:47.295"},
    };
    for (const Case& c : cases) {
        const TimeCode t = TimeCodeFromElapsed(c.elapsed);
        char text[32];
        std::snprintf(text, sizeof text, "%02u:%02u:%02u.%03u", t.Hours, t.Minutes, t.Seconds, t.Milliseconds);
        EXPECT_STREQ(text, c.expected) << c.elapsed;
    }
}

TEST(FrameStatistics, FirstFrameArmsTheWarningUntilARateIsMeasured) {
    StartRun(1000);
    UpdateFrameStatistics(1000);
    EXPECT_EQ(g_RunState.FrameCounter, 1u);
    EXPECT_EQ(g_RunState.TickIndex, 1u);
    EXPECT_EQ(g_RunState.Fps, 0.0f);
    EXPECT_EQ(g_RunState.WarningCountdown, 30u);
    // Every update re-arms it while Fps is still 0.
    RunFrames(28, 17);
    EXPECT_EQ(g_RunState.Fps, 0.0f);
    EXPECT_EQ(g_RunState.WarningCountdown, 30u);
}

TEST(FrameStatistics, CountersWrap) {
    StartRun(0);
    g_RunState.FrameCounter = 99999;
    g_RunState.TickIndex = 59;
    g_RunState.FramesInWindow = 100000;
    UpdateFrameStatistics(10);
    EXPECT_EQ(g_RunState.FrameCounter, 0u);
    EXPECT_EQ(g_RunState.TickIndex, 0u);
    EXPECT_EQ(g_RunState.FramesInWindow, 100001u);  // no modulo
}

TEST(FrameStatistics, RateWindows) {
    struct Case {
        std::uint32_t framesBefore;
        std::uint32_t windowLength;
        bool closes;
        float fps;
    } cases[] = {
        {29, 500, true, 60.0f},
        {29, 499, false, 0.0f},
        {30, 517, true, 59.961315f},
        {19, 500, true, 40.0f},
        {64, 500, true, 130.0f},
    };
    for (const Case& c : cases) {
        StartRun(5000);
        g_RunState.FramesInWindow = c.framesBefore;
        UpdateFrameStatistics(5000 + c.windowLength);
        EXPECT_EQ(g_RunState.Fps, c.fps) << c.windowLength;
        EXPECT_EQ(g_RunState.FramesInWindow, c.closes ? 0u : c.framesBefore + 1);
        EXPECT_EQ(g_RunState.WindowStartMs, c.closes ? 5000 + c.windowLength : 5000u);
    }
    char text[16];
    std::snprintf(text, sizeof text, "%.1f", static_cast<double>(59.961315f));
    EXPECT_STREQ(text, "60.0");
}

// A steady state at `fps` whose window stays open, so only the interval rules can arm the warning.
void SteadyAt(float fps, std::uint32_t lastFrame) {
    StartRun(0);
    g_RunState.Fps = fps;
    g_RunState.WindowStartMs = lastFrame;
    g_RunState.LastFrameMs = lastFrame;
}

TEST(FrameStatistics, WarningRules) {
    struct Case {
        float fps;
        std::uint32_t interval;
        bool warns;
    } cases[] = {
        {60.0f, 30, false},  // exactly 1.8 periods: the test is strict
        {60.0f, 31, true},
        {50.0f, 36, false},  // 1.8 / 50 computes to slightly above 0.036 s
        {50.0f, 37, true},
        {40.0f, 1, false},   // the range bounds themselves are in range
        {130.0f, 1, false},
        {39.9f, 1, true},
        {130.1f, 1, true},
        {144.0f, 7, true},   // a 144 Hz display keeps the warning armed
    };
    for (const Case& c : cases) {
        SteadyAt(c.fps, 100000);
        UpdateFrameStatistics(100000 + c.interval);
        EXPECT_EQ(g_RunState.WarningCountdown, c.warns ? 30u : 0u) << c.fps << " fps, " << c.interval << " ms";
    }
}

TEST(FrameStatistics, ARateWindowThatClosesIsJudgedByItsOwnRate) {
    // 20 frames in 500 ms close at exactly 40 fps: in range, and 25 ms is below 1.8 periods.
    StartRun(0);
    g_RunState.FramesInWindow = 19;
    g_RunState.LastFrameMs = 475;
    UpdateFrameStatistics(500);
    EXPECT_EQ(g_RunState.Fps, 40.0f);
    EXPECT_EQ(g_RunState.WarningCountdown, 0u);
    // 399 frames in 10 s give 39.9 fps: out of range.
    StartRun(0);
    g_RunState.FramesInWindow = 398;
    g_RunState.LastFrameMs = 9990;
    UpdateFrameStatistics(10000);
    EXPECT_EQ(g_RunState.Fps, 39.9f);
    EXPECT_EQ(g_RunState.WarningCountdown, 30u);
}

TEST(FrameStatistics, WarningHoldsThirtyFramesAndReArms) {
    SteadyAt(60.0f, 0);
    RunFrames(1, 50);  // frame k arms the hold
    EXPECT_EQ(g_RunState.WarningCountdown, 30u);
    // Frames k+1 .. k+30 are drawn with countdowns 30 .. 1; a new trigger on k+10 restarts it.
    std::uint32_t shown[45];
    for (int i = 0; i < 45; ++i) {
        shown[i] = g_RunState.WarningCountdown;
        RunFrames(1, i == 9 ? 50 : 16);
        g_RunState.WindowStartMs = g_RunState.LastFrameMs;  // keep the rate at 60
    }
    EXPECT_EQ(shown[0], 30u);
    EXPECT_EQ(shown[9], 21u);
    EXPECT_EQ(shown[10], 30u);  // re-armed by frame k+10
    EXPECT_EQ(shown[39], 1u);   // the hold now ends with frame k+40
    EXPECT_EQ(shown[40], 0u);
}

TEST(FrameStatistics, ClockWrapDuringARun) {
    StartRun(0xFFFFFF00u);
    g_RunState.Fps = 60.0f;
    g_RunState.FramesInWindow = 29;
    g_RunState.LastFrameMs = 0xFFFFFFF8u;
    UpdateFrameStatistics(0x00000008u);  // 16 ms after the last frame, 264 ms into the window
    EXPECT_EQ(g_RunState.WarningCountdown, 0u);
    EXPECT_EQ(g_RunState.FramesInWindow, 30u);
    UpdateFrameStatistics(0x000000F4u);  // the window is now 500 ms long (and this frame was late)
    EXPECT_EQ(g_RunState.FramesInWindow, 0u);
    EXPECT_EQ(g_RunState.Fps, 62.0f);
    EXPECT_EQ(g_RunState.WindowStartMs, 0x000000F4u);
    EXPECT_EQ(static_cast<std::uint32_t>(0x00000008u - g_RunState.StartMs), 264u);
}

}  // namespace
