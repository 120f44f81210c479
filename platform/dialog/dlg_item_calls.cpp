// The calls that reach a dialog's control by its id.
#include <algorithm>

#include "platform/core/window_manager.h"
#include "platform/dialog/dialog_codes.h"
#include "platform/user32.h"

LRESULT SendDlgItemMessageA(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND control = GetDlgItem(dialog, id);
    return control == nullptr ? 0 : SendMessageA(control, message, wParam, lParam);
}

BOOL SetDlgItemTextA(HWND dialog, int id, LPCSTR text) {
    const HWND control = GetDlgItem(dialog, id);
    return control == nullptr ? FALSE : SetWindowTextA(control, text);
}

UINT IsDlgButtonChecked(HWND dialog, int id) {
    return static_cast<UINT>(SendDlgItemMessageA(dialog, id, BM_GETCHECK, 0, 0));
}

BOOL CheckDlgButton(HWND dialog, int id, UINT check) {
    const HWND control = GetDlgItem(dialog, id);
    if (control == nullptr) {
        return FALSE;
    }
    SendMessageA(control, BM_SETCHECK, check, 0);
    return TRUE;
}

BOOL CheckRadioButton(HWND dialog, int firstId, int lastId, int checkId) {
    // Every control whose id lies in the range is set: the one named checked, the others cleared.
    HWND children[256];
    const int count = std::min(platform::GetChildWindows(dialog, children, 256), 256);
    for (int i = 0; i < count; ++i) {
        const int id = GetDlgCtrlID(children[i]);
        if (id >= firstId && id <= lastId) {
            SendMessageA(children[i], BM_SETCHECK, id == checkId ? BST_CHECKED : BST_UNCHECKED, 0);
        }
    }
    return IsWindow(dialog);
}
