// Drawing text and rectangles into R5G6B5 pixels: only glyph pixels change in
// TRANSPARENT mode, the background box in OPAQUE mode, clipping to rectangles
// and surface edges, colours, placement and the prefix underline.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "platform/core/pixels.h"
#include "platform/gdi/font_mapper.h"
#include "tests/gdi/gdi_canvas.h"

namespace {

using gditest::Canvas;
using gditest::MakeToolFont;

// A DC with one of the tool's fonts selected, released with it.
struct FontScope {
    HDC dc;
    HFONT font;
    HGDIOBJ previous;
    FontScope(HDC target, int height, int width, int weight)
        : dc(target), font(MakeToolFont(height, width, weight)), previous(SelectObject(target, font)) {}
    ~FontScope() {
        SelectObject(dc, previous);
        DeleteObject(font);
    }
};

bool Inside(const RECT& outer, const RECT& inner) {
    return inner.right <= inner.left ||
           (inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right && inner.bottom <= outer.bottom);
}

TEST(TextDrawing, TransparentTouchesOnlyGlyphPixels) {
    // The same text on two backgrounds: wherever it left a plain white picture white, it must
    // have left a patterned picture exactly as it was.
    Canvas white(120, 40, 0xFFFF);
    Canvas pattern(120, 40);
    pattern.FillPattern();
    Canvas untouched(120, 40);
    untouched.FillPattern();
    for (Canvas* canvas : {&white, &pattern}) {
        FontScope font(canvas->dc, 25, 17, 700);
        SetBkMode(canvas->dc, TRANSPARENT);
        SetTextColor(canvas->dc, 0x00000080);
        EXPECT_TRUE(TextOutA(canvas->dc, 3, 5, "0 W:x.", 6));
    }
    int glyphPixels = 0;
    for (int y = 0; y < white.height; ++y) {
        for (int x = 0; x < white.width; ++x) {
            if (white.At(x, y) == 0xFFFF) {
                ASSERT_EQ(pattern.At(x, y), untouched.At(x, y)) << x << "," << y;
            } else {
                ++glyphPixels;
            }
        }
    }
    EXPECT_GT(glyphPixels, 50);
    EXPECT_TRUE(pattern.GuardsIntact());
}

TEST(TextDrawing, OpaqueFillsExactlyTheTextBoxWithTheBackground) {
    Canvas canvas(100, 40);
    canvas.FillPattern();
    Canvas before(100, 40);
    before.FillPattern();
    FontScope font(canvas.dc, 16, 0, 400);
    SetBkColor(canvas.dc, 0x00FF0000);  // blue
    // OPAQUE is the starting mode.
    EXPECT_TRUE(TextOutA(canvas.dc, 10, 7, "Ver.1.4", 7));
    const RECT box{10, 7, 10 + 7 * 8, 7 + 16};
    const RECT changed = gditest::ChangedBox(canvas, before);
    EXPECT_EQ(changed.left, box.left);
    EXPECT_EQ(changed.top, box.top);
    EXPECT_EQ(changed.right, box.right);
    EXPECT_EQ(changed.bottom, box.bottom);
    EXPECT_EQ(canvas.At(box.left, box.top), platform::ColorRefToR5G6B5(0x00FF0000));
}

TEST(TextDrawing, ColoursLandAsTheirR5G6B5Values) {
    // Asymmetric colours on a contrasting ground, so a red/blue swap cannot pass: the inside of
    // a big bold glyph is exactly the colour, and every edge pixel lies between it and the ground.
    constexpr COLORREF kColours[] = {0x000000FF, 0x00000080, 0x00FFFFFF, 0x00000000, 0x00FF8000};
    for (COLORREF colour : kColours) {
        SCOPED_TRACE(std::to_string(colour));
        const std::uint16_t ground = platform::ColorRefToR5G6B5(colour ^ 0x00FFFFFF);
        Canvas canvas(90, 80, ground);
        FontScope font(canvas.dc, 76, 38, 700);
        SetBkMode(canvas.dc, TRANSPARENT);
        SetTextColor(canvas.dc, colour);
        TextOutA(canvas.dc, 2, 2, "HI", 2);
        const std::uint16_t exact = platform::ColorRefToR5G6B5(colour);
        const platform::Rgb8 c = platform::ExpandR5G6B5(exact), g = platform::ExpandR5G6B5(ground);
        int full = 0;
        for (int y = 0; y < canvas.height; ++y) {
            for (int x = 0; x < canvas.width; ++x) {
                const platform::Rgb8 p = platform::ExpandR5G6B5(canvas.At(x, y));
                full += canvas.At(x, y) == exact;
                auto between = [](int v, int a, int b) { return v >= (a < b ? a : b) && v <= (a < b ? b : a); };
                ASSERT_TRUE(between(p.r, c.r, g.r) && between(p.g, c.g, g.g) && between(p.b, c.b, g.b)) << x << "," << y;
            }
        }
        EXPECT_GT(full, 300);
    }
}

TEST(TextDrawing, DrawTextClipsToItsRectangle) {
    Canvas canvas(200, 70);
    canvas.FillPattern();
    Canvas before(200, 70);
    before.FillPattern();
    FontScope font(canvas.dc, 51, 0, 700);
    SetTextColor(canvas.dc, 0x00000080);
    RECT rect{0, 0, 0, 0};
    const int h = DrawTextA(canvas.dc, "Warning", -1, &rect, DT_CALCRECT | DT_SINGLELINE);
    const int w = rect.right - rect.left;
    ASSERT_EQ(w, 7 * 27);
    // One pixel narrower and shorter than the text, as the frame log's centred box can be, in both
    // background modes.
    for (int mode : {OPAQUE, TRANSPARENT}) {
        SetBkMode(canvas.dc, mode);
        RECT box{4, 6, 4 + w - 1, 6 + h - 1};
        DrawTextA(canvas.dc, "Warning", -1, &box, DT_SINGLELINE);
        const RECT changed = gditest::ChangedBox(canvas, before);
        EXPECT_TRUE(Inside(box, changed)) << changed.left << " " << changed.top << " " << changed.right << " " << changed.bottom;
        EXPECT_GT(changed.right, changed.left);
    }
    EXPECT_TRUE(canvas.GuardsIntact());
}

TEST(TextDrawing, AlignmentPlacesTheLineInsideTheRectangle) {
    // The line drawn with an alignment flag is the left-aligned picture moved by the expected offset.
    struct Case {
        UINT format;
        int dx, dy;  // for a 40 x 16 text in a 60 x 30 rectangle
    };
    const Case cases[] = {{DT_CENTER, 10, 0}, {DT_RIGHT, 20, 0}, {DT_VCENTER, 0, 7},
                          {DT_BOTTOM, 0, 14}, {DT_CENTER | DT_VCENTER, 10, 7}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.format);
        Canvas left(80, 40), aligned(80, 40);
        FontScope leftFont(left.dc, 16, 0, 400), alignedFont(aligned.dc, 16, 0, 400);
        SetBkMode(left.dc, TRANSPARENT);
        SetBkMode(aligned.dc, TRANSPARENT);
        RECT plain{5 + c.dx, 3 + c.dy, 75, 40};
        DrawTextA(left.dc, "12:34", 5, &plain, DT_SINGLELINE);
        RECT box{5, 3, 65, 33};
        DrawTextA(aligned.dc, "12:34", 5, &box, DT_SINGLELINE | c.format);
        for (int y = 0; y < left.height; ++y) {
            for (int x = 0; x < left.width; ++x) {
                ASSERT_EQ(left.At(x, y), aligned.At(x, y)) << x << "," << y;
            }
        }
    }
}

