// PLACEHOLDER until the settings dialog lands: Start with the desktop's size in Clone.
#include "setup/settings_dialog.h"

#include "app/run_state.h"

INT_PTR SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
        g_RunState.ScreenWidth = g_RunState.Desktop.width;
        g_RunState.ScreenHeight = g_RunState.Desktop.height;
        g_RunState.Layout = Clone;
        EndDialog(dialog, IDOK);
    }
    return FALSE;
}

int InitSettingsDialog(HWND) { return 1; }
