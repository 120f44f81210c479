// Sections: life and reference counting; presentation and the lost-device
// cycle; surfaces; scene, clear and state; triangles.
#include "platform/d3d/device.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <string>

#include "platform/core/pixels.h"
#include "platform/core/window_manager.h"
#include "platform/d3d/direct3d.h"
#include "platform/d3d/present_params.h"
#include "platform/d3d/rasterizer.h"

namespace platform {

namespace {

constexpr DWORD kPositionMask = 0x400E;  // the FVF bits that say how a vertex's position is given
constexpr DWORD kSpecular = 0x080;
constexpr UINT kLargestSurface = 16384;  // per side; keeps every pixel index and pitch in range
constexpr DWORD kRenderStateCount = 256;

}  // namespace

// ---- Life and reference counting ----

SoftwareDevice::SoftwareDevice(SoftwareDirect3D* direct3d, HWND focusWindow, const D3DPRESENT_PARAMETERS& params,
                               const DisplayMode& mode)
    : direct3d_(direct3d), focusWindow_(focusWindow), params_(params), mode_(mode) {
    MakeBackBuffers();
    SetDefaultState();
    direct3d_->AddRef();  // last: nothing above may throw after the reference is taken
}

SoftwareDevice::~SoftwareDevice() {
    backBuffers_.clear();
    if (outputOpen_) {
        CurrentBackend().CloseOutput();
    }
    SoftwareDirect3D::SetOutputTaken(false);
    SetOutputWindow(nullptr);
    direct3d_->Release();
}

ULONG SoftwareDevice::AddRef() { return ++refs_; }

ULONG SoftwareDevice::Release() {
    if (refs_ == 0) {
        return 0;
    }
    const ULONG left = --refs_;
    if (left == 0) {
        delete this;
    }
    return left;
}

void SoftwareDevice::MakeBackBuffers() {
    backBuffers_.clear();
    const UINT count = std::max<UINT>(params_.BackBufferCount, 1);
    const bool lockable = (params_.Flags & D3DPRESENTFLAG_LOCKABLE_BACKBUFFER) != 0;
    for (UINT i = 0; i < count; ++i) {
        backBuffers_.push_back(std::make_unique<SoftwareSurface>(this, SoftwareSurface::Kind::BackBuffer,
                                                                 params_.BackBufferWidth, params_.BackBufferHeight,
                                                                 D3DPOOL_DEFAULT, lockable));
    }
}

// Direct3D's defaults; Reset brings them back.
void SoftwareDevice::SetDefaultState() {
    renderStates_.fill(0);
    renderStates_[D3DRS_ZENABLE] = params_.EnableAutoDepthStencil ? D3DZB_TRUE : D3DZB_FALSE;
    renderStates_[D3DRS_ZWRITEENABLE] = TRUE;
    renderStates_[D3DRS_SHADEMODE] = D3DSHADE_GOURAUD;
    renderStates_[D3DRS_CULLMODE] = D3DCULL_CCW;
    renderStates_[D3DRS_SPECULARENABLE] = FALSE;
    renderStates_[D3DRS_LIGHTING] = TRUE;
    fvf_ = 0;
    inScene_ = false;
}

void SoftwareDevice::SurfaceCreated(SoftwareSurface* surface) {
    if (surface->Pool() == D3DPOOL_DEFAULT) {
        ++defaultPoolSurfaces_;
    }
}

void SoftwareDevice::SurfaceDestroyed(SoftwareSurface* surface) {
    if (surface->Pool() == D3DPOOL_DEFAULT) {
        --defaultPoolSurfaces_;
    }
}

// ---- Presentation and the lost-device cycle ----

HRESULT SoftwareDevice::Present(const RECT* sourceRect, const RECT* destRect, HWND /*destWindow*/,
                                const RGNDATA* dirtyRegion) {
    // Only a copying swap chain may present part of the picture; this device always presents all.
    if ((sourceRect != nullptr || destRect != nullptr || dirtyRegion != nullptr) &&
        params_.SwapEffect != D3DSWAPEFFECT_COPY) {
        return D3DERR_INVALIDCALL;
    }
    const Backend& backend = CurrentBackend();
    SoftwareSurface& target = RenderTarget();
    // A failed or lost Present still waits for the retrace, so a lost device cannot spin.
    if (backend.ShouldFail("Present") || lost_ || !outputOpen_) {
        backend.PresentOutput(nullptr, target.Width(), target.Height(), target.Width());
        return D3DERR_DEVICELOST;
    }
    const RasterTarget pixels = target.Target();
    if (!backend.PresentOutput(pixels.pixels, pixels.width, pixels.height, pixels.pitch)) {
        lost_ = true;
        return D3DERR_DEVICELOST;
    }
    return D3D_OK;
}

HRESULT SoftwareDevice::TestCooperativeLevel() {
    const OutputStatus status = outputOpen_ ? CurrentBackend().QueryOutput() : OutputStatus::Restorable;
    if (!lost_) {
        if (status == OutputStatus::Ok) {
            return D3D_OK;
        }
        lost_ = true;  // the output went away between two Presents
    }
    return status == OutputStatus::Lost ? D3DERR_DEVICELOST : D3DERR_DEVICENOTRESET;
}

HRESULT SoftwareDevice::Reset(D3DPRESENT_PARAMETERS* params) {
    // As in Direct3D, a Reset that fails leaves the device waiting for a Reset that succeeds.
    lost_ = true;
    if (params == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    // The back buffers are about to be replaced: nobody may still hold or draw into them, and
    // surfaces in the device's own memory pool must have been released first.
    for (const auto& buffer : backBuffers_) {
        if (buffer->References() != 0 || buffer->Busy()) {
            return D3DERR_INVALIDCALL;
        }
    }
    if (defaultPoolSurfaces_ != 0) {
        return D3DERR_INVALIDCALL;
    }
    DisplayMode desktop{};
    const bool haveDesktop = SoftwareDirect3D::DesktopMode(&desktop);
    DisplayMode mode{};
    const HRESULT checked =
        CheckFullScreenParameters(params, focusWindow_, direct3d_->Modes(), haveDesktop ? &desktop : nullptr, &mode);
    if (checked < 0) {
        return checked;
    }
    const Backend& backend = CurrentBackend();
    const bool sameMode = mode.width == mode_.width && mode.height == mode_.height && mode.refreshHz == mode_.refreshHz;
    if (outputOpen_ && sameMode) {
        if (backend.QueryOutput() != OutputStatus::Ok && !backend.ReopenOutput()) {
            return D3DERR_DEVICELOST;
        }
    } else {
        if (outputOpen_) {
            backend.CloseOutput();
            outputOpen_ = false;
        }
        std::string error;
        if (!backend.OpenOutput(mode, &error)) {
            return D3DERR_DEVICELOST;
        }
        outputOpen_ = true;
        mode_ = mode;
    }
    params_ = *params;
    try {
        MakeBackBuffers();
    } catch (const std::bad_alloc&) {
        backBuffers_.clear();
        params_.BackBufferWidth = params_.BackBufferHeight = 0;
        MakeBackBuffers();  // an empty back buffer keeps every later call safe
        return E_OUTOFMEMORY;
    }
    SetDefaultState();
    lost_ = false;
    return D3D_OK;
}

// ---- Surfaces ----

HRESULT SoftwareDevice::GetBackBuffer(UINT swapChain, UINT index, D3DBACKBUFFER_TYPE type, IDirect3DSurface9** surface) {
    if (surface != nullptr) {
        *surface = nullptr;
    }
    if (CurrentBackend().ShouldFail("GetBackBuffer")) {
        return D3DERR_INVALIDCALL;
    }
    if (surface == nullptr || swapChain != 0 || type != D3DBACKBUFFER_TYPE_MONO || index >= backBuffers_.size()) {
        return D3DERR_INVALIDCALL;
    }
    backBuffers_[index]->AddRef();
    *surface = backBuffers_[index].get();
    return D3D_OK;
}

HRESULT SoftwareDevice::CreateOffscreenPlainSurface(UINT width, UINT height, D3DFORMAT format, D3DPOOL pool,
                                                    IDirect3DSurface9** surface, HANDLE* sharedHandle) {
    if (surface != nullptr) {
        *surface = nullptr;
    }
    if (CurrentBackend().ShouldFail("CreateOffscreenPlainSurface")) {
        return D3DERR_INVALIDCALL;
    }
    if (surface == nullptr || sharedHandle != nullptr || format != D3DFMT_R5G6B5 || width == 0 || height == 0 ||
        width > kLargestSurface || height > kLargestSurface || (pool != D3DPOOL_DEFAULT && pool != D3DPOOL_SYSTEMMEM)) {
        return D3DERR_INVALIDCALL;
    }
    try {
        *surface = new SoftwareSurface(this, SoftwareSurface::Kind::Standalone, width, height, pool, true);
    } catch (const std::bad_alloc&) {
        return pool == D3DPOOL_DEFAULT ? D3DERR_OUTOFVIDEOMEMORY : E_OUTOFMEMORY;
    }
    return D3D_OK;
}

HRESULT SoftwareDevice::UpdateSurface(IDirect3DSurface9* source, const RECT* sourceRect, IDirect3DSurface9* destination,
                                      const POINT* destPoint) {
    auto* from = dynamic_cast<SoftwareSurface*>(source);
    auto* to = dynamic_cast<SoftwareSurface*>(destination);
    if (from == nullptr || to == nullptr || from->Owner() != this || to->Owner() != this) {
        return D3DERR_INVALIDCALL;
    }
    if (from->Pool() != D3DPOOL_SYSTEMMEM || to->Pool() != D3DPOOL_DEFAULT || from->Busy() || to->Busy()) {
        return D3DERR_INVALIDCALL;
    }
    const RECT r = sourceRect != nullptr ? *sourceRect : RECT{0, 0, from->Width(), from->Height()};
    if (r.left < 0 || r.top < 0 || r.left >= r.right || r.top >= r.bottom || r.right > from->Width() ||
        r.bottom > from->Height()) {
        return D3DERR_INVALIDCALL;
    }
    // The copy lands at the point and is cut to the destination; 64-bit sums cannot overflow.
    const std::int64_t px = destPoint != nullptr ? destPoint->x : 0, py = destPoint != nullptr ? destPoint->y : 0;
    const std::int64_t x0 = std::max<std::int64_t>(px, 0), y0 = std::max<std::int64_t>(py, 0);
    const std::int64_t x1 = std::min<std::int64_t>(px + (r.right - r.left), to->Width());
    const std::int64_t y1 = std::min<std::int64_t>(py + (r.bottom - r.top), to->Height());
    const RasterTarget src = from->Target(), dst = to->Target();
    for (std::int64_t y = y0; y < y1; ++y) {
        const std::uint16_t* in = src.pixels + (r.top + (y - py)) * src.pitch + (r.left + (x0 - px));
        std::uint16_t* out = dst.pixels + y * dst.pitch + x0;
        std::memcpy(out, in, static_cast<std::size_t>(x1 - x0) * sizeof(std::uint16_t));
    }
    return D3D_OK;
}

// ---- Scene, clear and state ----

HRESULT SoftwareDevice::BeginScene() {
    if (CurrentBackend().ShouldFail("BeginScene") || inScene_) {
        return D3DERR_INVALIDCALL;
    }
    inScene_ = true;
    return D3D_OK;
}

HRESULT SoftwareDevice::EndScene() {
    if (!inScene_) {
        return D3DERR_INVALIDCALL;
    }
    inScene_ = false;
    return D3D_OK;
}

HRESULT SoftwareDevice::Clear(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR colour, float /*z*/,
                              DWORD /*stencil*/) {
    // There is never a depth or stencil buffer to clear.
    if (flags == 0 || (flags & ~DWORD{D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL}) != 0 ||
        (flags & (D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL)) != 0 || (count != 0 && rects == nullptr)) {
        return D3DERR_INVALIDCALL;
    }
    const RasterTarget t = RenderTarget().Target();
    const std::uint16_t pixel = D3DColorToR5G6B5(colour);
    auto fill = [&](std::int64_t l, std::int64_t tp, std::int64_t r, std::int64_t b) {
        l = std::max<std::int64_t>(l, 0);
        tp = std::max<std::int64_t>(tp, 0);
        r = std::min<std::int64_t>(r, t.width);
        b = std::min<std::int64_t>(b, t.height);
        for (std::int64_t y = tp; y < b && l < r; ++y) {
            FillPixels(t.pixels + y * t.pitch + l, static_cast<std::size_t>(r - l), pixel);
        }
    };
    if (count == 0) {
        fill(0, 0, t.width, t.height);
    }
    for (DWORD i = 0; i < count; ++i) {
        fill(rects[i].x1, rects[i].y1, rects[i].x2, rects[i].y2);
    }
    return D3D_OK;
}

HRESULT SoftwareDevice::SetRenderState(D3DRENDERSTATETYPE state, DWORD value) {
    if (state >= kRenderStateCount) {
        return D3DERR_INVALIDCALL;
    }
    renderStates_[state] = value;
    return D3D_OK;
}

HRESULT SoftwareDevice::SetFVF(DWORD fvf) {
    fvf_ = fvf;
    return D3D_OK;
}

// ---- Triangles ----

HRESULT SoftwareDevice::DrawPrimitiveUP(D3DPRIMITIVETYPE type, UINT primitiveCount, const void* vertices, UINT stride) {
    if (!inScene_ || vertices == nullptr || primitiveCount == 0) {
        return D3DERR_INVALIDCALL;
    }
    // Pre-transformed vertices only: x, y, z, rhw, then the diffuse and specular colours if present.
    if ((fvf_ & kPositionMask) != D3DFVF_XYZRHW || (fvf_ & ~DWORD{D3DFVF_XYZRHW | D3DFVF_DIFFUSE | kSpecular}) != 0) {
        return D3DERR_INVALIDCALL;
    }
    const bool hasDiffuse = (fvf_ & D3DFVF_DIFFUSE) != 0;
    const UINT vertexSize = 16 + (hasDiffuse ? 4 : 0) + ((fvf_ & kSpecular) != 0 ? 4 : 0);
    if (stride < vertexSize) {
        return D3DERR_INVALIDCALL;
    }
    if (type != D3DPT_TRIANGLELIST && type != D3DPT_TRIANGLESTRIP && type != D3DPT_TRIANGLEFAN) {
        return D3DERR_INVALIDCALL;
    }

    const auto* bytes = static_cast<const unsigned char*>(vertices);
    auto vertex = [&](std::size_t i) {
        const unsigned char* v = bytes + i * stride;
        RasterVertex out{0.0f, 0.0f, 0xffffffff};  // no diffuse colour: white, as Direct3D
        std::memcpy(&out.x, v, sizeof(float));
        std::memcpy(&out.y, v + 4, sizeof(float));
        if (hasDiffuse) {
            std::memcpy(&out.diffuse, v + 16, sizeof(std::uint32_t));
        }
        return out;
    };
    const DWORD cull = renderStates_[D3DRS_CULLMODE];
    RasterState state;
    state.cull = cull == D3DCULL_CW ? CullWinding::Clockwise : cull == D3DCULL_CCW ? CullWinding::CounterClockwise : CullWinding::None;
    state.flatShade = renderStates_[D3DRS_SHADEMODE] == D3DSHADE_FLAT;
    const RasterTarget target = RenderTarget().Target();

    for (std::size_t i = 0; i < primitiveCount; ++i) {
        if (type == D3DPT_TRIANGLELIST) {
            DrawTriangle(target, vertex(3 * i), vertex(3 * i + 1), vertex(3 * i + 2), state);
        } else if (type == D3DPT_TRIANGLESTRIP) {
            // Every other triangle of a strip runs the other way round; swapping its last two
            // vertices gives all of them the winding of the first (for culling) and keeps each
            // triangle's first vertex first (for flat shading).
            if (i % 2 == 0) {
                DrawTriangle(target, vertex(i), vertex(i + 1), vertex(i + 2), state);
            } else {
                DrawTriangle(target, vertex(i), vertex(i + 2), vertex(i + 1), state);
            }
        } else {
            DrawTriangle(target, vertex(i + 1), vertex(i + 2), vertex(0), state);
        }
    }
    return D3D_OK;
}

}  // namespace platform
