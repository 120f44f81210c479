// The output window procedure: keys and buttons step the pattern, everything
// else goes to DefWindowProcA, activation is stored as received.
#include <gtest/gtest.h>

#include "app/output_window_proc.h"
#include "app/run_state.h"

namespace {

TEST(OutputWindowProc, KeysAndButtonsStepThePattern) {
    struct Case {
        UINT message;
        WPARAM key;
        std::int32_t from;
        std::int32_t to;
    } cases[] = {
        {WM_KEYDOWN, VK_RIGHT, ClockDial, FrameLog},
        {WM_KEYDOWN, VK_RETURN, ClockDial, FrameLog},
        {WM_KEYDOWN, VK_SPACE, FrameLog, MovingBars},
        {WM_LBUTTONDOWN, 0, MovingBars, ClockDial},
        {WM_KEYDOWN, VK_LEFT, ClockDial, MovingBars},
        {WM_KEYDOWN, VK_BACK, MovingBars, FrameLog},
        {WM_RBUTTONDOWN, 0, FrameLog, ClockDial},
        // Keys outside the table, and keys with Alt, change nothing.
        {WM_KEYDOWN, VK_UP, FrameLog, FrameLog},
        {WM_KEYDOWN, VK_DOWN, FrameLog, FrameLog},
        {WM_KEYDOWN, 'A', FrameLog, FrameLog},
        {WM_KEYDOWN, '1', FrameLog, FrameLog},
        {WM_KEYDOWN, VK_F1, FrameLog, FrameLog},
        {WM_SYSKEYDOWN, VK_LEFT, FrameLog, FrameLog},
    };
    for (const Case& c : cases) {
        g_RunState.Pattern = c.from;
        EXPECT_EQ(OutputWindowProc(nullptr, c.message, c.key, 0), 0);
        EXPECT_EQ(g_RunState.Pattern, c.to) << "message " << c.message << " key " << c.key;
    }
}

TEST(OutputWindowProc, ThreeStepsReturnAndRepeatsCount) {
    g_RunState.Pattern = ClockDial;
    for (int i = 0; i < 3; ++i) {
        OutputWindowProc(nullptr, WM_KEYDOWN, VK_RIGHT, KF_REPEAT_BIT | 1);  // auto-repeat steps too
    }
    EXPECT_EQ(g_RunState.Pattern, ClockDial);
    // A double click arrives as two presses and steps twice.
    OutputWindowProc(nullptr, WM_LBUTTONDOWN, 0, 0);
    OutputWindowProc(nullptr, WM_LBUTTONDOWN, 0, 0);
    EXPECT_EQ(g_RunState.Pattern, MovingBars);
}

TEST(OutputWindowProc, ActivationIsStoredAsReceived) {
    g_RunState.Active = 1;
    EXPECT_EQ(OutputWindowProc(nullptr, WM_ACTIVATEAPP, 0, 0), 0);
    EXPECT_EQ(g_RunState.Active, 0u);
    EXPECT_EQ(OutputWindowProc(nullptr, WM_ACTIVATEAPP, 7, 0), 0);
    EXPECT_EQ(g_RunState.Active, 7u);
}

}  // namespace
