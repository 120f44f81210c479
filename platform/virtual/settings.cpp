#include "platform/virtual/settings.h"

#include <algorithm>

namespace platform::virtual_display {

namespace {

constexpr std::uint64_t kMaxModeSize = 16384;
constexpr std::uint64_t kMaxRefreshHz = 1000;
constexpr unsigned kDefaultRefreshHz = 60;
constexpr const char* kDefaultModes = "800x600@60,1024x768@60,1280x720@60,1280x1024@60,1920x1080@60,2048x768@60";

std::string Trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return "";
    }
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

// Splits on commas, trimming blanks around each item (so "800x600, 1024x768" reads as meant).
std::vector<std::string> SplitList(const std::string& text) {
    std::vector<std::string> items;
    std::size_t start = 0;
    while (true) {
        const auto comma = text.find(',', start);
        items.push_back(Trim(text.substr(start, comma == std::string::npos ? std::string::npos : comma - start)));
        if (comma == std::string::npos) {
            return items;
        }
        start = comma + 1;
    }
}

bool Fail(std::string* error, const std::string& message) {
    *error = message;
    return false;
}

std::string Quoted(const std::string& text) { return "'" + text + "'"; }

}  // namespace

bool FrameSelection::Contains(std::uint64_t frame) const {
    if (all) {
        return true;
    }
    return std::any_of(ranges.begin(), ranges.end(),
                       [frame](const auto& range) { return frame >= range.first && frame <= range.second; });
}

bool ParseUnsigned(const std::string& text, std::uint64_t maxValue, std::uint64_t* value) {
    if (text.empty()) {
        return false;
    }
    std::uint64_t result = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
        const auto digit = static_cast<std::uint64_t>(c - '0');
        if (result > (maxValue - digit) / 10) {
            return false;
        }
        result = result * 10 + digit;
    }
    *value = result;
    return true;
}

bool ParseMode(const std::string& variable, const std::string& text, DisplayMode* mode, std::string* error) {
    const auto x = text.find('x');
    const auto at = text.find('@');
    const std::string widthText = text.substr(0, x);
    const std::string heightText =
        x == std::string::npos ? "" : text.substr(x + 1, at == std::string::npos ? std::string::npos : at - x - 1);
    const std::string refreshText = at == std::string::npos ? "" : text.substr(at + 1);
    std::uint64_t width = 0, height = 0, refresh = kDefaultRefreshHz;
    // Digits that overflow still read as a number, so the message says "outside" rather than "not WxH".
    auto number = [](const std::string& field, std::uint64_t* value) {
        if (field.empty() || field.find_first_not_of("0123456789") != std::string::npos) {
            return false;
        }
        if (!ParseUnsigned(field, UINT64_MAX, value)) {
            *value = UINT64_MAX;
        }
        return true;
    };
    if (x == std::string::npos || (at != std::string::npos && at < x) || !number(widthText, &width) ||
        !number(heightText, &height) || (at != std::string::npos && !number(refreshText, &refresh))) {
        return Fail(error, variable + ": " + Quoted(text) + " is not WxH or WxH@HZ");
    }
    if (width < 1 || width > kMaxModeSize || height < 1 || height > kMaxModeSize) {
        return Fail(error, variable + ": " + Quoted(text) + " has a size outside 1..16384");
    }
    if (refresh < 1 || refresh > kMaxRefreshHz) {
        return Fail(error, variable + ": " + Quoted(text) + " has a refresh rate outside 1..1000");
    }
    *mode = DisplayMode{static_cast<unsigned>(width), static_cast<unsigned>(height), static_cast<unsigned>(refresh)};
    return true;
}

bool ParseModeList(const std::string& variable, const std::string& text, std::vector<DisplayMode>* modes,
                   std::string* error) {
    modes->clear();
    if (Trim(text).empty()) {
        return true;
    }
    for (const std::string& item : SplitList(text)) {
        DisplayMode mode{};
        if (!ParseMode(variable, item, &mode, error)) {
            return false;
        }
        modes->push_back(mode);
    }
    return true;
}

