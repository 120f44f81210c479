#include "platform/virtual/failure_injection.h"

namespace platform::virtual_display {

bool FailureInjection::ShouldFail(const std::string& name) {
    const std::uint64_t call = calls_[name]++;
    for (const FailureRule& rule : rules_) {
        if (rule.name == name && (rule.everyCall || rule.callIndex == call)) {
            return true;
        }
    }
    return false;
}

}  // namespace platform::virtual_display
