// The virtual display's settings, read from OSTRIVAN_* environment variables.
// Every parser is pure: it takes the variable's text and either fills its
// result or returns false with a one-line message naming the variable.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/core/backend.h"

namespace platform::virtual_display {

// A set of frame indices such as "0,5,10-20"; ranges are inclusive.
struct FrameSelection {
    bool all = true;
    std::vector<std::pair<std::uint64_t, std::uint64_t>> ranges;

    bool Contains(std::uint64_t frame) const;
};

// One injected failure: the named call fails every time, or only on its K-th call (0-based).
struct FailureRule {
    std::string name;
    bool everyCall = true;
    std::uint64_t callIndex = 0;
};

struct Settings {
    std::vector<DisplayMode> modes;
    DisplayMode desktop{1024, 768, 60};
    std::uint32_t clockStartMs = 0;
    std::uint64_t frameLimit = 600;
    std::string scriptPath;   // empty: no script
    std::string captureDir;   // empty: nothing is captured
    FrameSelection captureFrames;
    std::vector<FailureRule> failures;
};

// Looks a variable up; null when it is not set.
using EnvironmentLookup = std::function<const char*(const char* name)>;

// Reads every variable. An empty variable counts as unset, except OSTRIVAN_VIRTUAL_MODES,
// where empty means "no modes". Does not touch the file system.
bool ReadSettings(const EnvironmentLookup& lookup, Settings* settings, std::string* error);

// The single-variable parsers ReadSettings uses; `variable` names the variable in messages.
bool ParseMode(const std::string& variable, const std::string& text, DisplayMode* mode, std::string* error);
bool ParseModeList(const std::string& variable, const std::string& text, std::vector<DisplayMode>* modes,
                   std::string* error);
bool ParseFrameSelection(const std::string& variable, const std::string& text, FrameSelection* selection,
                         std::string* error);
bool ParseFailureList(const std::string& variable, const std::string& text, std::vector<FailureRule>* rules,
                      std::string* error);

// Parses an unsigned decimal number (digits only) no larger than maxValue.
bool ParseUnsigned(const std::string& text, std::uint64_t maxValue, std::uint64_t* value);

// The calls a failure can be injected into.
const std::vector<std::string>& FailureNames();

}  // namespace platform::virtual_display