TEST(TextDrawing, TextAtAndBeyondTheSurfaceEdgesIsClipped) {
    struct Case {
        int x, y;
        bool drawsSomething;
    };
    const Case cases[] = {{-20, -10, true},      {50, 25, true},         {-1000, 0, false}, {0, 1000, false},
                          {INT_MAX - 5, 0, false}, {INT_MIN, INT_MIN, false}, {0, INT_MAX, false}, {-5, 15, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
        Canvas canvas(64, 32);
        Canvas blank(64, 32);
        FontScope font(canvas.dc, 36, 32, 700);
        SetTextColor(canvas.dc, 0x000000FF);
        EXPECT_TRUE(TextOutA(canvas.dc, c.x, c.y, "00042 00:01", 11));
        RECT rect{c.x, c.y, c.x, c.y};  // no room at all: DT_NOCLIP draws regardless
        DrawTextA(canvas.dc, "00042", 5, &rect, DT_SINGLELINE | DT_NOCLIP);
        EXPECT_TRUE(canvas.GuardsIntact());
        const RECT changed = gditest::ChangedBox(canvas, blank);
        EXPECT_EQ(changed.right > changed.left, c.drawsSomething);
    }
}

TEST(TextDrawing, PrefixUnderlinesTheMnemonic) {
    // "E&xit" and "Exit" differ only by a line under the x, below the baseline.
    Canvas withPrefix(60, 20), plain(60, 20);
    HFONT font = CreateFontA(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "MS Shell Dlg");
    HGDIOBJ previous = SelectObject(withPrefix.dc, font);
    SelectObject(plain.dc, font);
    RECT rect{0, 0, 60, 20};
    DrawTextA(withPrefix.dc, "E&xit", -1, &rect, DT_SINGLELINE);
    DrawTextA(plain.dc, "Exit", -1, &rect, DT_SINGLELINE);
    SIZE e{}, ex{};
    GetTextExtentPoint32A(plain.dc, "E", 1, &e);
    GetTextExtentPoint32A(plain.dc, "Ex", 2, &ex);
    TEXTMETRICA tm{};
    GetTextMetricsA(plain.dc, &tm);
    const RECT changed = gditest::ChangedBox(withPrefix, plain);
    EXPECT_EQ(changed.left, e.cx);
    EXPECT_EQ(changed.right, ex.cx);
    EXPECT_GE(changed.top, tm.tmAscent);
    EXPECT_LE(changed.bottom, tm.tmHeight);
    SelectObject(withPrefix.dc, previous);
    SelectObject(plain.dc, previous);
    EXPECT_TRUE(DeleteObject(font));
}

TEST(TextDrawing, BoldWithoutABoldCutIsThickenedWithTheSameAdvances) {
    // Needs a face installed in one medium cut only: Z003 (fonts-urw-base35) is one where it exists.
    platform::gdi::FaceChoice choice;
    std::string reason;
    if (!platform::gdi::MapFont({"Z003", 700, true, DEFAULT_PITCH}, choice, reason) ||
        choice.file.find("Z003-MediumItalic") == std::string::npos) {
        GTEST_SKIP() << "no face with a single medium cut here";
    }
    long ink[2] = {};
    LONG advance[2] = {};
    for (int bold = 0; bold < 2; ++bold) {
        Canvas canvas(200, 50, 0xFFFF);
        HFONT font = CreateFontA(40, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, TRUE, FALSE, FALSE, ANSI_CHARSET,
                                 OUT_TT_ONLY_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH, "Z003");
        HGDIOBJ previous = SelectObject(canvas.dc, font);
        SetBkMode(canvas.dc, TRANSPARENT);
        TextOutA(canvas.dc, 2, 2, "Hello", 5);
        SIZE size{};
        GetTextExtentPoint32A(canvas.dc, "Hello", 5, &size);
        advance[bold] = size.cx;
        for (int y = 0; y < canvas.height; ++y) {
            for (int x = 0; x < canvas.width; ++x) {
                ink[bold] += 0xFFFF - canvas.At(x, y);
            }
        }
        SelectObject(canvas.dc, previous);
        DeleteObject(font);
    }
    EXPECT_EQ(advance[1], advance[0]);
    EXPECT_GT(ink[1], ink[0] * 5 / 4);
}

TEST(FillRect, FillsRightAndBottomExclusiveClippedToTheSurface) {
    struct Case {
        RECT rect;
        RECT filled;  // what must change; empty when nothing
    };
    const Case cases[] = {
        {{2, 3, 7, 5}, {2, 3, 7, 5}},        {{-4, -4, 3, 2}, {0, 0, 3, 2}},   {{10, 6, 40, 40}, {10, 6, 16, 8}},
        {{5, 5, 5, 9}, {0, 0, 0, 0}},        {{9, 4, 2, 1}, {0, 0, 0, 0}},     {{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, {0, 0, 16, 8}},
    };
    for (const Case& c : cases) {
        Canvas canvas(16, 8, 0);
        Canvas blank(16, 8, 0);
        HBRUSH brush = CreateSolidBrush(0x0000FF00);
        EXPECT_EQ(FillRect(canvas.dc, &c.rect, brush), 1);
        EXPECT_TRUE(DeleteObject(brush));
        const RECT changed = gditest::ChangedBox(canvas, blank);
        EXPECT_EQ(changed.right > changed.left ? changed.left : 0, c.filled.left);
        EXPECT_EQ(changed.right > changed.left ? changed.right : 0, c.filled.right);
        EXPECT_EQ(changed.right > changed.left ? changed.top : 0, c.filled.top);
        EXPECT_EQ(changed.right > changed.left ? changed.bottom : 0, c.filled.bottom);
        if (c.filled.right > c.filled.left) {
            EXPECT_EQ(canvas.At(c.filled.left, c.filled.top), platform::ColorRefToR5G6B5(0x0000FF00));
        }
        EXPECT_TRUE(canvas.GuardsIntact());
    }
}

}  // namespace
