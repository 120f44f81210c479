// The Direct3D object of the software device: the adapter's modes as the
// backend reports them, the desktop mode, and device creation.
#pragma once

#include <vector>

#include "platform/core/backend.h"
#include "platform/d3d9.h"

namespace platform {

class SoftwareDirect3D final : public IDirect3D9 {
public:
    // Takes the backend's mode list once, so counting and enumerating always agree.
    SoftwareDirect3D();

    ULONG AddRef() override;
    ULONG Release() override;
    UINT GetAdapterModeCount(UINT adapter, D3DFORMAT format) override;
    HRESULT EnumAdapterModes(UINT adapter, D3DFORMAT format, UINT mode, D3DDISPLAYMODE* displayMode) override;
    HRESULT GetAdapterDisplayMode(UINT adapter, D3DDISPLAYMODE* displayMode) override;
    HRESULT CreateDevice(UINT adapter, D3DDEVTYPE deviceType, HWND focusWindow, DWORD behaviourFlags,
                         D3DPRESENT_PARAMETERS* params, IDirect3DDevice9** device) override;

    const std::vector<DisplayMode>& Modes() const { return modes_; }
    // The desktop mode, for the default refresh rate; false when the backend cannot tell.
    static bool DesktopMode(DisplayMode* mode);
    // The one full-screen output is taken by a device (a second device cannot have it too).
    static void SetOutputTaken(bool taken);

private:
    ~SoftwareDirect3D() override = default;

    ULONG refs_ = 1;
    std::vector<DisplayMode> modes_;
};

}  // namespace platform
