// USER32: window classes, windows, the thread's message queue, dialogs,
// message boxes, the cursor and resources. Our own declarations of the calls
// the tool makes; each behaves as the calling code relies on.
#pragma once

#include "platform/win32_types.h"

using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);
using DLGPROC = INT_PTR (*)(HWND, UINT, WPARAM, LPARAM);

// Messages
#define WM_NULL 0x0000
#define WM_CREATE 0x0001
#define WM_DESTROY 0x0002
#define WM_MOVE 0x0003
#define WM_SIZE 0x0005
#define WM_ACTIVATE 0x0006
#define WM_SETFOCUS 0x0007
#define WM_KILLFOCUS 0x0008
#define WM_ENABLE 0x000A
#define WM_SETTEXT 0x000C
#define WM_GETTEXT 0x000D
#define WM_GETTEXTLENGTH 0x000E
#define WM_PAINT 0x000F
#define WM_CLOSE 0x0010
#define WM_QUIT 0x0012
#define WM_ERASEBKGND 0x0014
#define WM_SHOWWINDOW 0x0018
#define WM_ACTIVATEAPP 0x001C
#define WM_NEXTDLGCTL 0x0028
#define WM_SETFONT 0x0030
#define WM_GETFONT 0x0031
#define WM_NCCREATE 0x0081
#define WM_NCDESTROY 0x0082
#define WM_GETDLGCODE 0x0087
#define WM_KEYDOWN 0x0100
#define WM_KEYUP 0x0101
#define WM_CHAR 0x0102
#define WM_SYSKEYDOWN 0x0104
#define WM_SYSKEYUP 0x0105
#define WM_SYSCHAR 0x0106
#define WM_INITDIALOG 0x0110
#define WM_COMMAND 0x0111
#define WM_SYSCOMMAND 0x0112
#define WM_MOUSEMOVE 0x0200
#define WM_LBUTTONDOWN 0x0201
#define WM_LBUTTONUP 0x0202
#define WM_LBUTTONDBLCLK 0x0203
#define WM_RBUTTONDOWN 0x0204
#define WM_RBUTTONUP 0x0205
#define WM_RBUTTONDBLCLK 0x0206
#define WM_MOUSEWHEEL 0x020A
#define WM_USER 0x0400

#define SC_CLOSE 0xF060

// Virtual-key codes
#define VK_BACK 0x08
#define VK_TAB 0x09
#define VK_RETURN 0x0D
#define VK_SHIFT 0x10
#define VK_CONTROL 0x11
#define VK_MENU 0x12
#define VK_ESCAPE 0x1B
#define VK_SPACE 0x20
#define VK_PRIOR 0x21
#define VK_NEXT 0x22
#define VK_END 0x23
#define VK_HOME 0x24
#define VK_LEFT 0x25
#define VK_UP 0x26
#define VK_RIGHT 0x27
#define VK_DOWN 0x28
#define VK_DELETE 0x2E
#define VK_F1 0x70
#define VK_F4 0x73
#define VK_F12 0x7B

// lParam bit of WM_KEYDOWN / WM_SYSKEYDOWN: the key was already down (auto-repeat)
#define KF_REPEAT_BIT (1u << 30)
// lParam bit of WM_SYSKEYDOWN: Alt is held
#define KF_ALTDOWN_BIT (1u << 29)

// Class styles
#define CS_DBLCLKS 0x0008

// Window styles
#define WS_OVERLAPPED 0x00000000L
#define WS_POPUP 0x80000000L
#define WS_CHILD 0x40000000L
#define WS_VISIBLE 0x10000000L
#define WS_DISABLED 0x08000000L
#define WS_CAPTION 0x00C00000L
#define WS_BORDER 0x00800000L
#define WS_VSCROLL 0x00200000L
#define WS_SYSMENU 0x00080000L
#define WS_GROUP 0x00020000L
#define WS_TABSTOP 0x00010000L

#define CW_USEDEFAULT (static_cast<int>(0x80000000))

// ShowWindow
#define SW_HIDE 0
#define SW_SHOWNORMAL 1
#define SW_SHOW 5

// PeekMessage
#define PM_NOREMOVE 0x0000
#define PM_REMOVE 0x0001

// Message boxes and dialog results
#define MB_OK 0x00000000L
#define MB_ICONERROR 0x00000010L
#define IDOK 1
#define IDCANCEL 2

// Dialog styles
#define DS_FIXEDSYS 0x0008L
#define DS_SETFONT 0x0040L
#define DS_MODALFRAME 0x0080L
#define DS_CENTER 0x0800L
#define DS_SHELLFONT (DS_SETFONT | DS_FIXEDSYS)

// Button styles, messages and notifications
#define BS_PUSHBUTTON 0x00000000L
#define BS_DEFPUSHBUTTON 0x00000001L
#define BS_GROUPBOX 0x00000007L
#define BS_AUTORADIOBUTTON 0x00000009L
#define BS_TYPEMASK 0x0000000FL
#define BM_GETCHECK 0x00F0
#define BM_SETCHECK 0x00F1
#define BST_UNCHECKED 0x0000
#define BST_CHECKED 0x0001
#define BN_CLICKED 0

