// The thread's message queue: posted messages in order, input from the
// backend translated into messages as it arrives, and WM_QUIT returned only
// once nothing else is queued.
#include <deque>

#include "platform/core/backend.h"
#include "platform/core/message_queue_internal.h"
#include "platform/core/window_manager.h"
#include "platform/user32.h"
#include "platform/winmm.h"

namespace platform {

namespace {

// A queued message and, for input, whether Shift was held when it arrived: GetKeyState answers
// for the input message taken last, as the keyboard state travels with the queue.
struct QueuedMessage {
    MSG msg;
    bool fromInput;
    bool shift;
};

std::deque<QueuedMessage> g_queue;
bool g_shiftDown = false;
bool g_quitPosted = false;
int g_quitCode = 0;
HWND g_mouseCapture = nullptr;  // the window that took the last button press gets its release

bool Matches(const MSG& msg, HWND window, UINT filterMin, UINT filterMax) {
    if (window != nullptr && msg.hwnd != window) {
        return false;
    }
    if (filterMin == 0 && filterMax == 0) {
        return true;
    }
    return msg.message >= filterMin && msg.message <= filterMax;
}

void Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam, const InputEvent* input = nullptr) {
    MSG msg{};
    msg.hwnd = window;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    msg.time = timeGetTime();
    g_queue.push_back(QueuedMessage{msg, input != nullptr, input != nullptr && input->shift});
}

// The child of `parent` under a client point, deepest first; the parent itself when no child
// is there. Earlier children lie above later ones, as a dialog's controls do.
HWND ChildAt(HWND parent, int* x, int* y) {
    HWND children[256];
    const int count = GetChildWindows(parent, children, 256);
    for (int i = 0; i < count && i < 256; ++i) {
        RECT r;
        if (!IsWindowVisible(children[i]) || !GetWindowRect(children[i], &r)) {
            continue;
        }
        if (*x >= r.left && *x < r.right && *y >= r.top && *y < r.bottom) {
            *x -= r.left;
            *y -= r.top;
            return ChildAt(children[i], x, y);
        }
    }
    return parent;
}

// Client coordinates of `window` for a point given in the client coordinates of `top`.
void ToClient(HWND window, HWND top, int* x, int* y) {
    for (HWND w = window; w != nullptr && w != top; w = GetParent(w)) {
        RECT r;
        GetWindowRect(w, &r);
        *x -= r.left;
        *y -= r.top;
    }
}

HWND KeyboardTarget(HWND top) {
    HWND focus = GetFocus();
    return focus != nullptr && GetTopLevelWindow(focus) == top ? focus : top;
}

void Translate(const InputEvent& event) {
    const HWND top = event.target == EventTarget::Output ? GetOutputWindow() : GetDialogWindow();
    if (top == nullptr || !IsWindow(top)) {
        return;
    }
    switch (event.kind) {
    case EventKind::KeyDown:
    case EventKind::KeyUp: {
        const bool down = event.kind == EventKind::KeyDown;
        LPARAM lParam = 1;
        if (event.alt) {
            lParam |= KF_ALTDOWN_BIT;
        }
        if (event.repeat || !down) {
            lParam |= KF_REPEAT_BIT;
        }
        if (!down) {
            lParam |= static_cast<LPARAM>(1u << 31);
        }
        // Keys pressed with Alt are system keys, which DefWindowProcA turns into commands.
        const UINT message = down ? (event.alt ? WM_SYSKEYDOWN : WM_KEYDOWN) : (event.alt ? WM_SYSKEYUP : WM_KEYUP);
        Post(KeyboardTarget(top), message, event.vk, lParam, &event);
        break;
    }
    case EventKind::MouseDown:
    case EventKind::MouseUp:
    case EventKind::MouseMove: {
        int x = event.x, y = event.y;
        HWND target = nullptr;
        if (event.kind != EventKind::MouseDown && g_mouseCapture != nullptr && IsWindow(g_mouseCapture) &&
            GetTopLevelWindow(g_mouseCapture) == top) {
            target = g_mouseCapture;
            ToClient(target, top, &x, &y);
        } else {
            target = ChildAt(top, &x, &y);
        }
        UINT message = WM_MOUSEMOVE;
        if (event.kind == EventKind::MouseDown) {
            g_mouseCapture = target;
            // Without the double-click class style a second press is just another press.
            const bool dbl = event.clicks >= 2 && (GetWindowClassStyle(target) & CS_DBLCLKS) != 0;
            message = event.button == 0 ? (dbl ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN)
                                        : (dbl ? WM_RBUTTONDBLCLK : WM_RBUTTONDOWN);
        } else if (event.kind == EventKind::MouseUp) {
            g_mouseCapture = nullptr;
            message = event.button == 0 ? WM_LBUTTONUP : WM_RBUTTONUP;
        }
        Post(target, message, 0, MAKELPARAM(x, y), &event);
        break;
    }
    case EventKind::Activate:
    case EventKind::Deactivate:
        Post(top, WM_ACTIVATEAPP, event.kind == EventKind::Activate ? TRUE : FALSE, 0);
        break;
    case EventKind::Close:
        Post(top, WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    }
}

}  // namespace

void PumpBackendEvents() {
    InputEvent event;
    while (CurrentBackend().PollEvent(&event)) {
        Translate(event);
    }
}

void DiscardMessagesFor(HWND window) {
    for (auto it = g_queue.begin(); it != g_queue.end();) {
        it = it->msg.hwnd == window ? g_queue.erase(it) : it + 1;
    }
    if (g_mouseCapture == window) {
        g_mouseCapture = nullptr;
    }
}

}  // namespace platform

