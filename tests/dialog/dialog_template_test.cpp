// Reading the extended dialog template, and dialog units.
#include <gtest/gtest.h>

#include <vector>

#include "platform/core/resource_data.h"
#include "platform/dialog/dialog_template.h"
#include "platform/dialog/dialog_units.h"
#include "platform/user32.h"

namespace {

using namespace platform::dialog;

std::vector<std::uint8_t> SettingsTemplate() {
    const platform::resources::Bytes bytes = platform::resources::FindDialogTemplate(129);
    return std::vector<std::uint8_t>(bytes.data, bytes.data + bytes.size);
}

TEST(DialogTemplate, ReadsTheSettingsDialog) {
    const auto bytes = SettingsTemplate();
    ASSERT_FALSE(bytes.empty());
    DialogTemplate t;
    ASSERT_TRUE(ParseDialogTemplate(bytes.data(), bytes.size(), &t));
    EXPECT_EQ(t.style, 0x80C808C8u);
    EXPECT_EQ(t.cx, 223);
    EXPECT_EQ(t.cy, 67);
    EXPECT_TRUE(t.menu.empty());
    EXPECT_TRUE(t.windowClass.empty());
    EXPECT_EQ(t.title, "Ostrivan");
    EXPECT_TRUE(t.hasFont);
    EXPECT_EQ(t.pointSize, 8);
    EXPECT_EQ(t.weight, 400);
    EXPECT_EQ(t.charset, 1);
    EXPECT_EQ(t.typeface, "MS Shell Dlg");
    ASSERT_EQ(t.items.size(), 9u);

    struct Expected {
        std::uint16_t classOrdinal;
        int id;
        const char* text;
        std::uint32_t style;
        std::int16_t x, y, cx, cy;
    } expected[] = {
        {0x80, 1, "Start", 0x50030001, 162, 25, 54, 14},
        {0x80, 2, "E&xit", 0x50010000, 162, 44, 54, 14},
        {0x82, -1, "&Resolution", 0x50020000, 6, 7, 52, 10},
        {0x83, 1002, "", 0x50A30101, 6, 18, 66, 42},
        {0x80, 1004, "&Clone", 0x50020009, 84, 18, 66, 12},
        {0x80, 1005, "&Horizontal span", 0x50000009, 84, 30, 66, 13},
        {0x80, 1006, "&Vertical span", 0x50000009, 84, 42, 66, 13},
        {0x82, 1003, "Version 0.0", 0x50020201, 162, 6, 54, 14},
        {0x80, -1, "Display mode", 0x50000007, 78, 6, 78, 54},
    };
    for (std::size_t i = 0; i < t.items.size(); ++i) {
        const DialogItemTemplate& item = t.items[i];
        const Expected& e = expected[i];
        EXPECT_TRUE(item.windowClass.isOrdinal) << i;
        EXPECT_EQ(item.windowClass.ordinal, e.classOrdinal) << i;
        EXPECT_EQ(item.id, e.id) << i;
        EXPECT_EQ(item.title.name, e.text) << i;
        EXPECT_EQ(item.style, e.style) << i;
        EXPECT_EQ((std::vector<int>{item.x, item.y, item.cx, item.cy}), (std::vector<int>{e.x, e.y, e.cx, e.cy})) << i;
        EXPECT_TRUE(item.creationData.empty()) << i;
    }
}

TEST(DialogTemplate, RefusesTruncatedAndForeignBytes) {
    const auto bytes = SettingsTemplate();
    DialogTemplate t;
    // Every cut short of the last item's end fails cleanly (the sanitizers watch for stray reads).
    for (std::size_t size = 0; size + 1 < bytes.size(); ++size) {
        const std::vector<std::uint8_t> cut(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size));
        EXPECT_FALSE(ParseDialogTemplate(cut.data(), cut.size(), &t)) << size;
    }
    auto wrongSignature = bytes;
    wrongSignature[2] = 0;
    EXPECT_FALSE(ParseDialogTemplate(wrongSignature.data(), wrongSignature.size(), &t));
    auto moreItems = bytes;
    moreItems[16] = 10;  // cDlgItems: one item more than the bytes hold
    EXPECT_FALSE(ParseDialogTemplate(moreItems.data(), moreItems.size(), &t));
    EXPECT_FALSE(ParseDialogTemplate(nullptr, 0, &t));
}

TEST(DialogUnits, MulDivRoundsHalfAwayFromZero) {
    struct Case {
        int a, b, c, expected;
    } cases[] = {
        {223, 6, 4, 335}, {67, 12, 8, 101}, {7, 13, 8, 11}, {-7, 13, 8, -11}, {8, 96, 72, 11},
        {5, 1, 2, 3},     {-5, 1, 2, -3},   {5, 1, -2, -3}, {1, 1, 0, -1},    {2000000000, 3, 2, -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MulDiv(c.a, c.b, c.c), c.expected) << c.a << "*" << c.b << "/" << c.c;
    }
    const RECT r = DialogRectToPixels(162, 25, 54, 14, BaseUnits{6, 13});
    EXPECT_EQ(r.left, 243);
    EXPECT_EQ(r.top, 41);
    EXPECT_EQ(r.right, 243 + 81);
    EXPECT_EQ(r.bottom, 41 + 23);
    EXPECT_EQ(FontHeightForPoints(8), -11);
}

}  // namespace
