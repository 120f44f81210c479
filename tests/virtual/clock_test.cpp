#include <gtest/gtest.h>

#include <cstdint>
#include <set>

#include "platform/virtual/virtual_clock.h"

namespace platform::virtual_display {
namespace {

TEST(VirtualClock, RefreshStepsAddUpToWholeSeconds) {
    for (unsigned hz : {60u, 59u, 75u, 144u, 1u, 1000u, 7u}) {
        VirtualClock clock(5000);
        std::set<std::uint64_t> steps;
        for (unsigned frame = 0; frame < 3 * hz; ++frame) {
            const std::uint64_t before = clock.Now();
            clock.AdvanceOneRefresh(hz);
            steps.insert(clock.Now() - before);
        }
        EXPECT_EQ(clock.Now(), 5000u + 3000000u) << hz << " Hz";
        // Every step is the period rounded down or up, never further off.
        EXPECT_GE(*steps.begin(), 1000000u / hz) << hz;
        EXPECT_LE(*steps.rbegin(), 1000000u / hz + 1) << hz;
    }
}

TEST(VirtualClock, SixtyHertzMillisecondsStepBySixteenOrSeventeen) {
    VirtualClock clock;
    std::uint64_t previousMs = 0;
    for (int frame = 0; frame < 60; ++frame) {
        clock.AdvanceOneRefresh(60);
        const std::uint64_t ms = clock.Now() / 1000;
        EXPECT_TRUE(ms - previousMs == 16 || ms - previousMs == 17) << frame;
        previousMs = ms;
    }
    EXPECT_EQ(clock.Now(), 1000000u);
}

TEST(VirtualClock, ZeroRefreshReadsAsSixtyHertz) {
    VirtualClock clock;
    for (int frame = 0; frame < 60; ++frame) {
        clock.AdvanceOneRefresh(0);
    }
    EXPECT_EQ(clock.Now(), 1000000u);
}

TEST(VirtualClock, MillisecondClockWrapsAtThirtyTwoBits) {
    // timeGetTime is the low 32 bits of the milliseconds; starting at its last value it wraps
    // on the first frame and keeps counting from there.
    VirtualClock clock(std::uint64_t{4294967295u} * 1000);
    auto timeGetTime = [&clock] { return static_cast<std::uint32_t>(clock.Now() / 1000); };
    EXPECT_EQ(timeGetTime(), 4294967295u);
    clock.AdvanceOneRefresh(60);
    EXPECT_EQ(timeGetTime(), 15u);  // 4294967295 + 16 ms, modulo 2^32
    EXPECT_EQ(static_cast<std::uint32_t>(timeGetTime() - 4294967295u), 16u);
}

TEST(VirtualClock, AdvanceToNeverGoesBack) {
    VirtualClock clock(100);
    clock.AdvanceTo(50);
    EXPECT_EQ(clock.Now(), 100u);
    clock.AdvanceTo(250);
    EXPECT_EQ(clock.Now(), 250u);
    clock.AdvanceMicroseconds(40000);
    EXPECT_EQ(clock.Now(), 40250u);
}

}  // namespace
}  // namespace platform::virtual_display
