// What the rest of the platform needs of the window manager beyond the USER32
// calls: which windows receive the backend's input, and access to a window's
// class data for the dialog manager.
#pragma once

#include "platform/user32.h"

namespace platform {

// The window whose device owns the full-screen output: the backend's output events go to it.
// Null clears it.
void SetOutputWindow(HWND window);
HWND GetOutputWindow();
// The modal dialog showing now: the backend's dialog events go to it (keys to its focused
// control, clicks to the child under the point). Null clears it.
void SetDialogWindow(HWND window);
HWND GetDialogWindow();

// Moves every event the backend has ready into the message queue as messages.
void PumpBackendEvents();

// The window's children in creation order (for dialog painting and tab order).
int GetChildWindows(HWND parent, HWND* children, int capacity);
// The class name the window was created with.
const char* GetWindowClassName(HWND window);
// The window's procedure (for subclass-free dispatch).
WNDPROC GetWindowProc(HWND window);

}  // namespace platform

namespace platform {

// A window's top-level ancestor (itself for a top-level window).
HWND GetTopLevelWindow(HWND window);
// The class style the window's class was registered with.
unsigned GetWindowClassStyle(HWND window);
// True once InvalidateRect asked for the window's top-level picture to be drawn again;
// taking the request clears it.
bool TakeRepaintRequest(HWND topLevel);

}  // namespace platform

namespace platform {

// RegisterClassExA and CreateWindowExA without the injected failures: the dialog manager's own
// classes and windows are not calls the program makes, so they neither fail nor count as such.
ATOM RegisterWindowClass(const WNDCLASSEXA* windowClass);
HWND CreateWindowUnchecked(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                           int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param);

}  // namespace platform
