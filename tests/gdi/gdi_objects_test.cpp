// GDI objects and DCs: what SelectObject returns, when DeleteObject refuses,
// the starting state of a DC, and bad handles or null pointers everywhere.
#include <gtest/gtest.h>

#include <cstdint>

#include "tests/gdi/gdi_canvas.h"

namespace {

using gditest::Canvas;
using gditest::MakeToolFont;

TEST(GdiObjects, SelectReturnsWhatItReplacesAndDeleteRefusesSelectedObjects) {
    Canvas canvas(4, 4);
    HFONT first = MakeToolFont(16, 0, 400);
    HFONT second = MakeToolFont(25, 17, 700);
    HBRUSH brush = CreateSolidBrush(0x00123456);

    HGDIOBJ defaultFont = SelectObject(canvas.dc, first);
    ASSERT_NE(defaultFont, nullptr);
    EXPECT_NE(defaultFont, first);
    EXPECT_EQ(SelectObject(canvas.dc, second), first);
    EXPECT_FALSE(DeleteObject(second));  // still selected
    EXPECT_TRUE(DeleteObject(first));
    EXPECT_FALSE(DeleteObject(first));  // already gone
    EXPECT_EQ(SelectObject(canvas.dc, first), nullptr);

    HGDIOBJ defaultBrush = SelectObject(canvas.dc, brush);
    ASSERT_NE(defaultBrush, nullptr);
    EXPECT_EQ(SelectObject(canvas.dc, second), second);  // fonts and brushes are separate slots
    EXPECT_EQ(SelectObject(canvas.dc, defaultBrush), brush);
    EXPECT_TRUE(DeleteObject(brush));

    EXPECT_EQ(SelectObject(canvas.dc, defaultFont), second);
    EXPECT_TRUE(DeleteObject(second));
    // The default font is never freed, even when asked; a new DC still starts with it.
    EXPECT_FALSE(DeleteObject(defaultFont));  // selected in this DC
    Canvas other(4, 4);
    EXPECT_EQ(SelectObject(other.dc, defaultFont), defaultFont);
}

TEST(GdiObjects, EndingADcReleasesItsSelections) {
    HFONT font = MakeToolFont(16, 0, 400);
    HGDIOBJ defaultFont = nullptr;
    {
        Canvas canvas(4, 4);
        defaultFont = SelectObject(canvas.dc, font);
        EXPECT_FALSE(DeleteObject(font));
    }
    EXPECT_TRUE(DeleteObject(font));
    EXPECT_TRUE(DeleteObject(defaultFont));  // selected nowhere now, and still not freed
    Canvas canvas(4, 4);
    EXPECT_EQ(SelectObject(canvas.dc, defaultFont), defaultFont);
}

TEST(GdiObjects, StartingStateOfADc) {
    Canvas canvas(4, 4);
    EXPECT_EQ(SetBkMode(canvas.dc, TRANSPARENT), OPAQUE);
    EXPECT_EQ(SetBkMode(canvas.dc, OPAQUE), TRANSPARENT);
    EXPECT_EQ(SetBkMode(canvas.dc, 7), 0);  // not a mode
    EXPECT_EQ(SetBkColor(canvas.dc, 0x00010203), 0x00FFFFFFu);
    EXPECT_EQ(SetBkColor(canvas.dc, 0), 0x00010203u);
    EXPECT_EQ(SetTextColor(canvas.dc, 0x000000FF), 0u);
    EXPECT_EQ(SetTextColor(canvas.dc, 0), 0x000000FFu);
    // The default font measures like a system font: a 16-pixel cell.
    RECT rect{0, 0, 0, 0};
    EXPECT_EQ(DrawTextA(canvas.dc, "Start", -1, &rect, DT_CALCRECT | DT_SINGLELINE), 16);
    EXPECT_GT(rect.right, 0);
}

TEST(GdiObjects, BadTargetsGiveNoDc) {
    std::uint16_t pixels[16] = {};
    const platform::PixelTarget targets[] = {
        {nullptr, 4, 4, 4}, {pixels, 0, 4, 4}, {pixels, 4, -1, 4}, {pixels, 4, 4, 3},
    };
    for (const auto& target : targets) {
        EXPECT_EQ(platform::CreateSurfaceDC(target), nullptr);
    }
}

TEST(GdiObjects, BadHandlesAndNullPointersFailWithoutHarm) {
    Canvas canvas(8, 8);
    Canvas deleted(8, 8);
    HDC gone = deleted.dc;
    platform::DeleteSurfaceDC(gone);
    deleted.dc = nullptr;
    platform::DeleteSurfaceDC(gone);  // twice: ignored

    HFONT font = MakeToolFont(16, 0, 400);
    HBRUSH brush = CreateSolidBrush(0);
    const HDC badDcs[] = {nullptr, gone, reinterpret_cast<HDC>(std::uintptr_t{0x1234}),
                          reinterpret_cast<HDC>(font)};
    RECT rect{0, 0, 8, 8};
    SIZE size{};
    TEXTMETRICA tm{};
    for (HDC dc : badDcs) {
        EXPECT_EQ(SelectObject(dc, font), nullptr);
        EXPECT_EQ(SetBkMode(dc, TRANSPARENT), 0);
        EXPECT_EQ(SetBkColor(dc, 0), CLR_INVALID);
        EXPECT_EQ(SetTextColor(dc, 0), CLR_INVALID);
        EXPECT_EQ(DrawTextA(dc, "x", 1, &rect, DT_SINGLELINE), 0);
        EXPECT_FALSE(TextOutA(dc, 0, 0, "x", 1));
        EXPECT_EQ(FillRect(dc, &rect, brush), 0);
        EXPECT_FALSE(GetTextMetricsA(dc, &tm));
        EXPECT_FALSE(GetTextExtentPoint32A(dc, "x", 1, &size));
    }
    const HGDIOBJ badObjects[] = {nullptr, reinterpret_cast<HGDIOBJ>(std::uintptr_t{0x1234}),
                                  reinterpret_cast<HGDIOBJ>(canvas.dc)};
    for (HGDIOBJ object : badObjects) {
        EXPECT_EQ(SelectObject(canvas.dc, object), nullptr);
        EXPECT_FALSE(DeleteObject(object));
        EXPECT_EQ(FillRect(canvas.dc, &rect, object), 0);
    }
    EXPECT_EQ(FillRect(canvas.dc, &rect, font), 0);  // a font is no brush
    EXPECT_EQ(FillRect(canvas.dc, nullptr, brush), 0);
    EXPECT_EQ(DrawTextA(canvas.dc, nullptr, 3, &rect, DT_SINGLELINE), 0);
    EXPECT_EQ(DrawTextA(canvas.dc, "x", 1, nullptr, DT_SINGLELINE), 0);
    EXPECT_FALSE(TextOutA(canvas.dc, 0, 0, nullptr, 3));
    EXPECT_FALSE(TextOutA(canvas.dc, 0, 0, "x", -2));
    EXPECT_TRUE(TextOutA(canvas.dc, 0, 0, nullptr, 0));  // nothing to draw is no failure
    EXPECT_FALSE(GetTextMetricsA(canvas.dc, nullptr));
    EXPECT_FALSE(GetTextExtentPoint32A(canvas.dc, "x", 1, nullptr));
    EXPECT_FALSE(GetTextExtentPoint32A(canvas.dc, nullptr, 1, &size));
    EXPECT_TRUE(DeleteObject(font));
    EXPECT_TRUE(DeleteObject(brush));
}

TEST(GdiObjects, LengthZeroDrawsNothingAndMinusOneReadsToTheEnd) {
    Canvas canvas(40, 20);
    Canvas blank(40, 20);
    EXPECT_TRUE(TextOutA(canvas.dc, 0, 0, "abc", 0));
    const RECT none = gditest::ChangedBox(canvas, blank);
    EXPECT_LE(none.right, none.left);
    RECT whole{0, 0, 0, 0}, counted{0, 0, 0, 0};
    DrawTextA(canvas.dc, "abc", -1, &whole, DT_CALCRECT | DT_SINGLELINE);
    DrawTextA(canvas.dc, "abcdef", 3, &counted, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(whole.right, counted.right);
    EXPECT_GT(whole.right, 0);
}

}  // namespace
