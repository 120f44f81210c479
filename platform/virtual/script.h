// The input script of a headless run: dialog events, and output events that
// fall due at a frame number or after a span of virtual time. Parsing is pure.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform::virtual_display {

struct ScriptKey {
    unsigned vk = 0;  // Windows virtual-key code
    bool alt = false;
    bool shift = false;
};

struct DialogAction {
    enum class Kind { Key, Click, DoubleClick, Close };
    Kind kind = Kind::Key;
    ScriptKey key;
    int x = 0;
    int y = 0;
};

struct OutputAction {
    enum class Kind { Key, Click, Stall, Deactivate, Activate, LoseDevice, RestoreDevice, Close };
    // `at N`: due once N frames have been presented; `wait MS`: MS ms after the previous output event.
    enum class Trigger { AtFrame, AfterWait };

    Trigger trigger = Trigger::AtFrame;
    std::uint64_t frame = 0;   // AtFrame
    std::uint64_t waitMs = 0;  // AfterWait
    Kind kind = Kind::Key;
    ScriptKey key;
    int button = 0;            // Click: 0 left, 1 right
    std::uint64_t stallMs = 0;  // Stall
};

struct Script {
    std::vector<DialogAction> dialog;
    std::vector<OutputAction> output;
};

// Parses a whole script. On a malformed line returns false with
// "OSTRIVAN_SCRIPT line N: <what is wrong>" in *error.
bool ParseScript(const std::string& text, Script* script, std::string* error);

// Reads and parses the script file; an unreadable file is reported like a malformed line.
bool LoadScript(const std::string& path, Script* script, std::string* error);

// A key as X names it ("Return", "F4", "a"), with optional "alt+" and "shift+" prefixes.
// Returns false with a reason in *error for anything else.
bool ParseKey(const std::string& text, ScriptKey* key, std::string* error);

}  // namespace platform::virtual_display
