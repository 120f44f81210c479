// Where the settings dialog's controls are on its picture, for scripts that
// click them: template positions in dialog units, converted with the base
// units of the dialog font.
#pragma once

#include <string>

#include "platform/dialog/dialog_units.h"
#include "platform/wingdi.h"

namespace dialog_test {

inline platform::dialog::BaseUnits DialogFontUnits() {
    HFONT font = CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "MS Shell Dlg");
    const platform::dialog::BaseUnits units = platform::dialog::MeasureBaseUnits(font);
    DeleteObject(font);
    return units;
}

// A control's rectangle in pixels from its template rectangle in dialog units.
inline RECT ControlRect(int x, int y, int cx, int cy) {
    return platform::dialog::DialogRectToPixels(x, y, cx, cy, DialogFontUnits());
}

inline std::string ClickLine(const char* kind, int x, int y) {
    return std::string("dialog ") + kind + " " + std::to_string(x) + " " + std::to_string(y) + "\n";
}

// A click in the middle of a control given in dialog units.
inline std::string ClickControl(int x, int y, int cx, int cy) {
    const RECT r = ControlRect(x, y, cx, cy);
    return ClickLine("click", (r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

inline RECT ListRect() { return ControlRect(6, 18, 66, 42); }

// The middle of row `row` of the resolution list (rows are one font height; the border is 1 pixel).
inline std::string ClickListRow(int row, const char* kind = "click") {
    const RECT list = ListRect();
    const int height = DialogFontUnits().y;
    return ClickLine(kind, list.left + 12, list.top + 1 + row * height + height / 2);
}

inline std::string ClickListDownArrow() {
    const RECT list = ListRect();
    return ClickLine("click", list.right - 9, list.bottom - 5);
}

inline const std::string kStart = "162 25 54 14", kExit = "162 44 54 14";

}  // namespace dialog_test
