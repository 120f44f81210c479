// Injected failures: counts the calls of each named service and says which must fail.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/virtual/settings.h"

namespace platform::virtual_display {

class FailureInjection {
public:
    FailureInjection() = default;
    explicit FailureInjection(std::vector<FailureRule> rules) : rules_(std::move(rules)) {}

    // Counts this call of `name` (calls are numbered from 0) and returns whether a rule makes it fail.
    bool ShouldFail(const std::string& name);

private:
    std::vector<FailureRule> rules_;
    std::map<std::string, std::uint64_t> calls_;
};

}  // namespace platform::virtual_display
