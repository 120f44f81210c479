// Window classes and windows: registration, creation and destruction, the
// parent-child tree, window data, placement, text and keyboard focus.
//
// Sections: records and lookup; classes; creation; destruction; properties;
// focus; internal queries for the rest of the platform.
#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <strings.h>
#include <vector>

#include "platform/core/backend.h"
#include "platform/core/message_queue_internal.h"
#include "platform/core/window_manager.h"
#include "platform/user32.h"

namespace platform {

namespace {

struct WindowClass {
    ATOM atom;
    std::string name;
    UINT style;
    WNDPROC proc;
    HINSTANCE instance;
};

struct Window {
    HWND handle;
    const WindowClass* windowClass;
    std::string text;
    DWORD style;
    DWORD exStyle;
    HWND parent;
    LONG_PTR id;
    LONG_PTR userData;
    RECT rect;  // children: relative to the parent's client area; top-level: screen
    bool destroying;
    std::vector<HWND> children;
    bool repaint;
};

// Handles are numbers, never pointers, so a stale handle is recognised instead of dereferenced.
std::map<std::uintptr_t, std::unique_ptr<Window>> g_windows;
std::vector<std::unique_ptr<WindowClass>> g_classes;
std::uintptr_t g_nextHandle = 0x10010;
ATOM g_nextAtom = 0xC000;
HWND g_focus = nullptr;
HWND g_outputWindow = nullptr;
HWND g_dialogWindow = nullptr;

Window* Find(HWND handle) {
    auto it = g_windows.find(reinterpret_cast<std::uintptr_t>(handle));
    return it == g_windows.end() ? nullptr : it->second.get();
}

const WindowClass* FindClass(LPCSTR name) {
    if (name == nullptr) {
        return nullptr;
    }
    for (const auto& c : g_classes) {
        if (IS_INTRESOURCE(name) ? c->atom == static_cast<ATOM>(reinterpret_cast<UINT_PTR>(name))
                                 : strcasecmp(c->name.c_str(), name) == 0) {
            return c.get();
        }
    }
    return nullptr;
}

bool IsDescendantOrSelf(HWND window, HWND ancestor) {
    for (const Window* w = Find(window); w != nullptr; w = Find(w->parent)) {
        if (w->handle == ancestor) {
            return true;
        }
    }
    return false;
}

void DestroyTree(HWND handle) {
    Window* w = Find(handle);
    if (w == nullptr || w->destroying) {
        return;
    }
    w->destroying = true;
    if (g_focus != nullptr && IsDescendantOrSelf(g_focus, handle)) {
        g_focus = nullptr;
    }
    // The window hears of its end before its children do, as on Windows.
    SendMessageA(handle, WM_DESTROY, 0, 0);
    std::vector<HWND> children;
    if ((w = Find(handle)) != nullptr) {
        children = w->children;
    }
    for (HWND child : children) {
        DestroyTree(child);
    }
    SendMessageA(handle, WM_NCDESTROY, 0, 0);
    if ((w = Find(handle)) == nullptr) {
        return;
    }
    if (Window* parent = Find(w->parent)) {
        auto& siblings = parent->children;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), handle), siblings.end());
    }
    if (g_outputWindow == handle) {
        g_outputWindow = nullptr;
    }
    if (g_dialogWindow == handle) {
        g_dialogWindow = nullptr;
    }
    DiscardMessagesFor(handle);
    g_windows.erase(reinterpret_cast<std::uintptr_t>(handle));
}

}  // namespace

void SetOutputWindow(HWND window) { g_outputWindow = window; }
HWND GetOutputWindow() { return g_outputWindow; }
void SetDialogWindow(HWND window) { g_dialogWindow = window; }
HWND GetDialogWindow() { return g_dialogWindow; }

int GetChildWindows(HWND parent, HWND* children, int capacity) {
    const Window* w = Find(parent);
    if (w == nullptr) {
        return 0;
    }
    const int count = static_cast<int>(w->children.size());
    for (int i = 0; i < count && i < capacity; ++i) {
        children[i] = w->children[static_cast<std::size_t>(i)];
    }
    return count;
}

const char* GetWindowClassName(HWND window) {
    const Window* w = Find(window);
    return w == nullptr ? nullptr : w->windowClass->name.c_str();
}

WNDPROC GetWindowProc(HWND window) {
    const Window* w = Find(window);
    return w == nullptr ? nullptr : w->windowClass->proc;
}

unsigned GetWindowClassStyle(HWND window) {
    const Window* w = Find(window);
    return w == nullptr ? 0u : w->windowClass->style;
}

