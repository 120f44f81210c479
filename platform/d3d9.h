// Direct3D 9: display modes, the full-screen device, surfaces, triangles from
// caller memory and device contexts on surfaces. Our own declarations of the
// calls the tool makes, supplied by a software device.
#pragma once

#include "platform/win32_types.h"

#define D3D_SDK_VERSION 32
#define D3DADAPTER_DEFAULT 0

using D3DCOLOR = DWORD;  // 0xAARRGGBB
#define D3DCOLOR_ARGB(a, r, g, b) \
    (static_cast<D3DCOLOR>((((a) & 0xff) << 24) | (((r) & 0xff) << 16) | (((g) & 0xff) << 8) | ((b) & 0xff)))
#define D3DCOLOR_XRGB(r, g, b) D3DCOLOR_ARGB(0xff, r, g, b)

enum D3DFORMAT : DWORD {
    D3DFMT_UNKNOWN = 0,
    D3DFMT_X8R8G8B8 = 22,
    D3DFMT_R5G6B5 = 23,
};

enum D3DDEVTYPE : DWORD {
    D3DDEVTYPE_HAL = 1,
    D3DDEVTYPE_REF = 2,
};

enum D3DPOOL : DWORD {
    D3DPOOL_DEFAULT = 0,
    D3DPOOL_MANAGED = 1,
    D3DPOOL_SYSTEMMEM = 2,
};

enum D3DMULTISAMPLE_TYPE : DWORD {
    D3DMULTISAMPLE_NONE = 0,
};

enum D3DSWAPEFFECT : DWORD {
    D3DSWAPEFFECT_DISCARD = 1,
    D3DSWAPEFFECT_FLIP = 2,
    D3DSWAPEFFECT_COPY = 3,
};

enum D3DBACKBUFFER_TYPE : DWORD {
    D3DBACKBUFFER_TYPE_MONO = 0,
};

enum D3DPRIMITIVETYPE : DWORD {
    D3DPT_POINTLIST = 1,
    D3DPT_LINELIST = 2,
    D3DPT_LINESTRIP = 3,
    D3DPT_TRIANGLELIST = 4,
    D3DPT_TRIANGLESTRIP = 5,
    D3DPT_TRIANGLEFAN = 6,
};

enum D3DRENDERSTATETYPE : DWORD {
    D3DRS_ZENABLE = 7,
    D3DRS_ZWRITEENABLE = 14,
    D3DRS_SHADEMODE = 9,
    D3DRS_CULLMODE = 22,
    D3DRS_SPECULARENABLE = 29,
    D3DRS_LIGHTING = 137,
};

#define D3DZB_FALSE 0
#define D3DZB_TRUE 1
#define D3DCULL_NONE 1
#define D3DCULL_CW 2
#define D3DCULL_CCW 3
#define D3DSHADE_FLAT 1
#define D3DSHADE_GOURAUD 2

#define D3DFVF_XYZRHW 0x004
#define D3DFVF_DIFFUSE 0x040

#define D3DCLEAR_TARGET 0x00000001
#define D3DCLEAR_ZBUFFER 0x00000002
#define D3DCLEAR_STENCIL 0x00000004

#define D3DCREATE_FPU_PRESERVE 0x00000002
#define D3DCREATE_MULTITHREADED 0x00000004
#define D3DCREATE_SOFTWARE_VERTEXPROCESSING 0x00000020
#define D3DCREATE_HARDWARE_VERTEXPROCESSING 0x00000040

#define D3DPRESENTFLAG_LOCKABLE_BACKBUFFER 0x00000001
#define D3DPRESENT_RATE_DEFAULT 0x00000000
#define D3DPRESENT_INTERVAL_DEFAULT 0x00000000
#define D3DPRESENT_INTERVAL_ONE 0x00000001
#define D3DPRESENT_INTERVAL_IMMEDIATE 0x80000000

#define D3DLOCK_READONLY 0x00000010

#define D3D_OK S_OK
#define D3DERR_WRONGTEXTUREFORMAT static_cast<HRESULT>(0x88760818u)
#define D3DERR_NOTAVAILABLE static_cast<HRESULT>(0x8876086Au)
#define D3DERR_OUTOFVIDEOMEMORY static_cast<HRESULT>(0x8876017Cu)
#define D3DERR_INVALIDCALL static_cast<HRESULT>(0x8876086Cu)
#define D3DERR_DEVICELOST static_cast<HRESULT>(0x88760868u)
#define D3DERR_DEVICENOTRESET static_cast<HRESULT>(0x88760869u)
#define D3DERR_DRIVERINTERNALERROR static_cast<HRESULT>(0x88760827u)

struct D3DDISPLAYMODE {
    UINT Width;
    UINT Height;
    UINT RefreshRate;
    D3DFORMAT Format;
};

