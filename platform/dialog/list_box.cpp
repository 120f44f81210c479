// The LISTBOX class: a single-selection list of strings (kept in insertion
// order unless LBS_SORT), chosen with the mouse or the keys, scrolled with a
// vertical scroll bar when the items do not fit, the selection kept in view.
// User changes notify the parent (LBN_SELCHANGE, LBN_DBLCLK) under LBS_NOTIFY.
//
// Sections: state and helpers; messages; mouse; painting.
#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>
#include <string>
#include <strings.h>
#include <vector>

#include "platform/dialog/controls.h"
#include "platform/dialog/dialog_codes.h"
#include "platform/dialog/dialog_units.h"
#include "platform/dialog/list_box_model.h"
#include "platform/wingdi.h"

namespace platform::dialog {

namespace {

enum class Drag { None, Items, Thumb };

struct ListState {
    std::vector<std::string> items;
    int selection = -1;
    int top = 0;
    int itemHeight = 13;
    HFONT font = nullptr;
    Drag drag = Drag::None;
    int grab = 0;  // dragging the thumb: the pointer's offset from the thumb's top edge
};

std::map<HWND, ListState> g_lists;

DWORD Style(HWND window) { return static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE)); }
int Count(const ListState& s) { return static_cast<int>(s.items.size()); }

ListLayout Layout(HWND window, const ListState& s) {
    RECT client;
    GetClientRect(window, &client);
    const DWORD style = Style(window);
    return LayoutList(client.right, client.bottom, (style & WS_BORDER) != 0, (style & WS_VSCROLL) != 0, Count(s),
                      s.itemHeight);
}

void Redraw(HWND window) { InvalidateRect(window, nullptr, FALSE); }

void SetTop(HWND window, ListState& s, int top) {
    top = ClampTop(top, Count(s), Layout(window, s).rowsInView);
    if (top != s.top) {
        s.top = top;
        Redraw(window);
    }
}

// Selects an item (or none for -1) and scrolls it into view; a user's change tells the parent.
void Select(HWND window, ListState& s, int index, bool byUser) {
    const bool changed = index != s.selection;
    s.selection = index;
    if (index >= 0) {
        s.top = TopShowing(s.top, index, Count(s), Layout(window, s).rowsInView);
    }
    Redraw(window);
    if (byUser && changed && (Style(window) & LBS_NOTIFY) != 0) {
        NotifyParent(window, LBN_SELCHANGE);
    }
}

int AddString(HWND window, ListState& s, const char* text) {
    std::string item = text;
    auto at = s.items.end();
    if ((Style(window) & LBS_SORT) != 0) {
        const auto before = [](const std::string& a, const std::string& b) {
            return strcasecmp(a.c_str(), b.c_str()) < 0;
        };
        at = std::upper_bound(s.items.begin(), s.items.end(), item, before);
    }
    const int index = static_cast<int>(at - s.items.begin());
    s.items.insert(at, std::move(item));
    if (s.selection >= index) {
        ++s.selection;
    }
    Redraw(window);
    return index;
}

// Typing a letter or digit selects the next item starting with it.
int TypeAhead(const ListState& s, UINT vk) {
    const bool character = (vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9');
    return character ? FindPrefix(s.items, s.selection + 1, std::string(1, static_cast<char>(vk))) : -1;
}

void SetFont(HWND window, ListState& s, HFONT font) {
    s.font = font;
    s.itemHeight = MeasureBaseUnits(font).y;  // an item is one line of the font
    s.top = ClampTop(s.top, Count(s), Layout(window, s).rowsInView);
}

LRESULT OnMouse(HWND window, ListState& s, UINT message, LPARAM lParam);

}  // namespace