HWND GetTopLevelWindow(HWND window) {
    const Window* w = Find(window);
    while (w != nullptr && (w->style & WS_CHILD) != 0 && Find(w->parent) != nullptr) {
        w = Find(w->parent);
    }
    return w == nullptr ? nullptr : w->handle;
}

bool TakeRepaintRequest(HWND topLevel) {
    Window* w = Find(topLevel);
    if (w == nullptr || !w->repaint) {
        return false;
    }
    w->repaint = false;
    return true;
}

}  // namespace platform

using namespace platform;

ATOM RegisterClassExA(const WNDCLASSEXA* windowClass) {
    if (CurrentBackend().ShouldFail("RegisterClassEx")) {
        return 0;
    }
    return platform::RegisterWindowClass(windowClass);
}

ATOM platform::RegisterWindowClass(const WNDCLASSEXA* windowClass) {
    if (windowClass == nullptr || windowClass->cbSize != sizeof(WNDCLASSEXA) || windowClass->lpfnWndProc == nullptr ||
        windowClass->lpszClassName == nullptr || IS_INTRESOURCE(windowClass->lpszClassName) ||
        *windowClass->lpszClassName == '\0' || FindClass(windowClass->lpszClassName) != nullptr) {
        return 0;
    }
    auto c = std::make_unique<WindowClass>();
    c->atom = g_nextAtom++;
    c->name = windowClass->lpszClassName;
    c->style = windowClass->style;
    c->proc = windowClass->lpfnWndProc;
    c->instance = windowClass->hInstance;
    g_classes.push_back(std::move(c));
    return g_classes.back()->atom;
}

HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                     int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param) {
    if (CurrentBackend().ShouldFail("CreateWindow")) {
        return nullptr;
    }
    return platform::CreateWindowUnchecked(exStyle, className, windowName, style, x, y, width, height, parent, menu,
                                           instance, param);
}

HWND platform::CreateWindowUnchecked(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                                     int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                                     LPVOID param) {
    const WindowClass* windowClass = FindClass(className);
    if (windowClass == nullptr) {
        return nullptr;
    }
    if ((style & WS_CHILD) != 0 && Find(parent) == nullptr) {
        return nullptr;
    }
    // A popup with default placement starts at the origin with no size; its owner sizes it later.
    if (x == CW_USEDEFAULT) {
        x = 0;
        y = 0;
    }
    if (width == CW_USEDEFAULT) {
        width = 0;
        height = 0;
    }
    auto w = std::make_unique<Window>();
    w->handle = reinterpret_cast<HWND>(g_nextHandle++);
    w->windowClass = windowClass;
    w->text = windowName != nullptr && !IS_INTRESOURCE(windowName) ? windowName : "";
    w->style = style;
    w->exStyle = exStyle;
    w->parent = Find(parent) != nullptr ? parent : nullptr;
    w->id = (style & WS_CHILD) != 0 ? static_cast<LONG_PTR>(reinterpret_cast<UINT_PTR>(menu)) : 0;
    w->userData = 0;
    w->rect = RECT{x, y, x + std::max(width, 0), y + std::max(height, 0)};
    w->destroying = false;
    w->repaint = true;
    const HWND handle = w->handle;
    g_windows[reinterpret_cast<std::uintptr_t>(handle)] = std::move(w);
    if (Window* p = Find(parent)) {
        p->children.push_back(handle);
    }

    CREATESTRUCTA create{param, instance, menu, parent, height, width, y, x, static_cast<LONG>(style), windowName,
                         className, exStyle};
    if (SendMessageA(handle, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&create)) == 0 ||
        SendMessageA(handle, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create)) == -1) {
        DestroyWindow(handle);
        return nullptr;
    }
    return Find(handle) != nullptr ? handle : nullptr;
}

BOOL DestroyWindow(HWND window) {
    if (Find(window) == nullptr) {
        return FALSE;
    }
    DestroyTree(window);
    return TRUE;
}

BOOL IsWindow(HWND window) { return Find(window) != nullptr ? TRUE : FALSE; }

BOOL ShowWindow(HWND window, int command) {
    Window* w = Find(window);
    if (w == nullptr) {
        return FALSE;
    }
    const BOOL wasVisible = (w->style & WS_VISIBLE) != 0 ? TRUE : FALSE;
    if (command == SW_HIDE) {
        w->style &= ~static_cast<DWORD>(WS_VISIBLE);
    } else {
        w->style |= WS_VISIBLE;
    }
    if (HWND top = GetTopLevelWindow(window)) {
        Find(top)->repaint = true;
    }
    return wasVisible;
}

BOOL IsWindowVisible(HWND window) {
    for (const Window* w = Find(window); w != nullptr; w = Find(w->parent)) {
        if ((w->style & WS_VISIBLE) == 0) {
            return FALSE;
        }
    }
    return Find(window) != nullptr ? TRUE : FALSE;
}

