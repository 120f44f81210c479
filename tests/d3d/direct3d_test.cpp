// The Direct3D object on the virtual backend's default display: modes, device creation and the
// lives of the objects.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/core/window_manager.h"
#include "platform/d3d9.h"
#include "tests/d3d/device_fixture.h"

namespace {

using d3dtest::CreateToolDevice;
using d3dtest::kOutputWindow;
using d3dtest::ToolParameters;

const bool kBackend = d3dtest::UseVirtualBackend();

TEST(Direct3D, CreatedOnlyForVersion32AndCounted) {
    EXPECT_EQ(Direct3DCreate9(31), nullptr);
    EXPECT_EQ(Direct3DCreate9(33), nullptr);
    IDirect3D9* d3d = Direct3DCreate9(D3D_SDK_VERSION);
    ASSERT_NE(d3d, nullptr);
    EXPECT_EQ(d3d->AddRef(), 2u);
    EXPECT_EQ(d3d->Release(), 1u);
    EXPECT_EQ(d3d->Release(), 0u);
}

TEST(Direct3D, ModesAreTheDisplaysIn16BitColour) {
    IDirect3D9* d3d = Direct3DCreate9(D3D_SDK_VERSION);
    ASSERT_NE(d3d, nullptr);
    const D3DDISPLAYMODE expected[] = {{800, 600, 60, D3DFMT_R5G6B5},   {1024, 768, 60, D3DFMT_R5G6B5},
                                       {1280, 720, 60, D3DFMT_R5G6B5},  {1280, 1024, 60, D3DFMT_R5G6B5},
                                       {1920, 1080, 60, D3DFMT_R5G6B5}, {2048, 768, 60, D3DFMT_R5G6B5}};
    ASSERT_EQ(d3d->GetAdapterModeCount(D3DADAPTER_DEFAULT, D3DFMT_R5G6B5), 6u);
    EXPECT_EQ(d3d->GetAdapterModeCount(D3DADAPTER_DEFAULT, D3DFMT_X8R8G8B8), 0u);
    EXPECT_EQ(d3d->GetAdapterModeCount(1, D3DFMT_R5G6B5), 0u);
    for (UINT i = 0; i < 6; ++i) {
        D3DDISPLAYMODE mode{};
        ASSERT_EQ(d3d->EnumAdapterModes(D3DADAPTER_DEFAULT, D3DFMT_R5G6B5, i, &mode), D3D_OK);
        EXPECT_EQ(mode.Width, expected[i].Width);
        EXPECT_EQ(mode.Height, expected[i].Height);
        EXPECT_EQ(mode.RefreshRate, expected[i].RefreshRate);
        EXPECT_EQ(mode.Format, D3DFMT_R5G6B5);
    }
    D3DDISPLAYMODE mode{};
    EXPECT_EQ(d3d->EnumAdapterModes(D3DADAPTER_DEFAULT, D3DFMT_R5G6B5, 6, &mode), D3DERR_INVALIDCALL);
    EXPECT_EQ(d3d->EnumAdapterModes(D3DADAPTER_DEFAULT, D3DFMT_X8R8G8B8, 0, &mode), D3DERR_INVALIDCALL);
    EXPECT_EQ(d3d->EnumAdapterModes(D3DADAPTER_DEFAULT, D3DFMT_R5G6B5, 0, nullptr), D3DERR_INVALIDCALL);

    ASSERT_EQ(d3d->GetAdapterDisplayMode(D3DADAPTER_DEFAULT, &mode), D3D_OK);
    EXPECT_EQ(mode.Width, 1024u);
    EXPECT_EQ(mode.Height, 768u);
    EXPECT_EQ(mode.RefreshRate, 60u);
    EXPECT_EQ(mode.Format, D3DFMT_X8R8G8B8);
    EXPECT_EQ(d3d->GetAdapterDisplayMode(1, &mode), D3DERR_INVALIDCALL);
    EXPECT_EQ(d3d->GetAdapterDisplayMode(D3DADAPTER_DEFAULT, nullptr), D3DERR_INVALIDCALL);
    d3d->Release();
}

TEST(Direct3D, CreateDeviceRefusesWhatDirect3DRefuses) {
    IDirect3D9* d3d = Direct3DCreate9(D3D_SDK_VERSION);
    ASSERT_NE(d3d, nullptr);
    struct Case {
        const char* what;
        std::function<HRESULT(D3DPRESENT_PARAMETERS&, IDirect3DDevice9**)> call;
    };
    auto create = [&](UINT adapter, D3DDEVTYPE type, HWND window, DWORD flags, D3DPRESENT_PARAMETERS* p,
                      IDirect3DDevice9** out) { return d3d->CreateDevice(adapter, type, window, flags, p, out); };
    const DWORD sw = D3DCREATE_SOFTWARE_VERTEXPROCESSING;
    const Case cases[] = {
        {"no parameters", [&](auto&, auto** out) { return create(0, D3DDEVTYPE_HAL, kOutputWindow, sw, nullptr, out); }},
        {"no out pointer", [&](auto& p, auto**) { return create(0, D3DDEVTYPE_HAL, kOutputWindow, sw, &p, nullptr); }},
        {"second adapter", [&](auto& p, auto** out) { return create(1, D3DDEVTYPE_HAL, kOutputWindow, sw, &p, out); }},
        {"reference device", [&](auto& p, auto** out) { return create(0, D3DDEVTYPE_REF, kOutputWindow, sw, &p, out); }},
        {"no focus window", [&](auto& p, auto** out) { return create(0, D3DDEVTYPE_HAL, nullptr, sw, &p, out); }},
        {"no vertex processing", [&](auto& p, auto** out) { return create(0, D3DDEVTYPE_HAL, kOutputWindow, 0, &p, out); }},
        {"two kinds of vertex processing",
         [&](auto& p, auto** out) {
             return create(0, D3DDEVTYPE_HAL, kOutputWindow, sw | D3DCREATE_HARDWARE_VERTEXPROCESSING, &p, out);
         }},
        {"size not among the modes", [&](auto& p, auto** out) { p.BackBufferWidth = 1000; return CreateToolDevice(d3d, &p, out); }},
        {"32-bit back buffer", [&](auto& p, auto** out) { p.BackBufferFormat = D3DFMT_X8R8G8B8; return CreateToolDevice(d3d, &p, out); }},
        {"four back buffers", [&](auto& p, auto** out) { p.BackBufferCount = 4; return CreateToolDevice(d3d, &p, out); }},
        {"rate not offered", [&](auto& p, auto** out) { p.FullScreen_RefreshRateInHz = 75; return CreateToolDevice(d3d, &p, out); }},
        {"windowed", [&](auto& p, auto** out) { p.Windowed = TRUE; return CreateToolDevice(d3d, &p, out); }},
    };
    for (const Case& c : cases) {
        D3DPRESENT_PARAMETERS p = ToolParameters();
        IDirect3DDevice9* device = reinterpret_cast<IDirect3DDevice9*>(0x1);  // must come back null
        EXPECT_LT(c.call(p, &device), 0) << c.what;
        if (std::string(c.what) != "no out pointer") {
            EXPECT_EQ(device, nullptr) << c.what;
        }
    }
    EXPECT_EQ(d3d->Release(), 0u);  // no failed attempt kept a reference
}

TEST(Direct3D, DeviceHoldsTheOutputAndItsReferences) {
    IDirect3D9* d3d = Direct3DCreate9(D3D_SDK_VERSION);
    ASSERT_NE(d3d, nullptr);
    D3DPRESENT_PARAMETERS p = ToolParameters(1280, 720);
    p.BackBufferCount = 0;
    IDirect3DDevice9* device = nullptr;
    ASSERT_EQ(CreateToolDevice(d3d, &p, &device), D3D_OK);
    EXPECT_EQ(p.BackBufferCount, 1u);  // written back, as Direct3D does
    EXPECT_EQ(platform::GetOutputWindow(), kOutputWindow);

    // One output: a second full-screen device cannot have it while the first lives.
    D3DPRESENT_PARAMETERS second = ToolParameters();
    IDirect3DDevice9* other = nullptr;
    EXPECT_LT(CreateToolDevice(d3d, &second, &other), 0);
    EXPECT_EQ(other, nullptr);

    // The device holds the Direct3D object; surfaces and back-buffer references hold the device.
    EXPECT_EQ(d3d->AddRef(), 3u);
    d3d->Release();
    IDirect3DSurface9* offscreen = nullptr;
    ASSERT_EQ(device->CreateOffscreenPlainSurface(1280, 720, D3DFMT_R5G6B5, D3DPOOL_SYSTEMMEM, &offscreen, nullptr), D3D_OK);
    IDirect3DSurface9* back = nullptr;
    ASSERT_EQ(device->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &back), D3D_OK);
    EXPECT_EQ(device->AddRef(), 4u);
    device->Release();

    // Released in the wrong order, the device lives on until its last surface goes.
    EXPECT_EQ(d3d->Release(), 1u);
    EXPECT_EQ(device->Release(), 2u);
    EXPECT_EQ(platform::GetOutputWindow(), kOutputWindow);
    EXPECT_EQ(back->Release(), 0u);
    EXPECT_EQ(offscreen->Release(), 0u);
    EXPECT_EQ(platform::GetOutputWindow(), nullptr);

    // The output is free again.
    IDirect3D9* again = Direct3DCreate9(D3D_SDK_VERSION);
    ASSERT_NE(again, nullptr);
    ASSERT_EQ(CreateToolDevice(again, &second, &other), D3D_OK);
    EXPECT_EQ(other->Release(), 0u);
    EXPECT_EQ(again->Release(), 0u);
}

}  // namespace
