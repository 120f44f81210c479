// RenderFrame and its overlay.
#include "app/frame_driver.h"

#include <cstdio>

#include "app/run_state.h"
#include "patterns/back_buffer_dc.h"
#include "patterns/patterns.h"
#include "setup/graphics_handles.h"

void DrawOverlay() {
    const int W = static_cast<int>(g_RunState.ScreenWidth);
    const int H = static_cast<int>(g_RunState.ScreenHeight);
    IDirect3DDevice9* device = g_Graphics.device;

    IDirect3DSurface9* backBuffer = nullptr;
    HDC dc = AcquireBackBufferDC(device, &backBuffer);
    if (dc == nullptr) {
        return;
    }

    HFONT font = CreateFontA(16, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_TT_ONLY_PRECIS,
                             CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, FIXED_PITCH | FF_MODERN, nullptr);
    HGDIOBJ previousFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, 0x000000FF);

    char text[256];
    RECT rect{};
    std::snprintf(text, sizeof text, "Ver.%d.%d", static_cast<int>(g_RunState.VersionMajor),
                  static_cast<int>(g_RunState.VersionMinor));
    // The drawing rectangles are exactly the measured text boxes, with no margin.
    int h = DrawTextA(dc, text, lstrlenA(text), &rect, DT_CALCRECT | DT_SINGLELINE);
    int w = rect.right - rect.left;
    SetRect(&rect, W - w, H - h, W, H);
    DrawTextA(dc, text, lstrlenA(text), &rect, DT_SINGLELINE);

    lstrcpyA(text, "Press ESC to exit");
    h = DrawTextA(dc, text, lstrlenA(text), &rect, DT_CALCRECT | DT_SINGLELINE);
    w = rect.right - rect.left;
    SetRect(&rect, 0, H - h, w, H);
    DrawTextA(dc, text, lstrlenA(text), &rect, DT_SINGLELINE);

    SelectObject(dc, previousFont);
    DeleteObject(font);
    ReleaseBackBufferDC(backBuffer, dc);
}

int RenderFrame() {
    // The stamp comes before anything is drawn: every pattern prints the time the frame began.
    const DWORD now = timeGetTime();
    g_RunState.ElapsedMs = now - g_RunState.StartMs;
    IDirect3DDevice9* device = g_Graphics.device;

    if (SUCCEEDED(device->BeginScene())) {
        switch (g_RunState.Pattern) {
        case ClockDial:
            DrawClockPattern();
            break;
        case FrameLog:
            DrawLogPattern();
            break;
        case MovingBars:
            DrawBarsPattern();
            break;
        default:
            break;
        }
        DrawOverlay();
        device->EndScene();
    }

    const HRESULT presented = device->Present(nullptr, nullptr, nullptr, nullptr);
    // A lost device goes on presenting (and counting) until it can be reset.
    if (presented == D3DERR_DEVICELOST && device->TestCooperativeLevel() == D3DERR_DEVICENOTRESET) {
        device->Reset(&g_Graphics.presentParams);
    }

    UpdateFrameStatistics(now);
    return 1;
}
