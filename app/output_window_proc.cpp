// OutputWindowProc: the only place the user acts on the running test.
#include "app/output_window_proc.h"

#include "app/run_state.h"
#include "setup/output_window.h"

namespace {

constexpr std::int32_t kNextPattern = 1;
constexpr std::int32_t kPreviousPattern = 2;  // two steps forward in a ring of three is one back

void StepPattern(std::int32_t step) { g_RunState.Pattern = (g_RunState.Pattern + step) % 3; }

}  // namespace

LRESULT OutputWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_DESTROY:
        PostQuitMessage(0);
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_CLOSE:
        // The device and surfaces go before the window they were made for.
        ReleaseGraphics();
        DestroyWindow(window);
        return 0;
    case WM_ACTIVATEAPP:
        g_RunState.Active = static_cast<std::uint32_t>(wParam);
        return 0;
    case WM_KEYDOWN:
        // Every key-down counts, auto-repeats included: holding a key cycles the patterns.
        switch (wParam) {
        case VK_BACK:
        case VK_LEFT:
            StepPattern(kPreviousPattern);
            return 0;
        case VK_RETURN:
        case VK_SPACE:
        case VK_RIGHT:
            StepPattern(kNextPattern);
            return 0;
        case VK_ESCAPE:
            PostMessageA(window, WM_CLOSE, 0, 0);
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
        }
    case WM_LBUTTONDOWN:
        StepPattern(kNextPattern);
        return 0;
    case WM_RBUTTONDOWN:
        StepPattern(kPreviousPattern);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}
