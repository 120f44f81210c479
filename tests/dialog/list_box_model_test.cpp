// The list box's search, key, scrolling and layout rules.
#include <gtest/gtest.h>

#include "platform/dialog/list_box_model.h"
#include "platform/user32.h"

namespace {

using namespace platform::dialog;

TEST(ListBoxModel, PrefixSearchIgnoresCaseAndWraps) {
    const std::vector<std::string> items = {"800*600\r\n", "1024*768\r\n", "1280*720\r\n", "1280*1024\r\n", "Abc"};
    struct Case {
        int wParam;
        const char* prefix;
        int expected;
    } cases[] = {
        {-1, "1280*1024\r\n", 3},  // the whole text, line break included
        {-1, "1280*", 2},          // first match from the top
        {2, "1280*", 3},           // starts after wParam
        {3, "1280*", 2},           // wraps round
        {4, "800", 0},             // after the last item: from the top
        {-1, "aBC", 4},
        {-1, "1600*900\r\n", -1},
        {-1, "1024*768\r\n\r\n", -1},  // longer than the item
        {-1, "", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FindPrefix(items, SearchStart(c.wParam, 5), c.prefix), c.expected) << c.prefix << " " << c.wParam;
    }
    EXPECT_EQ(FindPrefix({}, 0, "x"), -1);
}

TEST(ListBoxModel, NavigationKeys) {
    struct Case {
        UINT vk;
        int current;
        int expected;
    } cases[] = {
        {VK_DOWN, 2, 3}, {VK_DOWN, 9, 9}, {VK_UP, 0, 0},     {VK_UP, 5, 4},     {VK_DOWN, -1, 0},
        {VK_UP, -1, 0},  {VK_HOME, 6, 0}, {VK_END, 1, 9},    {VK_NEXT, 0, 4},   {VK_NEXT, 8, 9},
        {VK_PRIOR, 6, 2}, {VK_PRIOR, 2, 0}, {VK_RIGHT, 1, 2}, {VK_LEFT, 1, 0},  {VK_TAB, 1, -2},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(KeyTarget(c.vk, c.current, 10, 5), c.expected) << c.vk << " from " << c.current;
    }
    EXPECT_EQ(KeyTarget(VK_DOWN, -1, 0, 5), -2);
}

TEST(ListBoxModel, ScrollingKeepsTheItemInView) {
    // 10 items, 4 rows in view.
    EXPECT_EQ(TopShowing(0, 2, 10, 4), 0);
    EXPECT_EQ(TopShowing(0, 4, 10, 4), 1);
    EXPECT_EQ(TopShowing(5, 3, 10, 4), 3);
    EXPECT_EQ(TopShowing(0, 9, 10, 4), 6);
    EXPECT_EQ(ClampTop(8, 10, 4), 6);
    EXPECT_EQ(ClampTop(-1, 10, 4), 0);
    EXPECT_EQ(ClampTop(3, 2, 4), 0);
}

TEST(ListBoxModel, ScrollBarOnlyWhenTheItemsDoNotFit) {
    // 99 x 63 with a border: 61 pixels inside, five whole rows of 12.
    ListLayout fits = LayoutList(99, 63, true, true, 5, 12);
    EXPECT_FALSE(fits.scrollBar);
    EXPECT_EQ(fits.rowsInView, 5);
    EXPECT_EQ(fits.items.right, 98);
    ListLayout scrolls = LayoutList(99, 63, true, true, 6, 12);
    EXPECT_TRUE(scrolls.scrollBar);
    EXPECT_EQ(scrolls.items.right, 98 - kScrollBarWidth);
    EXPECT_EQ(scrolls.bar.right, 98);
    EXPECT_FALSE(LayoutList(99, 63, true, false, 50, 12).scrollBar);  // no WS_VSCROLL
}

TEST(ListBoxModel, ThumbFollowsTheTopIndex) {
    const RECT bar{0, 0, 17, 100};
    const ScrollParts first = LayoutScrollBar(bar, 0, 20, 5);
    const ScrollParts last = LayoutScrollBar(bar, 15, 20, 5);
    EXPECT_EQ(first.up.bottom, 17);
    EXPECT_EQ(first.down.top, 83);
    EXPECT_EQ(first.thumb.top, first.track.top);
    EXPECT_EQ(last.thumb.bottom, last.track.bottom);
    EXPECT_EQ(first.thumb.bottom - first.thumb.top, 16);  // 66 * 5 / 20
    for (int top : {0, 4, 9, 15}) {
        const ScrollParts parts = LayoutScrollBar(bar, top, 20, 5);
        EXPECT_EQ(TopForThumb(parts, parts.thumb.top, 20, 5), top);
    }
    // A bar too short for a thumb has only its arrows.
    const ScrollParts tiny = LayoutScrollBar(RECT{0, 0, 17, 30}, 0, 20, 2);
    EXPECT_EQ(tiny.thumb.bottom - tiny.thumb.top, 0);
}

}  // namespace
