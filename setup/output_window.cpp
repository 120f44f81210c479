// CreateOutputWindow and ReleaseGraphics: the popup window, the full-screen
// device presenting once per retrace, the offscreen surface, and their end.
#include "setup/output_window.h"

#include "app/output_window_proc.h"
#include "app/run_state.h"
#include "resources/resource_ids.h"
#include "setup/graphics_handles.h"
#include "setup/startup_failure.h"

namespace {

void ReleaseHandles() {
    if (g_Graphics.offscreenSurface != nullptr) {
        g_Graphics.offscreenSurface->Release();
        g_Graphics.offscreenSurface = nullptr;
    }
    if (g_Graphics.device != nullptr) {
        g_Graphics.device->Release();
        g_Graphics.device = nullptr;
    }
    if (g_Graphics.direct3d != nullptr) {
        g_Graphics.direct3d->Release();
        g_Graphics.direct3d = nullptr;
    }
}

void FillPresentParams(HWND window) {
    PresentParams& p = g_Graphics.presentParams;
    p.BackBufferWidth = g_RunState.ScreenWidth;
    p.BackBufferHeight = g_RunState.ScreenHeight;
    p.BackBufferFormat = D3DFMT_R5G6B5;
    p.BackBufferCount = 1;
    p.MultiSampleType = D3DMULTISAMPLE_NONE;
    p.MultiSampleQuality = 0;
    p.SwapEffect = D3DSWAPEFFECT_DISCARD;
    p.hDeviceWindow = window;
    p.Windowed = FALSE;
    p.EnableAutoDepthStencil = FALSE;
    p.AutoDepthStencilFormat = D3DFMT_UNKNOWN;
    // The patterns and the overlay draw text through the back buffer's device context.
    p.Flags = D3DPRESENTFLAG_LOCKABLE_BACKBUFFER;
    p.FullScreen_RefreshRateInHz = D3DPRESENT_RATE_DEFAULT;
    // One vertical retrace per Present: this is what paces the frames.
    p.PresentationInterval = D3DPRESENT_INTERVAL_ONE;
}

}  // namespace

int CreateOutputWindow(HINSTANCE instance) {
    try {
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof(WNDCLASSEXA);
        windowClass.style = 0;  // no double-click style: a double click is two presses
        windowClass.lpfnWndProc = OutputWindowProc;
        windowClass.cbClsExtra = 0;
        windowClass.cbWndExtra = 0;
        windowClass.hInstance = instance;
        windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_APP_ICON));
        windowClass.hCursor = nullptr;
        windowClass.hbrBackground = nullptr;
        windowClass.lpszMenuName = nullptr;
        windowClass.lpszClassName = g_RunState.WindowClass;
        windowClass.hIconSm = LoadIconA(instance, MAKEINTRESOURCEA(IDI_APP_ICON_SMALL));
        if (RegisterClassExA(&windowClass) == 0) {
            throw StartupFailure{"Failed RegisterClassEx"};
        }

        // A popup with no size: the full-screen device takes over the screen below.
        HWND window = CreateWindowExA(0, g_RunState.WindowClass, g_RunState.WindowTitle, WS_POPUP, CW_USEDEFAULT, 0,
                                      CW_USEDEFAULT, 0, nullptr, nullptr, instance, nullptr);
        if (window == nullptr) {
            throw StartupFailure{"Failed CreateWindow"};
        }
        ShowWindow(window, SW_SHOW);

        FillPresentParams(window);
        if (FAILED(g_Graphics.direct3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, window,
                                                     D3DCREATE_SOFTWARE_VERTEXPROCESSING, &g_Graphics.presentParams,
                                                     &g_Graphics.device))) {
            throw StartupFailure{"Failed CreateDevice"};
        }
        if (FAILED(g_Graphics.device->CreateOffscreenPlainSurface(g_RunState.ScreenWidth, g_RunState.ScreenHeight,
                                                                  D3DFMT_R5G6B5, D3DPOOL_SYSTEMMEM,
                                                                  &g_Graphics.offscreenSurface, nullptr))) {
            throw StartupFailure{"Failed CreateOffscreenPlainSurface"};
        }

        ShowCursor(FALSE);
        SetThreadExecutionState(ES_CONTINUOUS | ES_SYSTEM_REQUIRED | ES_DISPLAY_REQUIRED);
        return 1;
    } catch (const StartupFailure& failure) {
        // The class and any window stay: the process ends right after this returns.
        MessageBoxA(nullptr, failure.message, "Error", MB_ICONERROR);
        ReleaseHandles();
        return 0;
    }
}

int ReleaseGraphics() {
    SetThreadExecutionState(ES_CONTINUOUS);
    ReleaseHandles();
    return 1;
}