LRESULT ListBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        g_lists[window] = ListState{};
        SetFont(window, g_lists[window], nullptr);
        return DefWindowProcA(window, message, wParam, lParam);
    }
    auto found = g_lists.find(window);
    if (found == g_lists.end()) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    ListState& s = found->second;
    const int count = Count(s);
    const int index = static_cast<int>(static_cast<LONG_PTR>(wParam));
    const char* text = reinterpret_cast<const char*>(lParam);
    switch (message) {
    case WM_NCDESTROY:
        g_lists.erase(found);
        return 0;
    case WM_SETFONT:
        SetFont(window, s, reinterpret_cast<HFONT>(wParam));
        Redraw(window);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(s.font);
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case LB_RESETCONTENT:
        s.items.clear();
        s.selection = -1;
        s.top = 0;
        Redraw(window);
        return 0;
    case LB_ADDSTRING:
        return text == nullptr ? LB_ERR : AddString(window, s, text);
    case LB_GETCOUNT:
        return count;
    case LB_FINDSTRING:
    case LB_SELECTSTRING: {
        if (text == nullptr) {
            return LB_ERR;
        }
        const int match = FindPrefix(s.items, SearchStart(index, count), text);
        if (match >= 0 && message == LB_SELECTSTRING) {
            Select(window, s, match, false);
        }
        return match >= 0 ? match : LB_ERR;
    }
    case LB_GETCURSEL:
        return s.selection >= 0 ? s.selection : LB_ERR;
    case LB_SETCURSEL:
        if (index < -1 || index >= count) {
            return LB_ERR;
        }
        Select(window, s, index, false);
        return index >= 0 ? index : LB_ERR;  // clearing the selection also answers LB_ERR
    case LB_GETTEXTLEN:
        return index >= 0 && index < count ? static_cast<LRESULT>(s.items[static_cast<std::size_t>(index)].size())
                                           : LB_ERR;
    case LB_GETTEXT: {
        if (index < 0 || index >= count || lParam == 0) {
            return LB_ERR;
        }
        const std::string& item = s.items[static_cast<std::size_t>(index)];
        std::memcpy(reinterpret_cast<char*>(lParam), item.c_str(), item.size() + 1);
        return static_cast<LRESULT>(item.size());
    }
    case LB_GETTOPINDEX:
        return s.top;
    case LB_SETTOPINDEX:
        if (index < 0 || (index >= count && count > 0)) {
            return LB_ERR;
        }
        SetTop(window, s, index);
        return 0;
    case WM_KEYDOWN: {
        int target = KeyTarget(static_cast<UINT>(wParam), s.selection, count, Layout(window, s).rowsInView);
        if (target == -2) {
            target = TypeAhead(s, static_cast<UINT>(wParam));
        }
        if (target >= 0) {
            Select(window, s, target, true);
        }
        return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
        return OnMouse(window, s, message, lParam);
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
        Redraw(window);
        return 0;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// Mouse ----------------------------------------------------------------------

namespace {

bool Within(const RECT& r, int x, int y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

int ItemAt(const ListState& s, const ListLayout& layout, int y) {
    const int row = (y - layout.items.top) / std::max(1, s.itemHeight);
    const int item = s.top + row;
    return y >= layout.items.top && item < Count(s) ? item : -1;
}

void PressScrollBar(HWND window, ListState& s, const ListLayout& layout, int y) {
    const ScrollParts parts = LayoutScrollBar(layout.bar, s.top, Count(s), layout.rowsInView);
    const int page = std::max(1, layout.rowsInView);
    if (Within(parts.up, parts.up.left, y)) {
        SetTop(window, s, s.top - 1);
    } else if (Within(parts.down, parts.down.left, y)) {
        SetTop(window, s, s.top + 1);
    } else if (parts.thumb.bottom > parts.thumb.top && y < parts.thumb.top) {
        SetTop(window, s, s.top - page);
    } else if (parts.thumb.bottom > parts.thumb.top && y >= parts.thumb.bottom) {
        SetTop(window, s, s.top + page);
    } else if (parts.thumb.bottom > parts.thumb.top) {
        s.drag = Drag::Thumb;
        s.grab = y - parts.thumb.top;
    }
}

LRESULT OnMouse(HWND window, ListState& s, UINT message, LPARAM lParam) {
    const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    const ListLayout layout = Layout(window, s);
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        if ((Style(window) & WS_DISABLED) != 0) {
            return 0;
        }
        SetFocus(window);
        if (layout.scrollBar && Within(layout.bar, x, y)) {
            PressScrollBar(window, s, layout, y);
            return 0;
        }
        const int item = Within(layout.items, x, y) ? ItemAt(s, layout, y) : -1;
        if (item >= 0) {
            s.drag = Drag::Items;
            Select(window, s, item, true);
            if (message == WM_LBUTTONDBLCLK && (Style(window) & LBS_NOTIFY) != 0) {
                NotifyParent(window, LBN_DBLCLK);
            }
        }
        return 0;
    }
    case WM_MOUSEMOVE:
        if (s.drag == Drag::Thumb) {
            const ScrollParts parts = LayoutScrollBar(layout.bar, s.top, Count(s), layout.rowsInView);
            SetTop(window, s, TopForThumb(parts, y - s.grab, Count(s), layout.rowsInView));
        } else if (s.drag == Drag::Items) {
            // Dragging over the items moves the selection with the pointer, within the rows in view.
            const int clampedY = std::clamp(y, static_cast<int>(layout.items.top),
                                            static_cast<int>(layout.items.bottom) - 1);
            const int item = ItemAt(s, layout, clampedY);
            if (item >= 0) {
                Select(window, s, item, true);
            }
        }
        return 0;
    case WM_LBUTTONUP:
        s.drag = Drag::None;
        return 0;
    default:
        return 0;
    }
}

// Painting -------------------------------------------------------------------

// An item's text as shown: control characters such as its trailing "\r\n" are not drawn.
std::string Shown(const std::string& item) {
    std::string shown;
    for (char c : item) {
        if (static_cast<unsigned char>(c) >= 0x20) {
            shown.push_back(c);
        }
    }
    return shown;
}

void PaintScrollBar(const Canvas& canvas, const ListState& s, const ListLayout& layout) {
    const ScrollParts parts = LayoutScrollBar(layout.bar, s.top, Count(s), layout.rowsInView);
    FillBox(canvas, parts.track, RGB(248, 248, 248));
    const int maxTop = std::max(0, Count(s) - layout.rowsInView);
    for (const auto& [box, up] : {std::pair{parts.up, true}, std::pair{parts.down, false}}) {
        FillBox(canvas, box, kFace);
        Edge3D(canvas, box, false);
        const bool live = up ? s.top > 0 : s.top < maxTop;
        Arrow(canvas, box, up, 7, live ? kText : kShadow);
    }
    if (parts.thumb.bottom > parts.thumb.top) {
        FillBox(canvas, parts.thumb, kFace);
        Edge3D(canvas, parts.thumb, false);
    }
}

}  // namespace

void PaintListBox(HWND control, const Canvas& canvas, const RECT& box) {
    auto found = g_lists.find(control);
    if (found == g_lists.end()) {
        return;
    }
    const ListState& s = found->second;
    const ListLayout layout = Layout(control, s);
    const bool enabled = (Style(control) & WS_DISABLED) == 0;
    FillBox(canvas, box, enabled ? kWindow : kFace);
    if ((Style(control) & WS_BORDER) != 0) {
        FrameBox(canvas, box, kListBorder);
    }
    RECT items = layout.items;
    OffsetRectBy(items, box.left, box.top);
    Canvas inside = canvas;
    inside.clip = RECT{std::max(canvas.clip.left, items.left), std::max(canvas.clip.top, items.top),
                       std::min(canvas.clip.right, items.right), std::min(canvas.clip.bottom, items.bottom)};
    const bool focused = GetFocus() == control;
    const int caret = s.selection >= 0 ? s.selection : 0;
    for (int i = s.top, y = items.top; y < items.bottom; ++i, y += s.itemHeight) {
        const RECT row{items.left, y, items.right, y + s.itemHeight};
        const bool selected = i == s.selection;
        if (i < Count(s)) {
            if (selected) {
                FillBox(inside, row, kHighlight);
            }
            // An item is exactly one line high, so its text starts at the row's top; a row cut by
            // the bottom edge is cut, not squeezed.
            const RECT label{row.left + 2, row.top, row.right, std::min<LONG>(row.bottom, items.bottom)};
            Text(inside, s.font, Shown(s.items[static_cast<std::size_t>(i)]).c_str(), label,
                 DT_LEFT | DT_SINGLELINE | DT_NOPREFIX,
                 !enabled ? kGrayText : selected ? kHighlightText : kText);
        }
        if (focused && i == caret) {
            FocusMark(inside, row);
        }
    }
    if (layout.scrollBar) {
        RECT bar = layout.bar;
        OffsetRectBy(bar, box.left, box.top);
        ListLayout shifted = layout;
        shifted.bar = bar;
        PaintScrollBar(canvas, s, shifted);
    }
}

}  // namespace platform::dialog
