#include "platform/virtual/virtual_clock.h"

namespace platform::virtual_display {

void VirtualClock::AdvanceOneRefresh(unsigned refreshHz) {
    constexpr std::uint64_t kSecond = 1000000;
    const unsigned hz = refreshHz == 0 ? 60 : refreshHz;
    if (hz != remainderHz_) {
        // A new rate starts its own count; a partial microsecond of the old rate is dropped.
        remainderHz_ = hz;
        remainder_ = 0;
    }
    now_ += kSecond / hz;
    remainder_ += kSecond % hz;
    if (remainder_ >= hz) {
        now_ += 1;
        remainder_ -= hz;
    }
}

}  // namespace platform::virtual_display
