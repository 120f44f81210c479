// PLACEHOLDER until the patterns land: each dispatcher only clears the back buffer.
#include "patterns/patterns.h"
#include "setup/graphics_handles.h"

int DrawClockPattern() {
    g_Graphics.device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xff004080, 1.0f, 0);
    return 1;
}

int DrawLogPattern() {
    g_Graphics.device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xffffffff, 1.0f, 0);
    return 1;
}

int DrawBarsPattern() {
    g_Graphics.device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xffffffff, 1.0f, 0);
    return 1;
}
