// The dialog's window classes: the dialog itself and the button, static and
// list box controls. Each control keeps its own state, answers its messages
// and paints itself onto the dialog's picture.
#pragma once

#include "platform/dialog/dialog_canvas.h"
#include "platform/user32.h"

namespace platform::dialog {

// Registers the four classes the first time it is called; false when one cannot be registered.
bool RegisterDialogClasses();

LRESULT DialogWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT ButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT StaticProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT ListBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Draws a control into `box` (its rectangle in the picture); the canvas is clipped to the box.
using PaintFunction = void (*)(HWND control, const Canvas& canvas, const RECT& box);
void PaintButton(HWND control, const Canvas& canvas, const RECT& box);
void PaintStatic(HWND control, const Canvas& canvas, const RECT& box);
void PaintListBox(HWND control, const Canvas& canvas, const RECT& box);
// The painter for a window class name; null for classes that draw nothing.
PaintFunction FindPainter(const char* className);

// Tells the control's parent: WM_COMMAND with the control's id and the notification code.
void NotifyParent(HWND control, WORD code);

}  // namespace platform::dialog
