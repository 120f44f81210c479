// The keys a dialog takes for itself before the focused control sees them:
// the pure keyboard rules applied to the dialog's live controls.
#include <algorithm>

#include "platform/core/window_manager.h"
#include "platform/dialog/control_text.h"
#include "platform/dialog/dialog_codes.h"
#include "platform/dialog/dialog_manager.h"

namespace platform::dialog {

namespace {

bool BelongsTo(HWND window, HWND dialog) {
    for (HWND w = window; w != nullptr; w = GetParent(w)) {
        if (w == dialog) {
            return true;
        }
    }
    return false;
}

void Apply(HWND dialog, const NavAction& action, const std::vector<HWND>& handles) {
    const HWND target = action.index >= 0 && action.index < static_cast<int>(handles.size())
                            ? handles[static_cast<std::size_t>(action.index)]
                            : nullptr;
    switch (action.kind) {
    case NavAction::Focus:
        SetFocus(target);
        break;
    case NavAction::FocusAndClick:
        SetFocus(target);
        SendMessageA(target, BM_CLICK, 0, 0);
        break;
    case NavAction::Click:
        SendMessageA(target, BM_CLICK, 0, 0);
        break;
    case NavAction::Command: {
        const HWND control = GetDlgItem(dialog, action.commandId);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(action.commandId, BN_CLICKED), reinterpret_cast<LPARAM>(control));
        break;
    }
    case NavAction::PassOn:
    case NavAction::Nothing:
        break;
    }
}

}  // namespace

std::vector<NavControl> SnapshotControls(HWND dialog, std::vector<HWND>* handles) {
    HWND children[256];
    const int count = std::min(GetChildWindows(dialog, children, 256), 256);
    std::vector<NavControl> controls;
    handles->assign(children, children + count);
    for (HWND child : *handles) {
        NavControl c;
        c.style = static_cast<DWORD>(GetWindowLongPtrA(child, GWL_STYLE));
        c.id = GetDlgCtrlID(child);
        c.dlgCode = static_cast<UINT>(SendMessageA(child, WM_GETDLGCODE, 0, 0));
        c.checked = (c.dlgCode & DLGC_BUTTON) != 0 && SendMessageA(child, BM_GETCHECK, 0, 0) == BST_CHECKED;
        c.text = WindowTextOf(child);
        controls.push_back(std::move(c));
    }
    return controls;
}

HWND FirstTabItem(HWND dialog) {
    std::vector<HWND> handles;
    const int first = NextTabItem(SnapshotControls(dialog, &handles), -1, false);
    return first >= 0 ? handles[static_cast<std::size_t>(first)] : nullptr;
}

bool HandleDialogKey(HWND dialog, const MSG& msg) {
    if ((msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) || !BelongsTo(msg.hwnd, dialog)) {
        return false;
    }
    std::vector<HWND> handles;
    const std::vector<NavControl> controls = SnapshotControls(dialog, &handles);
    const auto focused = std::find(handles.begin(), handles.end(), GetFocus());
    const int focus = focused == handles.end() ? -1 : static_cast<int>(focused - handles.begin());
    NavKey key;
    key.vk = static_cast<UINT>(msg.wParam);
    key.alt = msg.message == WM_SYSKEYDOWN;
    key.shift = GetKeyState(VK_SHIFT) < 0;
    const NavAction action = NavigateDialog(controls, focus, key);
    Apply(dialog, action, handles);
    return action.kind != NavAction::PassOn;
}

}  // namespace platform::dialog
