// Presentation parameters of the full-screen device: the checks CreateDevice and Reset share,
// and the choice of the output mode. Pure: works on the mode list it is given.
#pragma once

#include <vector>

#include "platform/core/backend.h"
#include "platform/d3d9.h"

namespace platform {

// The refresh rate a size gets when none is asked for: the desktop's rate when the desktop runs
// at that size (and the rate is offered there), else 60 Hz when offered, else the highest rate
// offered. 0 when the size has no mode at all. desktop may be null (unknown).
unsigned DefaultRefreshRate(unsigned width, unsigned height, const std::vector<DisplayMode>& modes,
                            const DisplayMode* desktop);

// Checks full-screen parameters as Direct3D does and picks the output mode. On success returns
// D3D_OK, sets *chosen and writes a BackBufferCount of 0 back as 1 (as Direct3D does). Fails with
// D3DERR_INVALIDCALL for a missing focus window, a size or rate that no mode offers, a back buffer
// format other than R5G6B5, more than 3 back buffers or a bad swap effect, multisample quality or
// presentation interval; with D3DERR_NOTAVAILABLE for what this device does not offer: a windowed
// device, multisampling, an automatic depth buffer.
HRESULT CheckFullScreenParameters(D3DPRESENT_PARAMETERS* params, HWND focusWindow, const std::vector<DisplayMode>& modes,
                                  const DisplayMode* desktop, DisplayMode* chosen);

}  // namespace platform
