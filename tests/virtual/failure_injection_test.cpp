#include <gtest/gtest.h>

#include "platform/virtual/failure_injection.h"

namespace platform::virtual_display {
namespace {

TEST(VirtualFailureInjection, CountsCallsPerName) {
    FailureInjection failures({{"CreateDevice", true, 0}, {"Present", false, 2}, {"Present", false, 4}, {"GetDC", false, 0}});
    struct Step {
        const char* name;
        bool fails;
    };
    const Step steps[] = {
        {"Present", false}, {"CreateDevice", true}, {"Present", false}, {"GetDC", true},  {"Present", true},
        {"GetDC", false},   {"Present", false},     {"Present", true},  {"CreateDevice", true},
        {"Present", false}, {"BeginScene", false},
    };
    int index = 0;
    for (const Step& step : steps) {
        EXPECT_EQ(failures.ShouldFail(step.name), step.fails) << "step " << index << ": " << step.name;
        ++index;
    }
}

TEST(VirtualFailureInjection, NoRulesNeverFail) {
    FailureInjection failures;
    for (int call = 0; call < 5; ++call) {
        EXPECT_FALSE(failures.ShouldFail("Present"));
    }
}

}  // namespace
}  // namespace platform::virtual_display
