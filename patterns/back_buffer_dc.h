// Text on the back buffer: its surface and that surface's device context,
// obtained and given back as one pair, as the overlay and the patterns that
// write over their triangles all do.
#pragma once

#include "platform/d3d9.h"
#include "platform/windows.h"

// The back buffer's device context, with *backBuffer holding its surface. Null when either
// cannot be had; the surface is then already released and the caller draws no text.
HDC AcquireBackBufferDC(IDirect3DDevice9* device, IDirect3DSurface9** backBuffer);
// Ends the drawing and drops the surface, in the reverse order of acquisition.
void ReleaseBackBufferDC(IDirect3DSurface9* backBuffer, HDC dc);
