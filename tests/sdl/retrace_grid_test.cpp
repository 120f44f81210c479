#include "platform/sdl/retrace_grid.h"

#include <gtest/gtest.h>

namespace platform::sdl {
namespace {

constexpr std::uint64_t kMs = 1'000'000;

// A frame loop that works `workNs` after every retrace: each wait ends on the next grid point,
// and over one second the periods add up to exactly one second.
TEST(RetraceGrid, PeriodsAddUpExactlyWithoutDrift) {
    const struct {
        unsigned hz;
        std::uint64_t shortPeriod;
    } cases[] = {{60, 16'666'666}, {75, 13'333'333}, {144, 6'944'444}, {50, 20'000'000}};
    for (const auto& c : cases) {
        const std::uint64_t origin = 5'000 * kMs + 123;
        RetraceGrid grid = StartRetraceGrid(origin, c.hz);
        std::uint64_t now = origin + 2 * kMs, previous = origin;
        for (unsigned frame = 1; frame <= c.hz * 3; ++frame) {
            const std::uint64_t retrace = NextRetraceNs(&grid, now);
            const std::uint64_t period = retrace - previous;
            ASSERT_TRUE(period == c.shortPeriod || period == c.shortPeriod + 1) << c.hz << " Hz, frame " << frame;
            previous = retrace;
            now = retrace + 3 * kMs;  // wake-up and drawing take a while
        }
        EXPECT_EQ(previous, origin + 3'000 * kMs) << c.hz << " Hz";
    }
}

TEST(RetraceGrid, LateFrameWaitsForTheNextRetraceOnTheGrid) {
    RetraceGrid grid = StartRetraceGrid(0, 60);
    EXPECT_EQ(NextRetraceNs(&grid, 1 * kMs), 16'666'666u);
    // Drawing stalled 40 ms past that retrace: the 16.7 ms grid resumes at its 4th point, not 40 ms later.
    EXPECT_EQ(NextRetraceNs(&grid, 16'666'666 + 40 * kMs), 66'666'666u);
    EXPECT_EQ(NextRetraceNs(&grid, 66'666'666 + kMs), 83'333'333u);
}

TEST(RetraceGrid, EveryPresentWaitsForARetraceOfItsOwn) {
    RetraceGrid grid = StartRetraceGrid(1000, 60);
    // Exactly on a grid point: that retrace has passed, the next one is waited for.
    EXPECT_EQ(NextRetraceNs(&grid, 1000), 1000 + 16'666'666u);
    // Two presents within one period (the clock did not move): the second takes a whole period more.
    EXPECT_EQ(NextRetraceNs(&grid, 1000 + kMs), 1000 + 33'333'333u);
    // A clock reading before the origin still waits for a retrace after the last one.
    EXPECT_EQ(NextRetraceNs(&grid, 0), 1000 + 50'000'000u);
}

TEST(RetraceGrid, UnknownRefreshRateRunsAtSixtyHertz) {
    RetraceGrid grid = StartRetraceGrid(0, 0);
    EXPECT_EQ(grid.hz, 60u);
    EXPECT_EQ(NextRetraceNs(&grid, 0), 16'666'666u);
}

TEST(RetraceGrid, LargeClockValuesDoNotOverflow) {
    // Ten years of uptime at 240 Hz: the products need more than 64 bits.
    const std::uint64_t tenYears = 10ull * 365 * 24 * 3600 * 1'000'000'000ull;
    RetraceGrid grid = StartRetraceGrid(7, 240);
    const std::uint64_t retrace = NextRetraceNs(&grid, 7 + tenYears);
    EXPECT_GT(retrace, 7 + tenYears);
    EXPECT_LE(retrace, 7 + tenYears + 4'166'667);
    EXPECT_EQ(retrace, RetraceTimeNs(grid, grid.lastIndex));
    EXPECT_LE(RetraceTimeNs(grid, grid.lastIndex - 1), 7 + tenYears);
}

TEST(RetraceGrid, PresentsFasterThanHalfThePeriodMeanNoRetraceWait) {
    const struct {
        std::uint64_t elapsedNs;
        std::uint64_t frames;
        unsigned hz;
        bool outrun;
    } cases[] = {
        {100 * kMs, kOutrunFrames - 1, 60, false},  // too few frames to judge
        {100 * kMs, kOutrunFrames, 60, true},
        {500 * kMs - 1, 60, 60, true},
        {500 * kMs, 60, 60, false},
        {980 * kMs, 60, 60, false},  // a real 60 Hz retrace
        {950 * kMs, 60, 0, false},   // SDL's own 16 ms imitation at an unknown rate
        {450 * kMs, 120, 144, false},
        {400 * kMs, 120, 0, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PresentsOutrunRetrace(c.elapsedNs, c.frames, c.hz), c.outrun)
            << c.frames << " frames in " << c.elapsedNs << " ns at " << c.hz << " Hz";
    }
}

}  // namespace
}  // namespace platform::sdl
