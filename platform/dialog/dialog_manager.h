// What the modal loop needs from the rest of the dialog manager: the
// keyboard handling that comes before dispatch, and painting the picture.
#pragma once

#include <vector>

#include "platform/dialog/dialog_keyboard.h"
#include "platform/gdi/surface_dc.h"
#include "platform/user32.h"

namespace platform::dialog {

// The dialog's controls in creation order as the keyboard rules see them; `handles` receives the
// matching windows. The focused control is asked WM_GETDLGCODE about `msg`.
std::vector<NavControl> SnapshotControls(HWND dialog, std::vector<HWND>* handles);

// The dialog manager's own keys (Tab, arrows, Enter, Esc, mnemonics) for a message taken from
// the queue. True when the message was handled and must not be dispatched.
bool HandleDialogKey(HWND dialog, const MSG& msg);

// The first control Tab reaches (the one that gets the focus when WM_INITDIALOG returns TRUE).
HWND FirstTabItem(HWND dialog);

// Paints the dialog's client area and its visible controls into the target.
void PaintDialog(HWND dialog, const PixelTarget& target);

}  // namespace platform::dialog
