// The dialog's window classes, registered once, and the painter of each.
#include <strings.h>

#include "platform/core/window_manager.h"
#include "platform/dialog/controls.h"
#include "platform/dialog/dialog_codes.h"

namespace platform::dialog {

namespace {

struct ClassEntry {
    const char* name;
    UINT style;
    WNDPROC proc;
    PaintFunction paint;
    bool registered;
};

// A list box tells double clicks apart (LBN_DBLCLK); buttons take a second press as a press.
ClassEntry g_classes[] = {
    {kDialogClass, 0, DialogWindowProc, nullptr, false},
    {kButtonClass, 0, ButtonProc, PaintButton, false},
    {kStaticClass, 0, StaticProc, PaintStatic, false},
    {kListBoxClass, CS_DBLCLKS, ListBoxProc, PaintListBox, false},
};

}  // namespace

bool RegisterDialogClasses() {
    bool all = true;
    for (ClassEntry& entry : g_classes) {
        if (entry.registered) {
            continue;
        }
        WNDCLASSEXA c{};
        c.cbSize = sizeof(c);
        c.style = entry.style;
        c.lpfnWndProc = entry.proc;
        c.lpszClassName = entry.name;
        entry.registered = RegisterWindowClass(&c) != 0;
        all = all && entry.registered;
    }
    return all;
}

PaintFunction FindPainter(const char* className) {
    if (className == nullptr) {
        return nullptr;
    }
    for (const ClassEntry& entry : g_classes) {
        if (strcasecmp(entry.name, className) == 0) {
            return entry.paint;
        }
    }
    return nullptr;
}

void NotifyParent(HWND control, WORD code) {
    if (HWND parent = GetParent(control)) {
        SendMessageA(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code), reinterpret_cast<LPARAM>(control));
    }
}

}  // namespace platform::dialog
