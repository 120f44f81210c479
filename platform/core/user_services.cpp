// Small USER32 and IMM32 services: the cursor's display count, message boxes
// and switching off the input method.
#include "platform/core/backend.h"
#include "platform/imm32.h"
#include "platform/user32.h"

namespace {

int g_cursorCount = 0;  // the cursor shows while the count is 0 or more

}  // namespace

int ShowCursor(BOOL show) {
    g_cursorCount += show ? 1 : -1;
    platform::CurrentBackend().SetCursorVisible(g_cursorCount >= 0);
    return g_cursorCount;
}

int MessageBoxA(HWND, LPCSTR text, LPCSTR caption, UINT type) {
    platform::CurrentBackend().ShowMessageBox(caption != nullptr ? caption : "Error", text != nullptr ? text : "", type);
    return IDOK;
}

BOOL ImmDisableIME(DWORD) {
    platform::CurrentBackend().SetTextInputEnabled(false);
    return TRUE;
}
