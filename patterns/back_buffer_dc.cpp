#include "patterns/back_buffer_dc.h"

HDC AcquireBackBufferDC(IDirect3DDevice9* device, IDirect3DSurface9** backBuffer) {
    *backBuffer = nullptr;
    if (FAILED(device->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, backBuffer))) {
        return nullptr;
    }
    HDC dc = nullptr;
    if (FAILED((*backBuffer)->GetDC(&dc))) {
        (*backBuffer)->Release();
        *backBuffer = nullptr;
        return nullptr;
    }
    return dc;
}

void ReleaseBackBufferDC(IDirect3DSurface9* backBuffer, HDC dc) {
    backBuffer->ReleaseDC(dc);
    backBuffer->Release();
}
