// The full-screen output window's procedure: keys and mouse buttons step the
// pattern, Esc starts the close path, activation switches rendering on and off.
#pragma once

#include "platform/windows.h"

LRESULT OutputWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
