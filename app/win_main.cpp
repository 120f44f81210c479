// WinMain: start-up in a fixed order, the message loop that renders a frame
// whenever the queue is empty and the application is active, and shutdown.
#include "app/win_main.h"

#include "app/frame_driver.h"
#include "app/run_state.h"
#include "patterns/frame_log.h"
#include "resources/resource_ids.h"
#include "setup/output_window.h"
#include "setup/prepare_process.h"
#include "setup/settings_dialog.h"

namespace {

// Everything up to the first frame. Returns false when the run ends before the loop.
bool StartUp(HINSTANCE instance) {
    g_RunState.Instance = instance;
    ImmDisableIME(static_cast<DWORD>(-1));

    if (PrepareProcess() == 0) {
        return false;
    }
    if (DialogBoxParamA(g_RunState.Instance, MAKEINTRESOURCEA(IDD_SETTINGS), nullptr, SettingsDialogProc, 0) ==
        IDCANCEL) {
        return false;
    }

    LoadStringA(instance, IDS_APP_TITLE, g_RunState.WindowTitle, 100);
    LoadStringA(instance, IDS_WINDOW_CLASS, g_RunState.WindowClass, 100);
    if (CreateOutputWindow(instance) == 0) {
        return false;
    }

    for (char* line : g_LogRing) {
        lstrcpyA(line, "");
    }

    g_RunState.FramesInWindow = 0;
    g_RunState.FrameCounter = 0;
    g_RunState.TickIndex = 0;
    g_RunState.Fps = 0.0f;
    g_RunState.WarningCountdown = 0;
    // Activation messages seen while the window was being created do not count: the run starts active.
    g_RunState.Active = 1;

    timeBeginPeriod(1);
    const DWORD now = timeGetTime();
    g_RunState.StartMs = now;
    g_RunState.WindowStartMs = now;
    g_RunState.LastFrameMs = now;
    return true;
}

}  // namespace

int WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    if (!StartUp(instance)) {
        return 0;
    }

    // A turn handles one message or renders one frame, never both, so messages always come first.
    // Frames are paced only by Present waiting for the retrace.
    MSG msg{};
    for (;;) {
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                break;
            }
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        } else if (g_RunState.Active != 0) {
            RenderFrame();
        } else {
            WaitMessage();
        }
    }

    ShowCursor(TRUE);
    timeEndPeriod(1);
    return static_cast<int>(msg.wParam);
}
