// The program-wide run state: pattern, clock, frame statistics, activity,
// the settings chosen in the dialog and the start-up strings. One record in
// static storage, read and written directly by the code that owns each field;
// everything runs on the one thread, so nothing here is locked.
#pragma once

#include <cstdint>

#include "platform/windows.h"

enum PatternKind : std::int32_t {
    ClockDial = 0,
    FrameLog = 1,
    MovingBars = 2,
};

enum DisplayLayout : std::int32_t {
    Clone = 0,
    HorizontalSpan = 1,
    VerticalSpan = 2,
};

// A display size, ordered by width, then height.
struct Resolution {
    std::uint32_t width;
    std::uint32_t height;
};

inline bool operator<(const Resolution& a, const Resolution& b) {
    return a.width < b.width || (a.width == b.width && a.height < b.height);
}
inline bool operator==(const Resolution& a, const Resolution& b) {
    return a.width == b.width && a.height == b.height;
}

struct RunState {
    // Pattern and clock
    std::int32_t Pattern;     // a PatternKind, always 0..2
    std::uint32_t ElapsedMs;  // ms since StartMs at the start of the current frame, modulo 2^32
    std::uint32_t StartMs;    // timeGetTime when the output started

    // Frame statistics
    std::uint32_t FrameCounter;      // 0..99999
    std::uint32_t TickIndex;         // 0..59
    std::uint32_t FramesInWindow;    // frames counted in the current rate window
    std::uint32_t WindowStartMs;     // timeGetTime at which the rate window began
    std::uint32_t LastFrameMs;       // timeGetTime at the start of the previous frame
    float Fps;                       // 0.0 until the first window closes, then above 0
    std::uint32_t WarningCountdown;  // frames still showing "Warning", 0..30

    // Activity: the WM_ACTIVATEAPP wParam as received
    std::uint32_t Active;

    // Settings chosen before the output opens
    std::uint32_t VersionMajor;
    std::uint32_t VersionMinor;
    Resolution Desktop;
    std::uint32_t ScreenWidth;
    std::uint32_t ScreenHeight;
    std::int32_t Layout;  // a DisplayLayout

    // Start-up values
    HINSTANCE Instance;
    char WindowTitle[100];
    char WindowClass[100];
};

extern RunState g_RunState;

// The hours, minutes, seconds and milliseconds of an elapsed time.
struct TimeCode {
    std::uint32_t Hours;  // modulo 100
    std::uint32_t Minutes;
    std::uint32_t Seconds;
    std::uint32_t Milliseconds;
};

TimeCode TimeCodeFromElapsed(std::uint32_t elapsedMs);

// Runs once at the end of every rendered frame with the timeGetTime value taken at the frame's
// start: advances the counters, measures the rate over 500 ms windows and arms the warning.
void UpdateFrameStatistics(std::uint32_t now);
