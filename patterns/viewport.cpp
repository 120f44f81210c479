// Viewport split and the text-centring rule.
#include "patterns/viewport.h"

#include "app/run_state.h"

int SplitScreen(std::int32_t layout, std::uint32_t width, std::uint32_t height, Viewport viewports[2]) {
    const auto W = static_cast<std::int32_t>(width);
    const auto H = static_cast<std::int32_t>(height);
    const auto halfW = static_cast<std::int32_t>(width >> 1);
    const auto halfH = static_cast<std::int32_t>(height >> 1);
    switch (layout) {
    case Clone:
        viewports[0] = {0, 0, W, H};
        return 1;
    case HorizontalSpan:
        viewports[0] = {0, 0, halfW, H};
        viewports[1] = {halfW, 0, halfW, H};
        return 2;
    case VerticalSpan:
        viewports[0] = {0, 0, W, halfH};
        viewports[1] = {0, halfH, W, halfH};
        return 2;
    default:
        return 0;
    }
}

RECT CentredLineRect(std::int32_t centreX, std::int32_t top, std::int32_t w, std::int32_t h) {
    const std::int32_t left = centreX - w / 2;
    return RECT{left, top, left + w, top + h};
}

int DrawCentredLine(HDC dc, LPCSTR text, std::int32_t centreX, std::int32_t top) {
    // Only the measured size matters; where the scratch rectangle starts does not.
    RECT rect{0, 0, 0, 0};
    const int h = DrawTextA(dc, text, lstrlenA(text), &rect, DT_CALCRECT | DT_SINGLELINE);
    const int w = rect.right - rect.left;
    const RECT placed = CentredLineRect(centreX, top, w, h);
    SetRect(&rect, placed.left, placed.top, placed.right, placed.bottom);
    DrawTextA(dc, text, lstrlenA(text), &rect, DT_SINGLELINE);
    return h;
}