struct D3DPRESENT_PARAMETERS {
    UINT BackBufferWidth;
    UINT BackBufferHeight;
    D3DFORMAT BackBufferFormat;
    UINT BackBufferCount;
    D3DMULTISAMPLE_TYPE MultiSampleType;
    DWORD MultiSampleQuality;
    D3DSWAPEFFECT SwapEffect;
    HWND hDeviceWindow;
    BOOL Windowed;
    BOOL EnableAutoDepthStencil;
    D3DFORMAT AutoDepthStencilFormat;
    DWORD Flags;
    UINT FullScreen_RefreshRateInHz;
    UINT PresentationInterval;
};

struct D3DRECT {
    LONG x1;
    LONG y1;
    LONG x2;
    LONG y2;
};

struct D3DSURFACE_DESC {
    D3DFORMAT Format;
    D3DPOOL Pool;
    UINT Width;
    UINT Height;
};

struct D3DLOCKED_RECT {
    INT_PTR Pitch;  // bytes per row
    void* pBits;
};

struct RGNDATA;

// Reference counting as in COM: AddRef and Release return the new count; the
// object is destroyed when it reaches 0.
struct IDirect3DSurface9 {
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;
    virtual HRESULT GetDesc(D3DSURFACE_DESC* desc) = 0;
    // Direct access to the pixels (R5G6B5, rows of Pitch bytes); D3DERR_INVALIDCALL when the
    // surface is not lockable, already locked or its DC is out.
    virtual HRESULT LockRect(D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) = 0;
    virtual HRESULT UnlockRect() = 0;
    // An HDC drawing into the surface's pixels; D3DERR_INVALIDCALL while a DC is already out,
    // the surface is locked, or the surface is not lockable.
    virtual HRESULT GetDC(HDC* dc) = 0;
    virtual HRESULT ReleaseDC(HDC dc) = 0;

protected:
    virtual ~IDirect3DSurface9() = default;
};

struct IDirect3DDevice9 {
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;
    // D3D_OK, D3DERR_DEVICELOST while the output cannot be taken back, D3DERR_DEVICENOTRESET once
    // Reset may run.
    virtual HRESULT TestCooperativeLevel() = 0;
    virtual HRESULT Reset(D3DPRESENT_PARAMETERS* params) = 0;
    // Hands the back buffer to the display and waits for the next retrace; D3DERR_DEVICELOST while
    // the device is lost.
    virtual HRESULT Present(const RECT* sourceRect, const RECT* destRect, HWND destWindow,
                            const RGNDATA* dirtyRegion) = 0;
    virtual HRESULT GetBackBuffer(UINT swapChain, UINT index, D3DBACKBUFFER_TYPE type,
                                  IDirect3DSurface9** surface) = 0;
    virtual HRESULT CreateOffscreenPlainSurface(UINT width, UINT height, D3DFORMAT format, D3DPOOL pool,
                                                IDirect3DSurface9** surface, HANDLE* sharedHandle) = 0;
    virtual HRESULT UpdateSurface(IDirect3DSurface9* source, const RECT* sourceRect, IDirect3DSurface9* destination,
                                  const POINT* destPoint) = 0;
    virtual HRESULT BeginScene() = 0;
    virtual HRESULT EndScene() = 0;
    virtual HRESULT Clear(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR colour, float z,
                          DWORD stencil) = 0;
    virtual HRESULT SetRenderState(D3DRENDERSTATETYPE state, DWORD value) = 0;
    virtual HRESULT SetFVF(DWORD fvf) = 0;
    virtual HRESULT DrawPrimitiveUP(D3DPRIMITIVETYPE type, UINT primitiveCount, const void* vertices,
                                    UINT stride) = 0;

protected:
    virtual ~IDirect3DDevice9() = default;
};

struct IDirect3D9 {
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;
    virtual UINT GetAdapterModeCount(UINT adapter, D3DFORMAT format) = 0;
    virtual HRESULT EnumAdapterModes(UINT adapter, D3DFORMAT format, UINT mode, D3DDISPLAYMODE* displayMode) = 0;
    virtual HRESULT GetAdapterDisplayMode(UINT adapter, D3DDISPLAYMODE* displayMode) = 0;
    virtual HRESULT CreateDevice(UINT adapter, D3DDEVTYPE deviceType, HWND focusWindow, DWORD behaviourFlags,
                                 D3DPRESENT_PARAMETERS* params, IDirect3DDevice9** device) = 0;

protected:
    virtual ~IDirect3D9() = default;
};

// The Direct3D object, or null when the SDK version is wrong or no display can be reached.
IDirect3D9* Direct3DCreate9(UINT sdkVersion);
