// The STATIC class: a line of text, left-aligned, centred or right-aligned,
// optionally centred vertically (SS_CENTERIMAGE), with "&x" underlined.
#include "platform/dialog/control_text.h"
#include "platform/dialog/controls.h"
#include "platform/dialog/dialog_codes.h"
#include "platform/wingdi.h"

#include <map>

namespace platform::dialog {

namespace {

std::map<HWND, HFONT> g_fonts;

}  // namespace

LRESULT StaticProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCCREATE:
        g_fonts[window] = nullptr;
        break;
    case WM_NCDESTROY:
        g_fonts.erase(window);
        return 0;
    case WM_SETFONT:
        g_fonts[window] = reinterpret_cast<HFONT>(wParam);
        if (lParam != 0) {
            InvalidateRect(window, nullptr, FALSE);
        }
        return 0;
    case WM_GETFONT: {
        auto found = g_fonts.find(window);
        return found == g_fonts.end() ? 0 : reinterpret_cast<LRESULT>(found->second);
    }
    case WM_GETDLGCODE:
        return DLGC_STATIC;
    case WM_ENABLE:
        InvalidateRect(window, nullptr, FALSE);
        return 0;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void PaintStatic(HWND control, const Canvas& canvas, const RECT& box) {
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrA(control, GWL_STYLE));
    UINT format = 0;
    switch (style & SS_TYPEMASK) {
    case SS_LEFT:
        format = DT_LEFT;
        break;
    case SS_CENTER:
        format = DT_CENTER;
        break;
    case SS_RIGHT:
        format = DT_RIGHT;
        break;
    default:
        return;  // pictures and frames: nothing of theirs is drawn
    }
    if ((style & SS_CENTERIMAGE) != 0) {
        format |= DT_VCENTER | DT_SINGLELINE;
    }
    if ((style & SS_NOPREFIX) != 0) {
        format |= DT_NOPREFIX;
    }
    auto found = g_fonts.find(control);
    const std::string text = WindowTextOf(control);
    Text(canvas, found == g_fonts.end() ? nullptr : found->second, text.c_str(), box, format,
         (style & WS_DISABLED) != 0 ? kGrayText : kText);
}

}  // namespace platform::dialog
