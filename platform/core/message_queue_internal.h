// What the window manager and DefWindowProcA share with the message queue.
#pragma once

#include "platform/win32_types.h"

namespace platform {

// Drops every posted message addressed to a window that is being destroyed.
void DiscardMessagesFor(HWND window);
// The text DefWindowProcA keeps for WM_SETTEXT / WM_GETTEXT.
bool StoreWindowText(HWND window, LPCSTR text);
const char* WindowText(HWND window);

}  // namespace platform
