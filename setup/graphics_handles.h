// The graphics objects of the run: one reference each to the Direct3D object,
// the device and the offscreen surface, and the presentation parameters the
// device was created with (kept for Reset). Program-wide, in static storage.
#pragma once

#include "platform/d3d9.h"

using PresentParams = D3DPRESENT_PARAMETERS;

struct GraphicsHandles {
    IDirect3D9* direct3d;                 // created by PrepareProcess
    IDirect3DDevice9* device;             // created by CreateOutputWindow
    IDirect3DSurface9* offscreenSurface;  // system-memory copy source, the back buffer's size
    PresentParams presentParams;
};

extern GraphicsHandles g_Graphics;
