#include "platform/sdl/retrace_grid.h"

#include <algorithm>

namespace platform::sdl {

namespace {

constexpr std::uint64_t kNsPerSecond = 1'000'000'000;

}  // namespace

RetraceGrid StartRetraceGrid(std::uint64_t nowNs, unsigned modeHz) {
    return RetraceGrid{nowNs, PacingRefreshHz(modeHz), 0};
}

std::uint64_t RetraceTimeNs(const RetraceGrid& grid, std::uint64_t index) {
    // In 128 bits: index * 1e9 would overflow 64 bits after some ten years of frames at 60 Hz.
    const unsigned __int128 offset = static_cast<unsigned __int128>(index) * kNsPerSecond / grid.hz;
    return grid.originNs + static_cast<std::uint64_t>(offset);
}

std::uint64_t NextRetraceNs(RetraceGrid* grid, std::uint64_t nowNs) {
    std::uint64_t index = 1;
    if (nowNs > grid->originNs) {
        const unsigned __int128 elapsed = nowNs - grid->originNs;
        index = static_cast<std::uint64_t>(elapsed * grid->hz / kNsPerSecond) + 1;
        // Rounding the grid down can leave point `index` exactly at nowNs: that one has passed.
        if (RetraceTimeNs(*grid, index) <= nowNs) {
            ++index;
        }
    }
    index = std::max(index, grid->lastIndex + 1);
    grid->lastIndex = index;
    return RetraceTimeNs(*grid, index);
}

bool PresentsOutrunRetrace(std::uint64_t elapsedNs, std::uint64_t frames, unsigned modeHz) {
    if (frames < kOutrunFrames) {
        return false;
    }
    const unsigned __int128 halfPeriods = static_cast<unsigned __int128>(frames) * kNsPerSecond / (2 * PacingRefreshHz(modeHz));
    return elapsedNs < halfPeriods;
}

}  // namespace platform::sdl
