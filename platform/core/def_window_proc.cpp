// DefWindowProcA: what a window gets for the messages its procedure leaves
// alone. Closing destroys the window; the close button, the system close
// command and Alt+F4 all come through WM_SYSCOMMAND SC_CLOSE to WM_CLOSE.
#include <cstring>

#include "platform/core/message_queue_internal.h"
#include "platform/core/window_manager.h"
#include "platform/user32.h"

using namespace platform;

LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCCREATE:
        return TRUE;
    case WM_CLOSE:
        DestroyWindow(window);
        return 0;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE) {
            SendMessageA(window, WM_CLOSE, 0, 0);
        }
        return 0;
    case WM_SYSKEYDOWN:
        if (wParam == VK_F4 && (static_cast<DWORD_PTR>(lParam) & KF_ALTDOWN_BIT) != 0) {
            // Alt+F4 closes the top-level window, whichever of its children has the focus.
            if (HWND top = GetTopLevelWindow(window)) {
                SendMessageA(top, WM_SYSCOMMAND, SC_CLOSE, 0);
            }
        }
        return 0;
    case WM_SETTEXT:
        return StoreWindowText(window, reinterpret_cast<LPCSTR>(lParam)) ? TRUE : FALSE;
    case WM_GETTEXT: {
        const char* text = WindowText(window);
        char* buffer = reinterpret_cast<char*>(lParam);
        if (text == nullptr || buffer == nullptr || wParam == 0) {
            return 0;
        }
        std::size_t length = std::strlen(text);
        if (length > wParam - 1) {
            length = wParam - 1;
        }
        std::memcpy(buffer, text, length);
        buffer[length] = '\0';
        return static_cast<LRESULT>(length);
    }
    case WM_GETTEXTLENGTH: {
        const char* text = WindowText(window);
        return text == nullptr ? 0 : static_cast<LRESULT>(std::strlen(text));
    }
    default:
        return 0;
    }
}