using namespace platform;

BOOL PeekMessageA(MSG* msg, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags) {
    if (msg == nullptr) {
        return FALSE;
    }
    PumpBackendEvents();
    for (auto it = g_queue.begin(); it != g_queue.end(); ++it) {
        if (Matches(it->msg, window, filterMin, filterMax)) {
            *msg = it->msg;
            // Keys typed ahead belong to the control that has the focus when they are taken, not
            // when they arrived: an earlier key in the same batch may have moved the focus.
            if (it->fromInput && msg->message >= WM_KEYDOWN && msg->message <= WM_SYSCHAR) {
                msg->hwnd = KeyboardTarget(GetTopLevelWindow(msg->hwnd));
            }
            if ((removeFlags & PM_REMOVE) != 0) {
                if (it->fromInput) {
                    g_shiftDown = it->shift;
                }
                g_queue.erase(it);
            }
            return TRUE;
        }
    }
    // WM_QUIT comes last: only once nothing else is queued.
    const bool quitWanted = (filterMin == 0 && filterMax == 0) || (WM_QUIT >= filterMin && WM_QUIT <= filterMax);
    if (g_quitPosted && quitWanted && g_queue.empty()) {
        *msg = MSG{};
        msg->message = WM_QUIT;
        msg->wParam = static_cast<WPARAM>(g_quitCode);
        msg->time = timeGetTime();
        if ((removeFlags & PM_REMOVE) != 0) {
            g_quitPosted = false;
        }
        return TRUE;
    }
    return FALSE;
}

BOOL GetMessageA(MSG* msg, HWND window, UINT filterMin, UINT filterMax) {
    if (msg == nullptr) {
        return -1;
    }
    while (!PeekMessageA(msg, window, filterMin, filterMax, PM_REMOVE)) {
        CurrentBackend().WaitForEvent();
    }
    return msg->message == WM_QUIT ? FALSE : TRUE;
}

BOOL TranslateMessage(const MSG* msg) {
    // Character messages are not used: keys are handled as WM_KEYDOWN and WM_SYSKEYDOWN.
    return msg != nullptr && (msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN) ? TRUE : FALSE;
}

LRESULT DispatchMessageA(const MSG* msg) {
    if (msg == nullptr || msg->hwnd == nullptr || !IsWindow(msg->hwnd)) {
        return 0;
    }
    return SendMessageA(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (window != nullptr && !IsWindow(window)) {
        return FALSE;
    }
    Post(window, message, wParam, lParam);
    return TRUE;
}

LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    WNDPROC proc = GetWindowProc(window);
    return proc == nullptr ? 0 : proc(window, message, wParam, lParam);
}

void PostQuitMessage(int exitCode) {
    g_quitPosted = true;
    g_quitCode = exitCode;
}

BOOL WaitMessage() {
    PumpBackendEvents();
    if (g_queue.empty() && !g_quitPosted) {
        CurrentBackend().WaitForEvent();
        PumpBackendEvents();
    }
    return TRUE;
}

SHORT GetKeyState(int virtualKey) {
    // The high bit says the key is down; only Shift is tracked, for Shift+Tab in dialogs.
    return virtualKey == VK_SHIFT && g_shiftDown ? static_cast<SHORT>(0x8000) : static_cast<SHORT>(0);
}
