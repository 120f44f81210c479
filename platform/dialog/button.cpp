// The BUTTON class: push buttons (the default one outlined), automatic radio
// buttons that uncheck the rest of their group, and group boxes. A click is a
// press and a release inside the button, by mouse or by the space bar.
#include <algorithm>
#include <map>

#include "platform/core/window_manager.h"
#include "platform/dialog/control_text.h"
#include "platform/dialog/controls.h"
#include "platform/dialog/dialog_codes.h"
#include "platform/wingdi.h"

namespace platform::dialog {

namespace {

struct ButtonState {
    bool checked = false;
    bool pressed = false;   // drawn pushed in
    bool tracking = false;  // the left button went down on it and is still held
    bool spaceDown = false;
    HFONT font = nullptr;
};

std::map<HWND, ButtonState> g_buttons;

DWORD Style(HWND window) { return static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE)); }
DWORD Type(HWND window) { return Style(window) & BS_TYPEMASK; }
bool IsPush(DWORD type) { return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON; }
bool IsRadio(DWORD type) { return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON; }

void Redraw(HWND window) { InvalidateRect(window, nullptr, FALSE); }

void SetPressed(HWND window, ButtonState& state, bool pressed) {
    if (state.pressed != pressed) {
        state.pressed = pressed;
        Redraw(window);
    }
}

