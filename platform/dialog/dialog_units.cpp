#include "platform/dialog/dialog_units.h"

#include <cstdint>

#include "platform/gdi/surface_dc.h"
#include "platform/wingdi.h"

namespace platform::dialog {

int MulDiv(int a, int b, int c) {
    if (c == 0) {
        return -1;
    }
    const std::int64_t product = static_cast<std::int64_t>(a) * b;
    const std::int64_t half = (c < 0 ? -static_cast<std::int64_t>(c) : c) / 2;
    const bool negative = (product < 0) != (c < 0);
    const std::int64_t magnitude = (product < 0 ? -product : product) + half;
    const std::int64_t quotient = magnitude / (c < 0 ? -static_cast<std::int64_t>(c) : c);
    const std::int64_t result = negative ? -quotient : quotient;
    return result > INT32_MAX || result < INT32_MIN ? -1 : static_cast<int>(result);
}

BaseUnits MeasureBaseUnits(HFONT font) {
    constexpr BaseUnits kUsual{6, 13};
    std::uint16_t pixel = 0;
    HDC dc = CreateSurfaceDC(PixelTarget{&pixel, 1, 1, 1});
    if (dc == nullptr) {
        return kUsual;
    }
    HGDIOBJ previous = font != nullptr ? SelectObject(dc, font) : nullptr;
    static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    SIZE extent{};
    TEXTMETRICA metrics{};
    const bool measured = GetTextExtentPoint32A(dc, kLetters, 52, &extent) && GetTextMetricsA(dc, &metrics) &&
                          extent.cx > 0 && metrics.tmHeight > 0;
    if (previous != nullptr) {
        SelectObject(dc, previous);
    }
    DeleteSurfaceDC(dc);
    if (!measured) {
        return kUsual;
    }
    return BaseUnits{(extent.cx / 26 + 1) / 2, metrics.tmHeight};
}

RECT DialogRectToPixels(int x, int y, int cx, int cy, const BaseUnits& units) {
    const int left = MulDiv(x, units.x, 4);
    const int top = MulDiv(y, units.y, 8);
    return RECT{left, top, left + MulDiv(cx, units.x, 4), top + MulDiv(cy, units.y, 8)};
}

int FontHeightForPoints(int points) { return -MulDiv(points, 96, 72); }

}  // namespace platform::dialog
