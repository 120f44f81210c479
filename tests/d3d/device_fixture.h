// Shared pieces of the device suites: the virtual backend's settings for one test program, the
// tool's presentation parameters, and reading a surface's pixels back.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/d3d9.h"

namespace d3dtest {

// Chooses the virtual backend and its settings; call before the first Direct3D call (a static
// initialiser does), since the backend reads its environment once per process.
inline bool UseVirtualBackend(const char* failures = nullptr, const char* script = nullptr) {
    setenv("OSTRIVAN_PLATFORM", "virtual", 1);
    if (failures != nullptr) {
        setenv("OSTRIVAN_VIRTUAL_FAIL", failures, 1);
    }
    if (script != nullptr) {
        setenv("OSTRIVAN_SCRIPT", script, 1);
    }
    return true;
}

inline HWND const kOutputWindow = reinterpret_cast<HWND>(0x4242);

// What the tool hands CreateDevice (lockable back buffer, default rate, one retrace a frame).
inline D3DPRESENT_PARAMETERS ToolParameters(UINT width = 800, UINT height = 600) {
    D3DPRESENT_PARAMETERS p{};
    p.BackBufferWidth = width;
    p.BackBufferHeight = height;
    p.BackBufferFormat = D3DFMT_R5G6B5;
    p.BackBufferCount = 1;
    p.SwapEffect = D3DSWAPEFFECT_DISCARD;
    p.hDeviceWindow = kOutputWindow;
    p.Flags = D3DPRESENTFLAG_LOCKABLE_BACKBUFFER;
    p.PresentationInterval = D3DPRESENT_INTERVAL_ONE;
    return p;
}

inline HRESULT CreateToolDevice(IDirect3D9* d3d, D3DPRESENT_PARAMETERS* params, IDirect3DDevice9** device) {
    return d3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, kOutputWindow, D3DCREATE_SOFTWARE_VERTEXPROCESSING,
                             params, device);
}

// The surface's pixels, row after row; empty when it cannot be locked.
inline std::vector<std::uint16_t> ReadPixels(IDirect3DSurface9* surface) {
    D3DSURFACE_DESC desc{};
    D3DLOCKED_RECT locked{};
    if (surface->GetDesc(&desc) < 0 || surface->LockRect(&locked, nullptr, D3DLOCK_READONLY) < 0) {
        return {};
    }
    std::vector<std::uint16_t> pixels;
    for (UINT y = 0; y < desc.Height; ++y) {
        const auto* row = reinterpret_cast<const std::uint16_t*>(static_cast<const char*>(locked.pBits) + y * locked.Pitch);
        pixels.insert(pixels.end(), row, row + desc.Width);
    }
    surface->UnlockRect();
    return pixels;
}

inline std::vector<std::uint16_t> ReadBackBuffer(IDirect3DDevice9* device) {
    IDirect3DSurface9* back = nullptr;
    if (device->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &back) < 0) {
        return {};
    }
    auto pixels = ReadPixels(back);
    back->Release();
    return pixels;
}

// Writes every pixel of a lockable surface from a function of its position.
template <typename F>
void WritePixels(IDirect3DSurface9* surface, F value) {
    D3DSURFACE_DESC desc{};
    D3DLOCKED_RECT locked{};
    ASSERT_EQ(surface->GetDesc(&desc), D3D_OK);
    ASSERT_EQ(surface->LockRect(&locked, nullptr, 0), D3D_OK);
    for (UINT y = 0; y < desc.Height; ++y) {
        auto* row = reinterpret_cast<std::uint16_t*>(static_cast<char*>(locked.pBits) + y * locked.Pitch);
        for (UINT x = 0; x < desc.Width; ++x) {
            row[x] = value(static_cast<int>(x), static_cast<int>(y));
        }
    }
    surface->UnlockRect();
}

}  // namespace d3dtest