// Checks an automatic radio button and clears every other radio button of its group.
void CheckInGroup(HWND window) {
    HWND siblings[256];
    const int count = std::min(GetChildWindows(GetParent(window), siblings, 256), 256);
    int self = -1;
    for (int i = 0; i < count; ++i) {
        self = siblings[i] == window ? i : self;
    }
    if (self < 0) {
        return;
    }
    int start = self;
    while (start > 0 && (Style(siblings[start]) & WS_GROUP) == 0) {
        --start;
    }
    for (int i = start; i < count && (i == start || (Style(siblings[i]) & WS_GROUP) == 0); ++i) {
        const bool radio = (SendMessageA(siblings[i], WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) != 0;
        if (radio) {
            SendMessageA(siblings[i], BM_SETCHECK, siblings[i] == window ? BST_CHECKED : BST_UNCHECKED, 0);
        }
    }
}

void Click(HWND window) {
    if (Type(window) == BS_AUTORADIOBUTTON) {
        CheckInGroup(window);
    }
    NotifyParent(window, BN_CLICKED);
}

bool Inside(HWND window, LPARAM point) {
    RECT r;
    GetClientRect(window, &r);
    const int x = GET_X_LPARAM(point), y = GET_Y_LPARAM(point);
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

UINT DialogCode(DWORD type, DWORD style) {
    if (type == BS_GROUPBOX) {
        return DLGC_STATIC;
    }
    if (IsRadio(type)) {
        return DLGC_BUTTON | DLGC_RADIOBUTTON;
    }
    if (IsPush(type)) {
        return DLGC_BUTTON | ((style & BS_TYPEMASK) == BS_DEFPUSHBUTTON ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
    }
    return DLGC_BUTTON;
}

}  // namespace

LRESULT ButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        g_buttons[window] = ButtonState{};
        return DefWindowProcA(window, message, wParam, lParam);
    }
    auto found = g_buttons.find(window);
    if (found == g_buttons.end()) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    ButtonState& state = found->second;
    const DWORD type = Type(window);
    const bool enabled = (Style(window) & WS_DISABLED) == 0;
    switch (message) {
    case WM_NCDESTROY:
        g_buttons.erase(found);
        return 0;
    case WM_SETFONT:
        state.font = reinterpret_cast<HFONT>(wParam);
        if (lParam != 0) {
            Redraw(window);
        }
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(state.font);
    case WM_GETDLGCODE:
        return static_cast<LRESULT>(DialogCode(type, Style(window)));
    case BM_GETCHECK:
        return !IsPush(type) && type != BS_GROUPBOX && state.checked ? BST_CHECKED : BST_UNCHECKED;
    case BM_SETCHECK:
        if (!IsPush(type) && type != BS_GROUPBOX && state.checked != (wParam == BST_CHECKED)) {
            state.checked = wParam == BST_CHECKED;
            Redraw(window);
        }
        return 0;
    case BM_GETSTATE:
        return (state.checked ? BST_CHECKED : 0) | (state.pressed ? BST_PUSHED : 0) |
               (GetFocus() == window ? BST_FOCUS : 0);
    case BM_SETSTATE:
        SetPressed(window, state, wParam != 0);
        return 0;
    case BM_CLICK:
        if (enabled && type != BS_GROUPBOX) {
            SetFocus(window);
            Click(window);
        }
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        // A group box lets clicks through: it only frames other controls.
        if (enabled && type != BS_GROUPBOX) {
            SetFocus(window);
            state.tracking = true;
            SetPressed(window, state, true);
        }
        return 0;
    case WM_MOUSEMOVE:
        if (state.tracking) {
            SetPressed(window, state, Inside(window, lParam));
        }
        return 0;
    case WM_LBUTTONUP:
        if (state.tracking) {
            state.tracking = false;
            const bool click = state.pressed && Inside(window, lParam);
            SetPressed(window, state, false);
            if (click) {
                Click(window);
            }
        }
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_SPACE && enabled && type != BS_GROUPBOX) {
            state.spaceDown = true;
            SetPressed(window, state, true);
            return 0;
        }
        break;
    case WM_KEYUP:
        if (wParam == VK_SPACE && state.spaceDown) {
            state.spaceDown = false;
            SetPressed(window, state, false);
            Click(window);
            return 0;
        }
        break;
    case WM_SETFOCUS:
        Redraw(window);
        return 0;
    case WM_KILLFOCUS:
        state.spaceDown = false;
        state.tracking = false;
        SetPressed(window, state, false);
        Redraw(window);
        return 0;
    case WM_ENABLE:
        Redraw(window);
        return 0;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// Painting -------------------------------------------------------------------

namespace {

constexpr int kRadioSize = 13;  // the circle's diameter
constexpr int kRadioGap = 4;    // between the circle and the text

// The focused push button stands in for the default one; otherwise the template's default is.
bool ShowsAsDefault(HWND window) {
    const HWND focus = GetFocus();
    if (focus != nullptr && GetParent(focus) == GetParent(window) &&
        (SendMessageA(focus, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0) {
        return focus == window;
    }
    return Type(window) == BS_DEFPUSHBUTTON;
}

void PaintPush(HWND window, const ButtonState& state, const Canvas& canvas, RECT r, const std::string& text,
               COLORREF ink) {
    FillBox(canvas, r, kFace);
    const bool isDefault = ShowsAsDefault(window);
    if (isDefault) {
        FrameBox(canvas, r, kFrame);
        r = RECT{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
    }
    if (state.pressed) {
        FrameBox(canvas, r, kShadow);
    } else {
        Edge3D(canvas, r, false);
    }
    RECT label = r;
    if (state.pressed) {
        OffsetRectBy(label, 1, 1);
    }
    Text(canvas, state.font, text.c_str(), label, DT_CENTER | DT_VCENTER | DT_SINGLELINE, ink);
    if (GetFocus() == window) {
        FocusMark(canvas, RECT{r.left + 3, r.top + 3, r.right - 3, r.bottom - 3});
    }
}

void PaintRadio(HWND window, const ButtonState& state, const Canvas& canvas, const RECT& r, const std::string& text,
                COLORREF ink) {
    const double cx = r.left + kRadioSize / 2.0;
    const double cy = r.top + (r.bottom - r.top) / 2.0;
    FillDisc(canvas, cx, cy, kRadioSize / 2.0, kDarkShadow);
    FillDisc(canvas, cx, cy, kRadioSize / 2.0 - 1.0, state.pressed ? kFace : kWindow);
    if (state.checked) {
        FillDisc(canvas, cx, cy, 2.5, (Style(window) & WS_DISABLED) != 0 ? kGrayText : kText);
    }
    const RECT label{r.left + kRadioSize + kRadioGap, r.top, r.right, r.bottom};
    Text(canvas, state.font, text.c_str(), label, DT_LEFT | DT_VCENTER | DT_SINGLELINE, ink);
    if (GetFocus() == window) {
        const SIZE size = MeasureText(canvas, state.font, text.c_str(), DT_SINGLELINE);
        const LONG top = label.top + (label.bottom - label.top - size.cy) / 2;
        const LONG right = std::min(label.left + size.cx + 1, r.right);
        FocusMark(canvas, RECT{label.left - 1, top - 1, right, top + size.cy + 1});
    }
}

void PaintGroupBox(const ButtonState& state, const Canvas& canvas, const RECT& r, const std::string& text,
                   COLORREF ink) {
    const SIZE size = MeasureText(canvas, state.font, text.c_str(), DT_SINGLELINE);
    const LONG frameTop = r.top + size.cy / 2;
    // An etched groove: a shaded line with a lit one just inside-below it.
    FrameBox(canvas, RECT{r.left + 1, frameTop + 1, r.right, r.bottom}, kHilight);
    FrameBox(canvas, RECT{r.left, frameTop, r.right - 1, r.bottom - 1}, kShadow);
    if (!text.empty()) {
        const LONG textLeft = r.left + 8;
        FillBox(canvas, RECT{textLeft - 2, r.top, textLeft + size.cx + 2, r.top + size.cy}, kFace);
        Text(canvas, state.font, text.c_str(), RECT{textLeft, r.top, r.right - 2, r.top + size.cy},
             DT_LEFT | DT_SINGLELINE, ink);
    }
}

}  // namespace

void PaintButton(HWND control, const Canvas& canvas, const RECT& box) {
    auto found = g_buttons.find(control);
    if (found == g_buttons.end()) {
        return;
    }
    const ButtonState& state = found->second;
    const std::string text = WindowTextOf(control);
    const COLORREF ink = (Style(control) & WS_DISABLED) != 0 ? kGrayText : kText;
    const DWORD type = Type(control);
    if (IsPush(type)) {
        PaintPush(control, state, canvas, box, text, ink);
    } else if (type == BS_GROUPBOX) {
        PaintGroupBox(state, canvas, box, text, ink);
    } else {
        PaintRadio(control, state, canvas, box, text, ink);
    }
}

}  // namespace platform::dialog
