// A simulated vertical retrace for outputs whose presents cannot wait for a
// real one (no vsync, as under Xvfb or with SDL's software renderer). Pure
// arithmetic on nanosecond timestamps, so it can be tested without a clock.
#pragma once

#include <cstdint>

namespace platform::sdl {

// Retraces fall on a fixed grid, origin + k * 1e9 / hz nanoseconds (rounded down), so periods add
// up exactly (16666666 or 16666667 ns at 60 Hz) and never drift, and a late frame waits for the
// next retrace as it would on a real display.
struct RetraceGrid {
    std::uint64_t originNs = 0;
    unsigned hz = 60;
    std::uint64_t lastIndex = 0;  // the grid point waited for last; 0 is the origin itself
};

// The refresh rate pacing uses for a mode's rate: the rate itself, or 60 Hz when it is unknown (0).
constexpr unsigned kFallbackRefreshHz = 60;
constexpr unsigned PacingRefreshHz(unsigned modeHz) { return modeHz != 0 ? modeHz : kFallbackRefreshHz; }

// A grid whose origin is nowNs, for a mode's refresh rate (0: unknown).
RetraceGrid StartRetraceGrid(std::uint64_t nowNs, unsigned modeHz);

// The time of grid point `index`.
std::uint64_t RetraceTimeNs(const RetraceGrid& grid, std::uint64_t index);

// The retrace a present at nowNs waits for: the first grid point after nowNs, and never one already
// waited for, so two presents within one period take two periods. Records it as the last one.
std::uint64_t NextRetraceNs(RetraceGrid* grid, std::uint64_t nowNs);

// True when `frames` presents took so little time (under half their periods) that the renderer
// cannot be waiting for a retrace, whatever it claims. Needs at least kOutrunFrames frames to judge.
constexpr std::uint64_t kOutrunFrames = 60;
bool PresentsOutrunRetrace(std::uint64_t elapsedNs, std::uint64_t frames, unsigned modeHz);

}  // namespace platform::sdl
