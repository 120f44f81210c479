// The settings dialog: the resolution list from the mode catalogue with the
// desktop's size preselected, the display layout, and the version. Start
// stores the choice in RunState; Exit, Esc and closing end the run.
#include "setup/settings_dialog.h"

#include "app/run_state.h"
#include "resources/resource_ids.h"
#include "setup/prepare_process.h"

namespace {

// Start: the desktop's size in Clone, then whatever the list and the radio buttons say.
void StoreChoice(HWND dialog) {
    g_RunState.ScreenWidth = g_RunState.Desktop.width;
    g_RunState.ScreenHeight = g_RunState.Desktop.height;
    g_RunState.Layout = Clone;

    const LRESULT index = SendDlgItemMessageA(dialog, IDC_RESOLUTION_LIST, LB_GETCURSEL, 0, 0);
    if (index != LB_ERR) {
        // The list holds exactly the catalogue, so a selection always addresses an element of it.
        g_RunState.ScreenWidth = g_ModeCatalogue[static_cast<std::size_t>(index)].width;
        g_RunState.ScreenHeight = g_ModeCatalogue[static_cast<std::size_t>(index)].height;
    }

    // Tested in this order, so a later checked button overrides an earlier one.
    if (IsDlgButtonChecked(dialog, IDC_LAYOUT_CLONE) != 0) {
        g_RunState.Layout = Clone;
    }
    if (IsDlgButtonChecked(dialog, IDC_LAYOUT_HSPAN) != 0) {
        g_RunState.Layout = HorizontalSpan;
    }
    if (IsDlgButtonChecked(dialog, IDC_LAYOUT_VSPAN) != 0) {
        g_RunState.Layout = VerticalSpan;
    }
}

}  // namespace

int InitSettingsDialog(HWND dialog) {
    char text[260];

    wsprintfA(text, "Version %d.%d", g_RunState.VersionMajor, g_RunState.VersionMinor);
    SetDlgItemTextA(dialog, IDC_VERSION_TEXT, text);

    SendDlgItemMessageA(dialog, IDC_RESOLUTION_LIST, LB_RESETCONTENT, 0, 0);
    for (const Resolution& mode : g_ModeCatalogue) {
        wsprintfA(text, "%d*%d\r\n", mode.width, mode.height);
        SendDlgItemMessageA(dialog, IDC_RESOLUTION_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }

    // Every item ends in the same line break, so only the desktop's own size can match.
    wsprintfA(text, "%d*%d\r\n", g_RunState.Desktop.width, g_RunState.Desktop.height);
    SendDlgItemMessageA(dialog, IDC_RESOLUTION_LIST, LB_SELECTSTRING, static_cast<WPARAM>(-1),
                        reinterpret_cast<LPARAM>(text));

    CheckRadioButton(dialog, IDC_LAYOUT_CLONE, IDC_LAYOUT_VSPAN, IDC_LAYOUT_CLONE);
    return 1;
}

INT_PTR SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        InitSettingsDialog(dialog);
        return TRUE;  // the focus goes to the first tab stop, Start
    case WM_CLOSE:
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    case WM_COMMAND:
        // Only the control id counts; list notifications and radio clicks change nothing here.
        if (LOWORD(wParam) == IDOK) {
            StoreChoice(dialog);
            EndDialog(dialog, LOWORD(wParam));
        } else if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
        }
        return FALSE;
    default:
        return FALSE;
    }
}
