// Font sizes: the arithmetic from a face's tables, the face each request maps
// to, and the sizes measured through a DC for every font the tool makes.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "platform/gdi/font_mapper.h"
#include "platform/gdi/font_metrics.h"
#include "tests/gdi/gdi_canvas.h"

namespace {

using gditest::Canvas;
using gditest::MakeToolFont;

// Liberation Mono's tables: unitsPerEm 2048, usWinAscent 1705, usWinDescent 615 (a 2320-unit
// cell), xAvgCharWidth and every advance 1229.
constexpr platform::gdi::FaceTables kMonoTables{2048, 1705, 615, 1229, 1229, 0, -435, 84, 530, 102};

struct SizeCase {
    int height, width;
    int cell, ascent, advance;
};

// Expected values by hand. Positive height: em = height * 2048 / 2320, ascent = round(1705 / 2320 *
// height). Width 0: advance = round(1229 / 2320 * height). Positive width: the advance is the width.
//   16/0: em 14.124, ascent 11.76 -> 12, advance 8.476 -> 8
//   51/0: ascent 37.48 -> 37, advance 27.02 -> 27
//   -11 (an em of 11): cell round(11 * 2320 / 2048) = round(12.46) = 12, ascent 9.16 -> 9,
//   advance 6.60 -> 7
constexpr SizeCase kSizeCases[] = {
    {16, 0, 16, 12, 8},   {76, 38, 76, 56, 38}, {25, 17, 25, 18, 17}, {51, 0, 51, 37, 27},
    {48, 34, 48, 35, 34}, {36, 32, 36, 26, 32}, {-11, 0, 12, 9, 7},   {1, 0, 1, 1, 1},
};

TEST(FontMetrics, SizesFromTheFaceTables) {
    for (const SizeCase& c : kSizeCases) {
        SCOPED_TRACE("height " + std::to_string(c.height) + " width " + std::to_string(c.width));
        const platform::gdi::SizeMetrics m = platform::gdi::ComputeSizeMetrics(kMonoTables, c.height, c.width);
        EXPECT_EQ(m.cell, c.cell);
        EXPECT_EQ(m.ascent, c.ascent);
        EXPECT_EQ(m.ascent + m.descent, m.cell);
        EXPECT_EQ(platform::gdi::ScaleAdvance(1229, kMonoTables, m), c.advance);
        EXPECT_EQ(m.aveCharWidth, c.advance);
    }
}

TEST(FontMetrics, EmptyTablesAndExtremeSizesStayFinite) {
    struct Case {
        platform::gdi::FaceTables tables;
        int height, width;
        int cell;
    };
    const Case cases[] = {
        {platform::gdi::FaceTables{}, 20, 10, 20},
        {kMonoTables, 0, 0, platform::gdi::kDefaultCellHeight},
        {kMonoTables, INT_MAX, INT_MAX, platform::gdi::kMaxLogicalSize},
        {kMonoTables, INT_MIN, INT_MIN, 18560},  // an em of 16384: 16384 * 2320 / 2048
    };
    for (const Case& c : cases) {
        const platform::gdi::SizeMetrics m = platform::gdi::ComputeSizeMetrics(c.tables, c.height, c.width);
        EXPECT_EQ(m.cell, c.cell);
        EXPECT_GT(m.emX, 0.0);
        EXPECT_EQ(m.ascent + m.descent, m.cell);
    }
}

struct MapCase {
    const char* faceName;
    int weight;
    unsigned pitchAndFamily;
    const char* family;
    const char* file;  // the face file the installed fonts give
};

constexpr MapCase kMapCases[] = {
    {"", 400, FIXED_PITCH | FF_MODERN, "Liberation Mono", "LiberationMono-Regular.ttf"},
    {"", 700, FIXED_PITCH | FF_MODERN, "Liberation Mono", "LiberationMono-Bold.ttf"},
    {"", 600, FIXED_PITCH | FF_MODERN, "Liberation Mono", "LiberationMono-Bold.ttf"},
    {"MS Shell Dlg", 400, DEFAULT_PITCH, "Liberation Sans", "LiberationSans-Regular.ttf"},
    {"", 400, VARIABLE_PITCH | FF_SWISS, "Liberation Sans", "LiberationSans-Regular.ttf"},
    {"Courier New", 700, DEFAULT_PITCH, "Liberation Mono", "LiberationMono-Bold.ttf"},
};

TEST(FontMapper, ToolAndDialogRequestsFindLiberationFaces) {
    for (const MapCase& c : kMapCases) {
        SCOPED_TRACE(std::string(c.faceName) + " weight " + std::to_string(c.weight));
        const platform::gdi::FontRequest request{c.faceName, c.weight, false, c.pitchAndFamily};
        EXPECT_EQ(platform::gdi::PreferredFamily(request), c.family);
        platform::gdi::FaceChoice choice;
        std::string reason;
        ASSERT_TRUE(platform::gdi::MapFont(request, choice, reason)) << reason;
        EXPECT_NE(choice.file.find(c.file), std::string::npos) << choice.file;
    }
}

TEST(FontMapper, UnknownFamilyFallsBackToAnOutlineFaceOfThePitch) {
    const platform::gdi::FontRequest request{"No Such Face Anywhere", 400, false, FIXED_PITCH | FF_MODERN};
    platform::gdi::FaceChoice choice;
    std::string reason;
    ASSERT_TRUE(platform::gdi::MapFont(request, choice, reason)) << reason;
    EXPECT_FALSE(choice.file.empty());
}

struct ToolFontCase {
    const char* name;
    int height, width, weight;
    int advance;  // whole pixels per character, worked out above
};

constexpr ToolFontCase kToolFonts[] = {
    {"overlay", 16, 0, 400, 8},     {"dial", 76, 38, 700, 38},         {"log", 25, 17, 700, 17},
    {"log warning", 51, 0, 700, 27}, {"bars", 48, 34, 700, 34},        {"log 1080p", 36, 32, 700, 32},
};

TEST(FontMetrics, ToolFontsMeasureTheirCellAndWholePixelAdvances) {
    Canvas canvas(8, 8);
    for (const ToolFontCase& c : kToolFonts) {
        SCOPED_TRACE(c.name);
        HFONT font = MakeToolFont(c.height, c.width, c.weight);
        HGDIOBJ previous = SelectObject(canvas.dc, font);
        const char* text = "00042 00:01:01.234 fps:60.0";
        RECT rect{100, 200, 0, 0};
        EXPECT_EQ(DrawTextA(canvas.dc, text, -1, &rect, DT_CALCRECT | DT_SINGLELINE), c.height);
        EXPECT_EQ(rect.bottom - rect.top, c.height);
        EXPECT_EQ(rect.right - rect.left, static_cast<LONG>(std::strlen(text)) * c.advance);
        SIZE size{};
        ASSERT_TRUE(GetTextExtentPoint32A(canvas.dc, "W", 1, &size));
        EXPECT_EQ(size.cx, c.advance);
        EXPECT_EQ(size.cy, c.height);
        TEXTMETRICA tm{};
        ASSERT_TRUE(GetTextMetricsA(canvas.dc, &tm));
        EXPECT_EQ(tm.tmHeight, c.height);
        EXPECT_EQ(tm.tmAscent + tm.tmDescent, c.height);
        EXPECT_EQ(tm.tmAveCharWidth, c.advance);
        EXPECT_EQ(tm.tmWeight, c.weight >= 600 ? 700 : 400);
        SelectObject(canvas.dc, previous);
        EXPECT_TRUE(DeleteObject(font));
    }
}

TEST(FontMetrics, DialogFontAtEightPointsHasACellOfTwelve) {
    Canvas canvas(8, 8);
    // Liberation Sans: unitsPerEm 2048, win cell 1854 + 434 = 2288: an em of 11 gives 12.29 -> 12.
    HFONT font = CreateFontA(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "MS Shell Dlg");
    HGDIOBJ previous = SelectObject(canvas.dc, font);
    RECT rect{0, 0, 0, 0};
    EXPECT_EQ(DrawTextA(canvas.dc, "&Resolution", -1, &rect, DT_CALCRECT | DT_SINGLELINE), 12);
    SIZE plain{};
    ASSERT_TRUE(GetTextExtentPoint32A(canvas.dc, "Resolution", 10, &plain));
    EXPECT_EQ(rect.right, plain.cx);  // the prefix takes no room
    EXPECT_GT(plain.cx, 0);
    SelectObject(canvas.dc, previous);
    DeleteObject(font);
}

struct PrefixCase {
    const char* shown;
    UINT format;
    const char* measuredLike;  // the same width as this text without prefixes
};

constexpr PrefixCase kPrefixCases[] = {
    {"E&xit", DT_SINGLELINE, "Exit"},
    {"A&&B", DT_SINGLELINE, "A&B"},
    {"end&", DT_SINGLELINE, "end"},
    {"E&xit", DT_SINGLELINE | DT_NOPREFIX, "E&xit"},
    {"800*600\r\n", DT_SINGLELINE, "800*600"},  // control characters take no room
};

TEST(FontMetrics, PrefixesAndControlCharactersInMeasuredWidths) {
    Canvas canvas(8, 8);
    for (const PrefixCase& c : kPrefixCases) {
        SCOPED_TRACE(c.shown);
        RECT rect{0, 0, 0, 0};
        DrawTextA(canvas.dc, c.shown, -1, &rect, c.format | DT_CALCRECT);
        SIZE size{};
        GetTextExtentPoint32A(canvas.dc, c.measuredLike, static_cast<int>(std::strlen(c.measuredLike)), &size);
        EXPECT_EQ(rect.right, size.cx);
    }
}

}  // namespace
