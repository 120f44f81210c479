// The list box's rules without a window: string search, the selection a
// navigation key moves to, the scrolling position that keeps an item in view,
// and where the items and the scroll bar's parts lie.
#pragma once

#include <string>
#include <vector>

#include "platform/win32_types.h"

namespace platform::dialog {

// The first item at or after `first` (wrapping once round the list) whose text starts with
// `prefix`, ignoring case; -1 when none does. LB_FINDSTRING and LB_SELECTSTRING search from the
// item after their wParam, the whole list for -1; `first` is that starting item.
int FindPrefix(const std::vector<std::string>& items, int first, const std::string& prefix);
// Where LB_FINDSTRING / LB_SELECTSTRING start for their wParam.
int SearchStart(int wParam, int count);

// The item a navigation key selects from `current` (-1: none); -2 for keys that do not move it.
// Page keys move by one less than the rows in view, as a list box pages.
int KeyTarget(UINT vk, int current, int count, int rowsInView);

// The valid top index nearest `top`.
int ClampTop(int top, int count, int rowsInView);
// The top index that shows `index` whole, moving from `top` as little as possible.
int TopShowing(int top, int index, int count, int rowsInView);

inline constexpr int kScrollBarWidth = 17;

struct ListLayout {
    RECT items;        // where the items are drawn
    bool scrollBar;    // shown when the items do not all fit
    RECT bar;          // the scroll bar (empty when not shown)
    int rowsInView;    // rows that fit whole, at least 1
};

// Inside a control of this size: one-pixel border, items of `itemHeight`, a vertical scroll bar
// (when the control has WS_VSCROLL and the items do not all fit).
ListLayout LayoutList(int width, int height, bool border, bool vscroll, int count, int itemHeight);

struct ScrollParts {
    RECT up;     // arrow button
    RECT down;   // arrow button
    RECT track;  // between the arrows
    RECT thumb;  // empty when the track is too short for one
};

ScrollParts LayoutScrollBar(const RECT& bar, int top, int count, int rowsInView);
// The top index for the thumb's top edge at pixel `thumbTop` (dragging).
int TopForThumb(const ScrollParts& parts, int thumbTop, int count, int rowsInView);

}  // namespace platform::dialog
