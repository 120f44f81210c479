// The frame driver's order of calls, with a recording device: what runs when
// BeginScene, GetBackBuffer, GetDC or Present fail, and that the statistics
// advance on every frame whatever happened.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/frame_driver.h"
#include "app/run_state.h"
#include "setup/graphics_handles.h"

namespace {

std::vector<std::string> g_calls;

struct RecordingSurface : IDirect3DSurface9 {
    HRESULT getDc = E_FAIL;
    ULONG AddRef() override { return 1; }
    ULONG Release() override {
        g_calls.push_back("Surface::Release");
        return 0;
    }
    HRESULT GetDesc(D3DSURFACE_DESC*) override { return E_FAIL; }
    HRESULT LockRect(D3DLOCKED_RECT*, const RECT*, DWORD) override { return E_FAIL; }
    HRESULT UnlockRect() override { return E_FAIL; }
    HRESULT GetDC(HDC*) override {
        g_calls.push_back("Surface::GetDC");
        return getDc;
    }
    HRESULT ReleaseDC(HDC) override { return S_OK; }
};

struct RecordingDevice : IDirect3DDevice9 {
    HRESULT beginScene = S_OK;
    HRESULT getBackBuffer = E_FAIL;
    HRESULT present = S_OK;
    HRESULT cooperativeLevel = S_OK;
    RecordingSurface backBuffer;
    D3DPRESENT_PARAMETERS* resetWith = nullptr;

    HRESULT Record(const char* name, HRESULT result) {
        g_calls.push_back(name);
        return result;
    }
    ULONG AddRef() override { return 1; }
    ULONG Release() override { return 0; }
    HRESULT TestCooperativeLevel() override { return Record("TestCooperativeLevel", cooperativeLevel); }
    HRESULT Reset(D3DPRESENT_PARAMETERS* params) override {
        resetWith = params;
        return Record("Reset", S_OK);
    }
    HRESULT Present(const RECT* a, const RECT* b, HWND c, const RGNDATA* d) override {
        EXPECT_TRUE(a == nullptr && b == nullptr && c == nullptr && d == nullptr);
        return Record("Present", present);
    }
    HRESULT GetBackBuffer(UINT, UINT, D3DBACKBUFFER_TYPE, IDirect3DSurface9** surface) override {
        *surface = SUCCEEDED(getBackBuffer) ? &backBuffer : nullptr;
        return Record("GetBackBuffer", getBackBuffer);
    }
    HRESULT CreateOffscreenPlainSurface(UINT, UINT, D3DFORMAT, D3DPOOL, IDirect3DSurface9**, HANDLE*) override {
        return E_FAIL;
    }
    HRESULT UpdateSurface(IDirect3DSurface9*, const RECT*, IDirect3DSurface9*, const POINT*) override { return E_FAIL; }
    HRESULT BeginScene() override { return Record("BeginScene", beginScene); }
    HRESULT EndScene() override { return Record("EndScene", S_OK); }
    HRESULT Clear(DWORD, const D3DRECT*, DWORD, D3DCOLOR, float, DWORD) override { return S_OK; }
    HRESULT SetRenderState(D3DRENDERSTATETYPE, DWORD) override { return S_OK; }
    HRESULT SetFVF(DWORD) override { return S_OK; }
    HRESULT DrawPrimitiveUP(D3DPRIMITIVETYPE, UINT, const void*, UINT) override { return S_OK; }
};

using Calls = std::vector<std::string>;

TEST(RenderFrame, OrderOfCallsAndFailures) {
    struct Case {
        const char* name;
        HRESULT beginScene, getBackBuffer, getDc, present, cooperativeLevel;
        Calls expected;
    } cases[] = {
        {"no back buffer: no overlay", S_OK, E_FAIL, S_OK, S_OK, S_OK,
         {"BeginScene", "GetBackBuffer", "EndScene", "Present"}},
        {"BeginScene fails: no drawing, no EndScene", E_FAIL, S_OK, S_OK, S_OK, S_OK, {"BeginScene", "Present"}},
        {"GetDC fails: the surface is released", S_OK, S_OK, E_FAIL, S_OK, S_OK,
         {"BeginScene", "GetBackBuffer", "Surface::GetDC", "Surface::Release", "EndScene", "Present"}},
        {"lost and not yet restorable", E_FAIL, S_OK, S_OK, D3DERR_DEVICELOST, D3DERR_DEVICELOST,
         {"BeginScene", "Present", "TestCooperativeLevel"}},
        {"lost and restorable: Reset", E_FAIL, S_OK, S_OK, D3DERR_DEVICELOST, D3DERR_DEVICENOTRESET,
         {"BeginScene", "Present", "TestCooperativeLevel", "Reset"}},
        {"another Present failure is ignored", E_FAIL, S_OK, S_OK, E_FAIL, D3DERR_DEVICENOTRESET,
         {"BeginScene", "Present"}},
    };
    for (const Case& c : cases) {
        RecordingDevice device;
        device.beginScene = c.beginScene;
        device.getBackBuffer = c.getBackBuffer;
        device.backBuffer.getDc = c.getDc;
        device.present = c.present;
        device.cooperativeLevel = c.cooperativeLevel;
        g_Graphics.device = &device;
        g_RunState = RunState{};
        g_RunState.Pattern = 3;  // a pattern value that draws nothing keeps the log to the driver's own calls
        g_RunState.FrameCounter = 41;
        g_calls.clear();

        EXPECT_EQ(RenderFrame(), 1);
        EXPECT_EQ(g_calls, c.expected) << c.name;
        // The statistics advance on every frame, whatever failed.
        EXPECT_EQ(g_RunState.FrameCounter, 42u) << c.name;
        EXPECT_EQ(g_RunState.TickIndex, 1u) << c.name;
        if (device.resetWith != nullptr) {
            EXPECT_EQ(device.resetWith, &g_Graphics.presentParams);
        }
        g_Graphics.device = nullptr;
    }
}

TEST(RenderFrame, StampsTheFrameBeforeDrawing) {
    RecordingDevice device;
    g_Graphics.device = &device;
    g_RunState = RunState{};
    g_RunState.Pattern = 3;
    const DWORD now = timeGetTime();
    g_RunState.StartMs = now - 3723004;  // the run started 1:02:03.004 ago
    g_RunState.LastFrameMs = now;
    g_RunState.WindowStartMs = now;
    RenderFrame();
    // The virtual clock moves only when a real device presents, so the stamp is exact.
    EXPECT_EQ(g_RunState.ElapsedMs, 3723004u);
    EXPECT_EQ(g_RunState.LastFrameMs, now);  // the statistics got the same stamp
    g_Graphics.device = nullptr;
}

}  // namespace
