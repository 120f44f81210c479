#include "platform/dialog/dialog_canvas.h"

#include <algorithm>
#include <cmath>

#include "platform/core/pixels.h"
#include "platform/wingdi.h"

namespace platform::dialog {

namespace {

RECT Clipped(const Canvas& canvas, const RECT& box) {
    const RECT& c = canvas.clip;
    return RECT{std::max({box.left, c.left, LONG{0}}), std::max({box.top, c.top, LONG{0}}),
                std::min({box.right, c.right, static_cast<LONG>(canvas.target.width)}),
                std::min({box.bottom, c.bottom, static_cast<LONG>(canvas.target.height)})};
}

bool Inside(const Canvas& canvas, int x, int y) {
    const RECT& c = canvas.clip;
    return x >= c.left && x < c.right && y >= c.top && y < c.bottom && x >= 0 && y >= 0 &&
           x < canvas.target.width && y < canvas.target.height;
}

int Red(COLORREF c) { return static_cast<int>(c & 0xFF); }
int Green(COLORREF c) { return static_cast<int>((c >> 8) & 0xFF); }
int Blue(COLORREF c) { return static_cast<int>((c >> 16) & 0xFF); }

std::uint16_t& At(const Canvas& canvas, int x, int y) {
    return canvas.target.pixels[static_cast<std::ptrdiff_t>(y) * canvas.target.pitch + x];
}

void Blend(const Canvas& canvas, int x, int y, COLORREF colour, double alpha) {
    if (!Inside(canvas, x, y) || alpha <= 0.0) {
        return;
    }
    const Rgb8 under = ExpandR5G6B5(At(canvas, x, y));
    const auto mix = [alpha](int from, int to) {
        return static_cast<int>(std::lround(from + (to - from) * std::min(alpha, 1.0)));
    };
    At(canvas, x, y) = ColorRefToR5G6B5(RGB(mix(under.r, Red(colour)), mix(under.g, Green(colour)),
                                            mix(under.b, Blue(colour))));
}

HGDIOBJ SelectTextState(const Canvas& canvas, HFONT font, COLORREF colour) {
    SetBkMode(canvas.dc, TRANSPARENT);
    SetTextColor(canvas.dc, colour);
    return font != nullptr ? SelectObject(canvas.dc, font) : nullptr;
}

}  // namespace

void FillBox(const Canvas& canvas, const RECT& box, COLORREF colour) {
    const RECT r = Clipped(canvas, box);
    const std::uint16_t pixel = ColorRefToR5G6B5(colour);
    for (LONG y = r.top; y < r.bottom; ++y) {
        for (LONG x = r.left; x < r.right; ++x) {
            At(canvas, x, y) = pixel;
        }
    }
}

void FrameBox(const Canvas& canvas, const RECT& box, COLORREF colour) {
    FillBox(canvas, RECT{box.left, box.top, box.right, box.top + 1}, colour);
    FillBox(canvas, RECT{box.left, box.bottom - 1, box.right, box.bottom}, colour);
    FillBox(canvas, RECT{box.left, box.top, box.left + 1, box.bottom}, colour);
    FillBox(canvas, RECT{box.right - 1, box.top, box.right, box.bottom}, colour);
}

void Edge3D(const Canvas& canvas, const RECT& box, bool sunken) {
    // Outer ring, then inner ring: top and left lines first, so the bottom-right corner is shaded.
    const COLORREF outerLit = sunken ? kShadow : kHilight, outerDark = sunken ? kHilight : kDarkShadow;
    const COLORREF innerLit = sunken ? kDarkShadow : kLight, innerDark = sunken ? kLight : kShadow;
    const auto ring = [&](const RECT& r, COLORREF lit, COLORREF dark) {
        FillBox(canvas, RECT{r.left, r.top, r.right, r.top + 1}, lit);
        FillBox(canvas, RECT{r.left, r.top, r.left + 1, r.bottom}, lit);
        FillBox(canvas, RECT{r.left, r.bottom - 1, r.right, r.bottom}, dark);
        FillBox(canvas, RECT{r.right - 1, r.top, r.right, r.bottom}, dark);
    };
    ring(box, outerLit, outerDark);
    ring(RECT{box.left + 1, box.top + 1, box.right - 1, box.bottom - 1}, innerLit, innerDark);
}

void FocusMark(const Canvas& canvas, const RECT& box) {
    if (box.right <= box.left || box.bottom <= box.top) {
        return;
    }
    const auto dot = [&](int x, int y) {
        if (((x + y) & 1) == 0 && Inside(canvas, x, y)) {
            At(canvas, x, y) ^= 0xFFFF;
        }
    };
    for (LONG x = box.left; x < box.right; ++x) {
        dot(x, box.top);
        if (box.bottom - 1 != box.top) {
            dot(x, box.bottom - 1);
        }
    }
    for (LONG y = box.top + 1; y < box.bottom - 1; ++y) {
        dot(box.left, y);
        if (box.right - 1 != box.left) {
            dot(box.right - 1, y);
        }
    }
}

void FillDisc(const Canvas& canvas, double cx, double cy, double radius, COLORREF colour) {
    // Coverage from a 4 x 4 grid of samples in each pixel around the edge.
    const int x0 = static_cast<int>(std::floor(cx - radius)), x1 = static_cast<int>(std::ceil(cx + radius));
    const int y0 = static_cast<int>(std::floor(cy - radius)), y1 = static_cast<int>(std::ceil(cy + radius));
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            int covered = 0;
            for (int sy = 0; sy < 4; ++sy) {
                for (int sx = 0; sx < 4; ++sx) {
                    const double dx = x + (sx + 0.5) / 4.0 - cx, dy = y + (sy + 0.5) / 4.0 - cy;
                    covered += dx * dx + dy * dy <= radius * radius ? 1 : 0;
                }
            }
            Blend(canvas, x, y, colour, covered / 16.0);
        }
    }
}

void Arrow(const Canvas& canvas, const RECT& box, bool up, int width, COLORREF colour) {
    const int rows = (width + 1) / 2;
    const int left = static_cast<int>(box.left + (box.right - box.left - width) / 2);
    const int top = static_cast<int>(box.top + (box.bottom - box.top - rows) / 2);
    for (int row = 0; row < rows; ++row) {
        const int inset = up ? rows - 1 - row : row;  // the tip row is one pixel (or two) wide
        FillBox(canvas, RECT{left + inset, top + row, left + width - inset, top + row + 1}, colour);
    }
}

int Text(const Canvas& canvas, HFONT font, const char* text, RECT box, UINT format, COLORREF colour) {
    // DrawTextA clips to the box, which the controls keep inside themselves.
    HGDIOBJ previous = SelectTextState(canvas, font, colour);
    const int result = DrawTextA(canvas.dc, text, -1, &box, format);
    if (previous != nullptr) {
        SelectObject(canvas.dc, previous);
    }
    return result;
}

SIZE MeasureText(const Canvas& canvas, HFONT font, const char* text, UINT format) {
    HGDIOBJ previous = SelectTextState(canvas, font, kText);
    RECT box{0, 0, 0, 0};
    DrawTextA(canvas.dc, text, -1, &box, (format | DT_CALCRECT) & ~static_cast<UINT>(DT_CENTER | DT_VCENTER));
    if (previous != nullptr) {
        SelectObject(canvas.dc, previous);
    }
    return SIZE{box.right - box.left, box.bottom - box.top};
}

}  // namespace platform::dialog
