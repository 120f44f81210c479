#include "platform/d3d/present_params.h"

#include <algorithm>

namespace platform {

namespace {

bool Offers(const std::vector<DisplayMode>& modes, unsigned width, unsigned height, unsigned rate) {
    return std::any_of(modes.begin(), modes.end(), [&](const DisplayMode& m) {
        return m.width == width && m.height == height && m.refreshHz == rate;
    });
}

}  // namespace

unsigned DefaultRefreshRate(unsigned width, unsigned height, const std::vector<DisplayMode>& modes,
                            const DisplayMode* desktop) {
    if (desktop != nullptr && desktop->width == width && desktop->height == height &&
        Offers(modes, width, height, desktop->refreshHz)) {
        return desktop->refreshHz;
    }
    if (Offers(modes, width, height, 60)) {
        return 60;
    }
    unsigned highest = 0;
    for (const DisplayMode& m : modes) {
        if (m.width == width && m.height == height) {
            highest = std::max(highest, m.refreshHz);
        }
    }
    return highest;
}

HRESULT CheckFullScreenParameters(D3DPRESENT_PARAMETERS* params, HWND focusWindow, const std::vector<DisplayMode>& modes,
                                  const DisplayMode* desktop, DisplayMode* chosen) {
    if (params == nullptr || chosen == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    const D3DPRESENT_PARAMETERS& p = *params;
    if (p.Windowed) {
        return D3DERR_NOTAVAILABLE;  // this device only ever takes over the whole screen
    }
    if (focusWindow == nullptr) {
        return D3DERR_INVALIDCALL;  // a full-screen device needs the window that takes its input
    }
    if (p.BackBufferFormat != D3DFMT_R5G6B5 || p.BackBufferCount > 3) {
        return D3DERR_INVALIDCALL;
    }
    if (p.SwapEffect < D3DSWAPEFFECT_DISCARD || p.SwapEffect > D3DSWAPEFFECT_COPY ||
        (p.SwapEffect == D3DSWAPEFFECT_COPY && p.BackBufferCount > 1)) {
        return D3DERR_INVALIDCALL;
    }
    if (p.MultiSampleType != D3DMULTISAMPLE_NONE) {
        return D3DERR_NOTAVAILABLE;
    }
    if (p.MultiSampleQuality != 0) {
        return D3DERR_INVALIDCALL;
    }
    if (p.EnableAutoDepthStencil) {
        return D3DERR_NOTAVAILABLE;
    }
    if (p.PresentationInterval != D3DPRESENT_INTERVAL_DEFAULT && p.PresentationInterval != D3DPRESENT_INTERVAL_ONE &&
        p.PresentationInterval != D3DPRESENT_INTERVAL_IMMEDIATE) {
        return D3DERR_INVALIDCALL;
    }
    unsigned rate = p.FullScreen_RefreshRateInHz;
    if (rate == D3DPRESENT_RATE_DEFAULT) {
        rate = DefaultRefreshRate(p.BackBufferWidth, p.BackBufferHeight, modes, desktop);
    }
    if (p.BackBufferWidth == 0 || p.BackBufferHeight == 0 || !Offers(modes, p.BackBufferWidth, p.BackBufferHeight, rate)) {
        return D3DERR_INVALIDCALL;
    }
    *chosen = DisplayMode{p.BackBufferWidth, p.BackBufferHeight, rate};
    if (params->BackBufferCount == 0) {
        params->BackBufferCount = 1;
    }
    return D3D_OK;
}

}  // namespace platform