bool ParseFrameSelection(const std::string& variable, const std::string& text, FrameSelection* selection,
                         std::string* error) {
    selection->all = false;
    selection->ranges.clear();
    for (const std::string& item : SplitList(text)) {
        const auto dash = item.find('-');
        std::uint64_t first = 0, last = 0;
        const bool ok = dash == std::string::npos
                            ? ParseUnsigned(item, UINT64_MAX, &first)
                            : ParseUnsigned(item.substr(0, dash), UINT64_MAX, &first) &&
                                  ParseUnsigned(item.substr(dash + 1), UINT64_MAX, &last);
        if (!ok) {
            return Fail(error, variable + ": " + Quoted(item) + " is not a frame number N or a range N-M");
        }
        if (dash == std::string::npos) {
            last = first;
        } else if (last < first) {
            return Fail(error, variable + ": range " + Quoted(item) + " ends before it starts");
        }
        selection->ranges.emplace_back(first, last);
    }
    return true;
}

const std::vector<std::string>& FailureNames() {
    static const std::vector<std::string> names = {
        "GetProcessAffinityMask", "Direct3DCreate9", "GetAdapterDisplayMode",      "EnumAdapterModes",
        "RegisterClassEx",        "CreateWindow",    "CreateDevice",               "CreateOffscreenPlainSurface",
        "BeginScene",             "GetBackBuffer",   "GetDC",                      "Present"};
    return names;
}

bool ParseFailureList(const std::string& variable, const std::string& text, std::vector<FailureRule>* rules,
                      std::string* error) {
    rules->clear();
    for (const std::string& item : SplitList(text)) {
        const auto at = item.find('@');
        FailureRule rule;
        rule.name = item.substr(0, at);
        if (rule.name.empty()) {
            return Fail(error, variable + ": " + Quoted(item) + " is not Name or Name@K");
        }
        const auto& names = FailureNames();
        if (std::find(names.begin(), names.end(), rule.name) == names.end()) {
            return Fail(error, variable + ": unknown call " + Quoted(rule.name));
        }
        if (at != std::string::npos) {
            rule.everyCall = false;
            if (!ParseUnsigned(item.substr(at + 1), UINT64_MAX, &rule.callIndex)) {
                return Fail(error, variable + ": " + Quoted(item) + " needs a call number after '@'");
            }
        }
        rules->push_back(rule);
    }
    return true;
}

bool ReadSettings(const EnvironmentLookup& lookup, Settings* settings, std::string* error) {
    *settings = Settings{};
    // An empty variable reads as unset: clearing a variable with `NAME=` should restore its default.
    auto read = [&lookup](const char* name, std::string* value) {
        const char* text = lookup(name);
        if (text == nullptr || *text == '\0') {
            return false;
        }
        *value = text;
        return true;
    };
    std::string text;

    const char* modes = lookup("OSTRIVAN_VIRTUAL_MODES");
    if (!ParseModeList("OSTRIVAN_VIRTUAL_MODES", modes != nullptr ? modes : kDefaultModes, &settings->modes, error)) {
        return false;
    }
    if (read("OSTRIVAN_VIRTUAL_DESKTOP", &text) &&
        !ParseMode("OSTRIVAN_VIRTUAL_DESKTOP", Trim(text), &settings->desktop, error)) {
        return false;
    }
    if (read("OSTRIVAN_VIRTUAL_CLOCK", &text)) {
        std::uint64_t value = 0;
        if (!ParseUnsigned(Trim(text), UINT32_MAX, &value)) {
            return Fail(error, "OSTRIVAN_VIRTUAL_CLOCK: " + Quoted(text) + " is not a number of ms from 0 to 4294967295");
        }
        settings->clockStartMs = static_cast<std::uint32_t>(value);
    }
    if (read("OSTRIVAN_VIRTUAL_FRAMES", &text)) {
        if (!ParseUnsigned(Trim(text), UINT64_MAX, &settings->frameLimit) || settings->frameLimit == 0) {
            return Fail(error, "OSTRIVAN_VIRTUAL_FRAMES: " + Quoted(text) + " is not a positive whole number");
        }
    }
    read("OSTRIVAN_SCRIPT", &settings->scriptPath);
    read("OSTRIVAN_CAPTURE", &settings->captureDir);
    if (read("OSTRIVAN_CAPTURE_FRAMES", &text) &&
        !ParseFrameSelection("OSTRIVAN_CAPTURE_FRAMES", text, &settings->captureFrames, error)) {
        return false;
    }
    if (read("OSTRIVAN_VIRTUAL_FAIL", &text) &&
        !ParseFailureList("OSTRIVAN_VIRTUAL_FAIL", text, &settings->failures, error)) {
        return false;
    }
    return true;
}

}  // namespace platform::virtual_display
