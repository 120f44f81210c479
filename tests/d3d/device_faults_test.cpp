// Injected failures of the Direct3D calls: each is reported with its failure code and leaves
// the objects usable.
#include <gtest/gtest.h>

#include "platform/d3d9.h"
#include "tests/d3d/device_fixture.h"

namespace {

// The K-th call (0-based) of each name fails.
const bool kBackend = d3dtest::UseVirtualBackend(
    "Direct3DCreate9@0,GetAdapterDisplayMode@0,EnumAdapterModes@2,CreateDevice@0,CreateOffscreenPlainSurface@0,"
    "BeginScene@1,GetBackBuffer@0,GetDC@0,Present@1");

// One test, since the failures count calls across the whole process.
TEST(DeviceFaults, EachInjectedFailureIsReported) {
    EXPECT_EQ(Direct3DCreate9(D3D_SDK_VERSION), nullptr);
    IDirect3D9* d3d = Direct3DCreate9(D3D_SDK_VERSION);
    ASSERT_NE(d3d, nullptr);

    D3DDISPLAYMODE mode{};
    EXPECT_EQ(d3d->GetAdapterDisplayMode(D3DADAPTER_DEFAULT, &mode), D3DERR_INVALIDCALL);
    EXPECT_EQ(d3d->GetAdapterDisplayMode(D3DADAPTER_DEFAULT, &mode), D3D_OK);
    // Every call is counted, so the third enumeration fails even for an index that worked before.
    EXPECT_EQ(d3d->EnumAdapterModes(D3DADAPTER_DEFAULT, D3DFMT_R5G6B5, 0, &mode), D3D_OK);
    EXPECT_EQ(d3d->EnumAdapterModes(D3DADAPTER_DEFAULT, D3DFMT_R5G6B5, 1, &mode), D3D_OK);
    EXPECT_EQ(d3d->EnumAdapterModes(D3DADAPTER_DEFAULT, D3DFMT_R5G6B5, 0, &mode), D3DERR_INVALIDCALL);
    EXPECT_EQ(d3d->EnumAdapterModes(D3DADAPTER_DEFAULT, D3DFMT_R5G6B5, 0, &mode), D3D_OK);

    D3DPRESENT_PARAMETERS params = d3dtest::ToolParameters();
    IDirect3DDevice9* device = nullptr;
    EXPECT_LT(d3dtest::CreateToolDevice(d3d, &params, &device), 0);
    EXPECT_EQ(device, nullptr);
    ASSERT_EQ(d3dtest::CreateToolDevice(d3d, &params, &device), D3D_OK);

    IDirect3DSurface9* surface = nullptr;
    EXPECT_EQ(device->CreateOffscreenPlainSurface(800, 600, D3DFMT_R5G6B5, D3DPOOL_SYSTEMMEM, &surface, nullptr),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(surface, nullptr);
    ASSERT_EQ(device->CreateOffscreenPlainSurface(800, 600, D3DFMT_R5G6B5, D3DPOOL_SYSTEMMEM, &surface, nullptr), D3D_OK);

    ASSERT_EQ(device->BeginScene(), D3D_OK);
    ASSERT_EQ(device->EndScene(), D3D_OK);
    EXPECT_EQ(device->BeginScene(), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->EndScene(), D3DERR_INVALIDCALL);  // the failed BeginScene opened no scene

    IDirect3DSurface9* back = nullptr;
    EXPECT_EQ(device->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &back), D3DERR_INVALIDCALL);
    EXPECT_EQ(back, nullptr);
    HDC dc = nullptr;
    EXPECT_EQ(surface->GetDC(&dc), D3DERR_INVALIDCALL);
    ASSERT_EQ(surface->GetDC(&dc), D3D_OK);
    EXPECT_EQ(surface->ReleaseDC(dc), D3D_OK);

    // A failing Present reports the loss code but does not lose the device.
    EXPECT_EQ(device->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
    EXPECT_EQ(device->Present(nullptr, nullptr, nullptr, nullptr), D3DERR_DEVICELOST);
    EXPECT_EQ(device->TestCooperativeLevel(), D3D_OK);
    EXPECT_EQ(device->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);

    EXPECT_EQ(surface->Release(), 0u);
    EXPECT_EQ(device->Release(), 0u);
    EXPECT_EQ(d3d->Release(), 0u);
}

}  // namespace
