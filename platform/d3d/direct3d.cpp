#include "platform/d3d/direct3d.h"

#include <new>
#include <string>

#include "platform/core/window_manager.h"
#include "platform/d3d/device.h"
#include "platform/d3d/present_params.h"

namespace platform {

namespace {

// One display, one full-screen output: set while a device holds it.
bool g_outputTaken = false;

constexpr DWORD kMixedVertexProcessing = 0x00000080;

}  // namespace

SoftwareDirect3D::SoftwareDirect3D() : modes_(CurrentBackend().ListModes()) {}

ULONG SoftwareDirect3D::AddRef() { return ++refs_; }

ULONG SoftwareDirect3D::Release() {
    if (refs_ == 0) {
        return 0;
    }
    const ULONG left = --refs_;
    if (left == 0) {
        delete this;
    }
    return left;
}

bool SoftwareDirect3D::DesktopMode(DisplayMode* mode) { return CurrentBackend().GetDesktopMode(mode); }

void SoftwareDirect3D::SetOutputTaken(bool taken) { g_outputTaken = taken; }

// Every mode of the display is offered in 16-bit colour (frames are converted when presented).
UINT SoftwareDirect3D::GetAdapterModeCount(UINT adapter, D3DFORMAT format) {
    if (adapter != D3DADAPTER_DEFAULT || format != D3DFMT_R5G6B5) {
        return 0;
    }
    return static_cast<UINT>(modes_.size());
}

HRESULT SoftwareDirect3D::EnumAdapterModes(UINT adapter, D3DFORMAT format, UINT mode, D3DDISPLAYMODE* displayMode) {
    if (CurrentBackend().ShouldFail("EnumAdapterModes")) {
        return D3DERR_INVALIDCALL;
    }
    if (adapter != D3DADAPTER_DEFAULT || format != D3DFMT_R5G6B5 || displayMode == nullptr || mode >= modes_.size()) {
        return D3DERR_INVALIDCALL;
    }
    const DisplayMode& m = modes_[mode];
    *displayMode = D3DDISPLAYMODE{m.width, m.height, m.refreshHz, D3DFMT_R5G6B5};
    return D3D_OK;
}

HRESULT SoftwareDirect3D::GetAdapterDisplayMode(UINT adapter, D3DDISPLAYMODE* displayMode) {
    if (CurrentBackend().ShouldFail("GetAdapterDisplayMode")) {
        return D3DERR_INVALIDCALL;
    }
    DisplayMode desktop{};
    if (adapter != D3DADAPTER_DEFAULT || displayMode == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    if (!DesktopMode(&desktop)) {
        return D3DERR_NOTAVAILABLE;
    }
    *displayMode = D3DDISPLAYMODE{desktop.width, desktop.height, desktop.refreshHz, D3DFMT_X8R8G8B8};
    return D3D_OK;
}

HRESULT SoftwareDirect3D::CreateDevice(UINT adapter, D3DDEVTYPE deviceType, HWND focusWindow, DWORD behaviourFlags,
                                       D3DPRESENT_PARAMETERS* params, IDirect3DDevice9** device) {
    if (device != nullptr) {
        *device = nullptr;
    }
    if (CurrentBackend().ShouldFail("CreateDevice")) {
        return D3DERR_INVALIDCALL;
    }
    if (device == nullptr || params == nullptr || adapter != D3DADAPTER_DEFAULT) {
        return D3DERR_INVALIDCALL;
    }
    if (deviceType != D3DDEVTYPE_HAL) {
        return deviceType == D3DDEVTYPE_REF ? D3DERR_NOTAVAILABLE : D3DERR_INVALIDCALL;
    }
    // Exactly one way of processing vertices must be asked for.
    const DWORD processing = behaviourFlags & (D3DCREATE_SOFTWARE_VERTEXPROCESSING | D3DCREATE_HARDWARE_VERTEXPROCESSING |
                                               kMixedVertexProcessing);
    if (processing == 0 || (processing & (processing - 1)) != 0) {
        return D3DERR_INVALIDCALL;
    }
    DisplayMode desktop{};
    const bool haveDesktop = DesktopMode(&desktop);
    DisplayMode mode{};
    const HRESULT checked = CheckFullScreenParameters(params, focusWindow, modes_, haveDesktop ? &desktop : nullptr, &mode);
    if (checked < 0) {
        return checked;
    }
    if (g_outputTaken) {
        return D3DERR_NOTAVAILABLE;
    }
    std::string error;
    if (!CurrentBackend().OpenOutput(mode, &error)) {
        return D3DERR_NOTAVAILABLE;
    }
    SoftwareDevice* created = nullptr;
    try {
        created = new SoftwareDevice(this, focusWindow, *params, mode);
    } catch (const std::bad_alloc&) {
        CurrentBackend().CloseOutput();
        return E_OUTOFMEMORY;
    }
    g_outputTaken = true;
    SetOutputWindow(focusWindow);
    *device = created;
    return D3D_OK;
}

}  // namespace platform

IDirect3D9* Direct3DCreate9(UINT sdkVersion) {
    using platform::CurrentBackend;
    if (CurrentBackend().ShouldFail("Direct3DCreate9") || sdkVersion != D3D_SDK_VERSION || !CurrentBackend().HasDisplay()) {
        return nullptr;
    }
    return new platform::SoftwareDirect3D();
}