HWND GetParent(HWND window) {
    const Window* w = Find(window);
    return w == nullptr ? nullptr : w->parent;
}

HWND GetDlgItem(HWND dialog, int id) {
    const Window* d = Find(dialog);
    if (d == nullptr) {
        return nullptr;
    }
    for (HWND child : d->children) {
        const Window* c = Find(child);
        if (c != nullptr && static_cast<int>(c->id) == id) {
            return child;
        }
    }
    return nullptr;
}

int GetDlgCtrlID(HWND window) {
    const Window* w = Find(window);
    return w == nullptr ? 0 : static_cast<int>(w->id);
}

BOOL SetWindowTextA(HWND window, LPCSTR text) {
    if (Find(window) == nullptr) {
        return FALSE;
    }
    return SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text != nullptr ? text : "")) != 0 ? TRUE
                                                                                                           : FALSE;
}

int GetWindowTextA(HWND window, LPSTR buffer, int size) {
    if (Find(window) == nullptr || buffer == nullptr || size <= 0) {
        return 0;
    }
    return static_cast<int>(SendMessageA(window, WM_GETTEXT, static_cast<WPARAM>(size), reinterpret_cast<LPARAM>(buffer)));
}

// The text a window keeps for WM_SETTEXT / WM_GETTEXT (DefWindowProcA's storage).
namespace platform {

bool StoreWindowText(HWND window, LPCSTR text) {
    Window* w = Find(window);
    if (w == nullptr) {
        return false;
    }
    w->text = text != nullptr ? text : "";
    if (HWND top = GetTopLevelWindow(window)) {
        Find(top)->repaint = true;
    }
    return true;
}

const char* WindowText(HWND window) {
    const Window* w = Find(window);
    return w == nullptr ? nullptr : w->text.c_str();
}

}  // namespace platform

BOOL GetClientRect(HWND window, RECT* rect) {
    const Window* w = Find(window);
    if (w == nullptr || rect == nullptr) {
        return FALSE;
    }
    *rect = RECT{0, 0, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top};
    return TRUE;
}

BOOL GetWindowRect(HWND window, RECT* rect) {
    const Window* w = Find(window);
    if (w == nullptr || rect == nullptr) {
        return FALSE;
    }
    *rect = w->rect;
    return TRUE;
}

BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL) {
    Window* w = Find(window);
    if (w == nullptr) {
        return FALSE;
    }
    w->rect = RECT{x, y, x + std::max(width, 0), y + std::max(height, 0)};
    if (HWND top = GetTopLevelWindow(window)) {
        Find(top)->repaint = true;
    }
    return TRUE;
}

BOOL InvalidateRect(HWND window, const RECT*, BOOL) {
    HWND top = GetTopLevelWindow(window);
    if (top == nullptr) {
        return FALSE;
    }
    Find(top)->repaint = true;
    return TRUE;
}

LONG_PTR GetWindowLongPtrA(HWND window, int index) {
    const Window* w = Find(window);
    if (w == nullptr) {
        return 0;
    }
    switch (index) {
    case GWLP_USERDATA:
        return w->userData;
    case GWL_STYLE:
        return static_cast<LONG_PTR>(w->style);
    case GWLP_ID:
        return w->id;
    default:
        return 0;
    }
}

LONG_PTR SetWindowLongPtrA(HWND window, int index, LONG_PTR value) {
    Window* w = Find(window);
    if (w == nullptr) {
        return 0;
    }
    LONG_PTR previous = 0;
    switch (index) {
    case GWLP_USERDATA:
        previous = w->userData;
        w->userData = value;
        break;
    case GWL_STYLE:
        previous = static_cast<LONG_PTR>(w->style);
        w->style = static_cast<DWORD>(value);
        break;
    case GWLP_ID:
        previous = w->id;
        w->id = value;
        break;
    default:
        return 0;
    }
    if (HWND top = GetTopLevelWindow(window)) {
        Find(top)->repaint = true;
    }
    return previous;
}

HWND SetFocus(HWND window) {
    if (window != nullptr && Find(window) == nullptr) {
        return nullptr;
    }
    const HWND previous = g_focus;
    if (previous == window) {
        return previous;
    }
    g_focus = window;
    if (Find(previous) != nullptr) {
        SendMessageA(previous, WM_KILLFOCUS, reinterpret_cast<WPARAM>(window), 0);
    }
    if (window != nullptr && g_focus == window) {
        SendMessageA(window, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
    }
    if (HWND top = GetTopLevelWindow(window != nullptr ? window : previous)) {
        Find(top)->repaint = true;
    }
    return previous;
}

HWND GetFocus() { return Find(g_focus) != nullptr ? g_focus : nullptr; }
