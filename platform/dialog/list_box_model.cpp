#include "platform/dialog/list_box_model.h"

#include <algorithm>
#include <cctype>

#include "platform/user32.h"

namespace platform::dialog {

namespace {

bool StartsWithIgnoringCase(const std::string& text, const std::string& prefix) {
    if (prefix.size() > text.size()) {
        return false;
    }
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[i])) != std::tolower(static_cast<unsigned char>(prefix[i]))) {
            return false;
        }
    }
    return true;
}

}  // namespace

int FindPrefix(const std::vector<std::string>& items, int first, const std::string& prefix) {
    const int count = static_cast<int>(items.size());
    if (count == 0) {
        return -1;
    }
    first = first < 0 || first >= count ? 0 : first;
    for (int step = 0; step < count; ++step) {
        const int i = (first + step) % count;
        if (StartsWithIgnoringCase(items[static_cast<std::size_t>(i)], prefix)) {
            return i;
        }
    }
    return -1;
}

int SearchStart(int wParam, int count) { return wParam < 0 || wParam >= count - 1 ? 0 : wParam + 1; }

int KeyTarget(UINT vk, int current, int count, int rowsInView) {
    if (count <= 0) {
        return -2;
    }
    const int page = std::max(1, rowsInView - 1);
    int target;
    switch (vk) {
    case VK_UP:
    case VK_LEFT:
        target = current < 0 ? 0 : current - 1;
        break;
    case VK_DOWN:
    case VK_RIGHT:
        target = current < 0 ? 0 : current + 1;
        break;
    case VK_PRIOR:
        target = current < 0 ? 0 : current - page;
        break;
    case VK_NEXT:
        target = current < 0 ? page : current + page;
        break;
    case VK_HOME:
        target = 0;
        break;
    case VK_END:
        target = count - 1;
        break;
    default:
        return -2;
    }
    return std::clamp(target, 0, count - 1);
}

int ClampTop(int top, int count, int rowsInView) { return std::clamp(top, 0, std::max(0, count - rowsInView)); }

int TopShowing(int top, int index, int count, int rowsInView) {
    if (index >= 0 && index < top) {
        top = index;
    } else if (index >= top + rowsInView) {
        top = index - rowsInView + 1;
    }
    return ClampTop(top, count, rowsInView);
}

ListLayout LayoutList(int width, int height, bool border, bool vscroll, int count, int itemHeight) {
    const LONG inset = border ? 1 : 0;
    ListLayout layout{};
    layout.items = RECT{inset, inset, std::max<LONG>(inset, width - inset), std::max<LONG>(inset, height - inset)};
    itemHeight = std::max(1, itemHeight);
    const int rows = (layout.items.bottom - layout.items.top) / itemHeight;
    layout.rowsInView = std::max(1, rows);
    layout.scrollBar = vscroll && count > rows;
    if (layout.scrollBar) {
        const LONG barLeft = std::max(layout.items.left, layout.items.right - kScrollBarWidth);
        layout.bar = RECT{barLeft, layout.items.top, layout.items.right, layout.items.bottom};
        layout.items.right = barLeft;
    }
    return layout;
}

ScrollParts LayoutScrollBar(const RECT& bar, int top, int count, int rowsInView) {
    ScrollParts parts{};
    const LONG height = bar.bottom - bar.top;
    const LONG arrow = std::min<LONG>(kScrollBarWidth, height / 2);
    parts.up = RECT{bar.left, bar.top, bar.right, bar.top + arrow};
    parts.down = RECT{bar.left, bar.bottom - arrow, bar.right, bar.bottom};
    parts.track = RECT{bar.left, parts.up.bottom, bar.right, parts.down.top};
    const LONG trackLength = parts.track.bottom - parts.track.top;
    const int maxTop = std::max(0, count - rowsInView);
    constexpr LONG kMinimumThumb = 8;
    if (trackLength < kMinimumThumb || count <= 0) {
        return parts;
    }
    const LONG thumbLength =
        std::clamp<LONG>(static_cast<LONG>(static_cast<long long>(trackLength) * rowsInView / count), kMinimumThumb,
                         trackLength);
    const LONG travel = trackLength - thumbLength;
    const LONG offset =
        maxTop == 0 ? 0 : static_cast<LONG>((static_cast<long long>(travel) * top + maxTop / 2) / maxTop);
    parts.thumb = RECT{bar.left, parts.track.top + offset, bar.right, parts.track.top + offset + thumbLength};
    return parts;
}

int TopForThumb(const ScrollParts& parts, int thumbTop, int count, int rowsInView) {
    const LONG travel = (parts.track.bottom - parts.track.top) - (parts.thumb.bottom - parts.thumb.top);
    const int maxTop = std::max(0, count - rowsInView);
    if (travel <= 0 || maxTop == 0) {
        return 0;
    }
    const long long offset = std::clamp<long long>(thumbTop - parts.track.top, 0, travel);
    return ClampTop(static_cast<int>((offset * maxTop + travel / 2) / travel), count, rowsInView);
}

}  // namespace platform::dialog
