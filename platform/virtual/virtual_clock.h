// The virtual clock: microseconds that advance only when a frame is presented
// (one refresh period, exact over time) or when the script says time passes.
#pragma once

#include <cstdint>

namespace platform::virtual_display {

class VirtualClock {
public:
    VirtualClock() = default;
    explicit VirtualClock(std::uint64_t startMicroseconds) : now_(startMicroseconds) {}

    std::uint64_t Now() const { return now_; }

    // One refresh period at refreshHz (0 reads as 60). Periods that do not divide a second evenly
    // carry their remainder, so refreshHz steps always add up to exactly one second.
    void AdvanceOneRefresh(unsigned refreshHz);
    void AdvanceMicroseconds(std::uint64_t microseconds) { now_ += microseconds; }
    // Moves forward to `when`; never backwards.
    void AdvanceTo(std::uint64_t when) {
        if (when > now_) {
            now_ = when;
        }
    }

private:
    std::uint64_t now_ = 0;
    unsigned remainderHz_ = 0;  // the rate the remainder below is counted in
    std::uint64_t remainder_ = 0;  // in 1/remainderHz_ microseconds
};

}  // namespace platform::virtual_display
