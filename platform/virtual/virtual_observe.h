// What the virtual display has been told, for tests that check the platform's effects.
#pragma once

#include <cstdint>
#include <string>

#include "platform/core/backend.h"

namespace platform::virtual_display {

struct Observed {
    bool cursorVisible = true;
    bool screensaverInhibited = false;
    bool textInputEnabled = true;
    bool outputOpen = false;
    DisplayMode outputMode{0, 0, 0};
    std::uint64_t presentedFrames = 0;
    bool dialogOpen = false;
    int dialogWidth = 0;
    int dialogHeight = 0;
    std::string dialogTitle;
};

// The virtual display's current state (meaningful after VirtualBackend().Init).
Observed Observe();

}  // namespace platform::virtual_display
