#include "app/run_state.h"

RunState g_RunState;

TimeCode TimeCodeFromElapsed(std::uint32_t elapsedMs) {
    TimeCode code;
    code.Hours = elapsedMs / 1000 / 60 / 60 % 100;
    code.Minutes = elapsedMs / 1000 / 60 % 60;
    code.Seconds = elapsedMs / 1000 % 60;
    code.Milliseconds = elapsedMs % 1000;
    return code;
}

namespace {

constexpr std::uint32_t kRateWindowMs = 500;
constexpr std::uint32_t kWarningFrames = 30;
constexpr double kLongFramePeriods = 1.8;
constexpr double kLowestFps = 40.0;
constexpr double kHighestFps = 130.0;

}  // namespace

void UpdateFrameStatistics(std::uint32_t now) {
    RunState& s = g_RunState;
    s.FrameCounter = (s.FrameCounter + 1) % 100000;
    s.TickIndex = (s.TickIndex + 1) % 60;
    s.FramesInWindow = s.FramesInWindow + 1;

    // Unsigned differences stay right when timeGetTime wraps past 2^32.
    const std::uint32_t windowLength = now - s.WindowStartMs;
    if (windowLength >= kRateWindowMs) {
        s.Fps = static_cast<float>(static_cast<double>(s.FramesInWindow) * 1000.0 / static_cast<double>(windowLength));
        s.FramesInWindow = 0;
        s.WindowStartMs = now;
    }

    if (s.WarningCountdown > 0) {
        s.WarningCountdown -= 1;
    }

    // A frame that took longer than 1.8 periods means the computer itself dropped one. Before the
    // first window closes there is no rate to judge by, so the warning stays armed.
    if (!(s.Fps > 0.0f)) {
        s.WarningCountdown = kWarningFrames;
    } else {
        const double interval = static_cast<double>(now - s.LastFrameMs) / 1000.0;
        if ((1.0 / static_cast<double>(s.Fps)) * kLongFramePeriods < interval) {
            s.WarningCountdown = kWarningFrames;
        }
    }

    // Equality with either bound is still in range.
    if (s.Fps > kHighestFps || s.Fps < kLowestFps) {
        s.WarningCountdown = kWarningFrames;
    }

    s.LastFrameMs = now;
}
