// The three pattern dispatchers: device preparation, the viewport split and
// one call of the pattern's per-viewport operation per viewport.
#include "app/run_state.h"
#include "patterns/clock_dial.h"
#include "patterns/frame_log.h"
#include "patterns/moving_bars.h"
#include "patterns/patterns.h"
#include "patterns/viewport.h"
#include "setup/graphics_handles.h"

namespace {

// Clears the whole target and sets the state that makes every triangle show
// in its vertex colour, whatever its winding, with no depth test. Set again
// every frame and never restored; each result is ignored.
void PrepareDevice(D3DCOLOR clearColour) {
    IDirect3DDevice9* device = g_Graphics.device;
    device->Clear(0, nullptr, D3DCLEAR_TARGET, clearColour, 1.0f, 0);
    device->SetFVF(kScreenVertexFvf);
    device->SetRenderState(D3DRS_ZENABLE, D3DZB_FALSE);
    device->SetRenderState(D3DRS_ZWRITEENABLE, 0);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    device->SetRenderState(D3DRS_SPECULARENABLE, 0);
    device->SetRenderState(D3DRS_LIGHTING, 0);
}

using ViewportOperation = int (*)(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height);

void DrawEachViewport(ViewportOperation operation) {
    Viewport viewports[2];
    const int count = SplitScreen(g_RunState.Layout, g_RunState.ScreenWidth, g_RunState.ScreenHeight, viewports);
    for (int i = 0; i < count; ++i) {
        operation(viewports[i].x, viewports[i].y, viewports[i].width, viewports[i].height);
    }
}

}  // namespace

int DrawClockPattern() {
    PrepareDevice(0xff004080);
    DrawEachViewport(DrawClockDial);
    return 1;
}

int DrawLogPattern() {
    // The log is drawn with GDI into the offscreen surface, then copied whole
    // to the back buffer, so no Clear and no device state are needed.
    DrawEachViewport(DrawFrameLog);

    IDirect3DDevice9* device = g_Graphics.device;
    IDirect3DSurface9* backBuffer = nullptr;
    if (FAILED(device->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &backBuffer))) {
        return 1;
    }
    device->UpdateSurface(g_Graphics.offscreenSurface, nullptr, backBuffer, nullptr);
    backBuffer->Release();
    return 1;
}

int DrawBarsPattern() {
    PrepareDevice(0xffffffff);
    DrawEachViewport(DrawMovingBars);
    return 1;
}
