// The software Direct3D 9 device: one full-screen output, its back buffers,
// the scene and render state, triangles through the rasterizer, presentation
// through the backend and the lost-device cycle.
#pragma once

#include <array>
#include <memory>
#include <vector>

#include "platform/core/backend.h"
#include "platform/d3d/surface.h"
#include "platform/d3d9.h"

namespace platform {

class SoftwareDirect3D;

class SoftwareDevice final : public IDirect3DDevice9 {
public:
    // Takes over an output the caller has already opened at `mode`; holds a reference to
    // direct3d and routes the output's input to focusWindow. params have been checked.
    SoftwareDevice(SoftwareDirect3D* direct3d, HWND focusWindow, const D3DPRESENT_PARAMETERS& params,
                   const DisplayMode& mode);
    ~SoftwareDevice() override;

    SoftwareDevice(const SoftwareDevice&) = delete;
    SoftwareDevice& operator=(const SoftwareDevice&) = delete;

    ULONG AddRef() override;
    ULONG Release() override;
    HRESULT TestCooperativeLevel() override;
    HRESULT Reset(D3DPRESENT_PARAMETERS* params) override;
    HRESULT Present(const RECT* sourceRect, const RECT* destRect, HWND destWindow, const RGNDATA* dirtyRegion) override;
    HRESULT GetBackBuffer(UINT swapChain, UINT index, D3DBACKBUFFER_TYPE type, IDirect3DSurface9** surface) override;
    HRESULT CreateOffscreenPlainSurface(UINT width, UINT height, D3DFORMAT format, D3DPOOL pool,
                                        IDirect3DSurface9** surface, HANDLE* sharedHandle) override;
    HRESULT UpdateSurface(IDirect3DSurface9* source, const RECT* sourceRect, IDirect3DSurface9* destination,
                          const POINT* destPoint) override;
    HRESULT BeginScene() override;
    HRESULT EndScene() override;
    HRESULT Clear(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR colour, float z, DWORD stencil) override;
    HRESULT SetRenderState(D3DRENDERSTATETYPE state, DWORD value) override;
    HRESULT SetFVF(DWORD fvf) override;
    HRESULT DrawPrimitiveUP(D3DPRIMITIVETYPE type, UINT primitiveCount, const void* vertices, UINT stride) override;

    // Bookkeeping of standalone surfaces made by this device (their constructor and last Release).
    void SurfaceCreated(SoftwareSurface* surface);
    void SurfaceDestroyed(SoftwareSurface* surface);

private:
    void MakeBackBuffers();
    void SetDefaultState();
    SoftwareSurface& RenderTarget() { return *backBuffers_[0]; }

    ULONG refs_ = 1;
    SoftwareDirect3D* direct3d_;
    HWND focusWindow_;
    D3DPRESENT_PARAMETERS params_;
    DisplayMode mode_;
    bool outputOpen_ = true;
    bool lost_ = false;  // stays set until a Reset succeeds
    bool inScene_ = false;
    DWORD fvf_ = 0;
    std::array<DWORD, 256> renderStates_{};
    std::vector<std::unique_ptr<SoftwareSurface>> backBuffers_;
    int defaultPoolSurfaces_ = 0;  // standalone D3DPOOL_DEFAULT surfaces alive: Reset refuses while any are
};

}  // namespace platform