// Static styles
#define SS_LEFT 0x00000000L
#define SS_CENTER 0x00000001L
#define SS_CENTERIMAGE 0x00000200L

// List box styles, messages and notifications
#define LBS_NOTIFY 0x0001L
#define LBS_SORT 0x0002L
#define LBS_NOINTEGRALHEIGHT 0x0100L
#define LB_ADDSTRING 0x0180
#define LB_RESETCONTENT 0x0184
#define LB_SETCURSEL 0x0186
#define LB_GETCURSEL 0x0188
#define LB_GETTEXT 0x0189
#define LB_GETTEXTLEN 0x018A
#define LB_GETCOUNT 0x018B
#define LB_SELECTSTRING 0x018C
#define LB_GETTOPINDEX 0x018E
#define LB_FINDSTRING 0x018F
#define LB_SETTOPINDEX 0x0197
#define LB_ERR (-1)
#define LBN_SELCHANGE 1
#define LBN_DBLCLK 2

// Window classes and windows
struct WNDCLASSEXA {
    UINT cbSize;
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    LPCSTR lpszMenuName;
    LPCSTR lpszClassName;
    HICON hIconSm;
};

// WM_NCCREATE / WM_CREATE lParam points at this record.
struct CREATESTRUCTA {
    LPVOID lpCreateParams;
    HINSTANCE hInstance;
    HMENU hMenu;
    HWND hwndParent;
    int cy;
    int cx;
    int y;
    int x;
    LONG style;
    LPCSTR lpszName;
    LPCSTR lpszClass;
    DWORD dwExStyle;
};

// Registers a class; returns its atom, or 0 when the name is taken or the record is invalid.
ATOM RegisterClassExA(const WNDCLASSEXA* windowClass);
// Creates a window of a registered class (WM_NCCREATE and WM_CREATE are sent); null on failure.
HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                     int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param);
// Sends WM_DESTROY (children first) and removes the window; FALSE for an unknown handle.
BOOL DestroyWindow(HWND window);
BOOL IsWindow(HWND window);
BOOL ShowWindow(HWND window, int command);
BOOL IsWindowVisible(HWND window);
HWND GetParent(HWND window);
HWND GetDlgItem(HWND dialog, int id);
int GetDlgCtrlID(HWND window);
BOOL SetWindowTextA(HWND window, LPCSTR text);
int GetWindowTextA(HWND window, LPSTR buffer, int size);
BOOL GetClientRect(HWND window, RECT* rect);
HWND SetFocus(HWND window);
HWND GetFocus();

// The thread's message queue
BOOL PeekMessageA(MSG* msg, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags);
BOOL GetMessageA(MSG* msg, HWND window, UINT filterMin, UINT filterMax);
BOOL TranslateMessage(const MSG* msg);
LRESULT DispatchMessageA(const MSG* msg);
BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exitCode);
BOOL WaitMessage();
// The state of a key as of the input message taken from the queue last: the high bit set while
// it is down. Only VK_SHIFT is tracked.
SHORT GetKeyState(int virtualKey);
LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Cursor: returns the new display count; the cursor shows while the count is 0 or more.
int ShowCursor(BOOL show);

// Message box (no owner window supported): returns IDOK once it is closed.
int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);

// Resources
int LoadStringA(HINSTANCE instance, UINT id, LPSTR buffer, int bufferSize);
HICON LoadIconA(HINSTANCE instance, LPCSTR name);

// Integer formatting: %d %u %x %X %s %c %%, with flags, width and precision; at most 1024 characters.
int wsprintfA(LPSTR buffer, LPCSTR format, ...);

// Rectangles
BOOL SetRect(RECT* rect, int left, int top, int right, int bottom);

// Dialogs
INT_PTR DialogBoxParamA(HINSTANCE instance, LPCSTR templateName, HWND owner, DLGPROC dialogProc, LPARAM initParam);
BOOL EndDialog(HWND dialog, INT_PTR result);
LRESULT SendDlgItemMessageA(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam);
BOOL SetDlgItemTextA(HWND dialog, int id, LPCSTR text);
UINT IsDlgButtonChecked(HWND dialog, int id);
BOOL CheckRadioButton(HWND dialog, int firstId, int lastId, int checkId);
BOOL CheckDlgButton(HWND dialog, int id, UINT check);

// Window data and placement
#define GWLP_ID (-12)
#define GWL_STYLE (-16)
#define GWLP_USERDATA (-21)
LONG_PTR GetWindowLongPtrA(HWND window, int index);
LONG_PTR SetWindowLongPtrA(HWND window, int index, LONG_PTR value);
// Child windows: position relative to the parent's client area; top-level: screen position.
BOOL GetWindowRect(HWND window, RECT* rect);
BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint);
BOOL InvalidateRect(HWND window, const RECT* rect, BOOL erase);
