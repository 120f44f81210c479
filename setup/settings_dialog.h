// The settings dialog: resolution and display layout before the output opens.
#pragma once

#include "platform/windows.h"

INT_PTR SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
int InitSettingsDialog(HWND dialog);
