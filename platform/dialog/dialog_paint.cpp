// The dialog's picture: the face colour, then each visible control painted by
// its class, the last-created first so earlier controls lie on top.
#include <algorithm>

#include "platform/core/window_manager.h"
#include "platform/dialog/controls.h"
#include "platform/dialog/dialog_manager.h"

namespace platform::dialog {

void PaintDialog(HWND dialog, const PixelTarget& target) {
    HDC dc = CreateSurfaceDC(target);
    if (dc == nullptr) {
        return;
    }
    const RECT all{0, 0, target.width, target.height};
    FillBox(Canvas{target, dc, all}, all, kFace);
    HWND children[256];
    const int count = std::min(GetChildWindows(dialog, children, 256), 256);
    for (int i = count - 1; i >= 0; --i) {
        RECT box;
        const PaintFunction paint = FindPainter(GetWindowClassName(children[i]));
        if (paint == nullptr || !IsWindowVisible(children[i]) || !GetWindowRect(children[i], &box)) {
            continue;
        }
        const RECT clip{std::max(box.left, LONG{0}), std::max(box.top, LONG{0}), std::min(box.right, all.right),
                        std::min(box.bottom, all.bottom)};
        if (clip.left < clip.right && clip.top < clip.bottom) {
            paint(children[i], Canvas{target, dc, clip}, box);
        }
    }
    DeleteSurfaceDC(dc);
}

}  // namespace platform::dialog
