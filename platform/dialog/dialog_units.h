// Dialog units: a template measures its dialog and controls in quarters of
// the dialog font's average character width and eighths of its height.
#pragma once

#include "platform/win32_types.h"

namespace platform::dialog {

struct BaseUnits {
    int x;  // average character width, pixels
    int y;  // character height, pixels
};

// a * b / c rounded half away from zero, in 64 bits; -1 when c is 0 or the result overflows.
int MulDiv(int a, int b, int c);

// The base units of a font as Windows derives them: the width of the 52 letters A-Z a-z,
// averaged over 26 and halved with rounding, and the font's cell height. A font that cannot be
// measured gives the units of the usual 8-point dialog font.
BaseUnits MeasureBaseUnits(HFONT font);

// A rectangle in dialog units (x, y, width, height) in pixels.
RECT DialogRectToPixels(int x, int y, int cx, int cy, const BaseUnits& units);

// The pixel height for a point size at 96 dots per inch, as a negative (em-size) font height.
int FontHeightForPoints(int points);

}  // namespace platform::dialog
