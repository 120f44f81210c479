// The full-screen device on the virtual backend: scene rules, Clear, triangles, surfaces,
// UpdateSurface, Present and Reset.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/core/pixels.h"
#include "platform/d3d9.h"
#include "platform/wingdi.h"
#include "tests/d3d/device_fixture.h"

namespace {

using d3dtest::CreateToolDevice;
using d3dtest::ReadBackBuffer;
using d3dtest::ReadPixels;
using d3dtest::ToolParameters;
using d3dtest::WritePixels;

const bool kBackend = d3dtest::UseVirtualBackend();

constexpr int kW = 800, kH = 600;

struct Vertex {  // the tool's 20-byte pre-transformed vertex
    float x, y, z, rhw;
    D3DCOLOR diffuse;
};
static_assert(sizeof(Vertex) == 20);

Vertex V(float x, float y, D3DCOLOR colour) { return Vertex{x, y, 1.0f, 1.0f, colour}; }

class DeviceTest : public testing::Test {
protected:
    void SetUp() override {
        d3d_ = Direct3DCreate9(D3D_SDK_VERSION);
        ASSERT_NE(d3d_, nullptr);
        params_ = ToolParameters(kW, kH);
        ASSERT_EQ(CreateToolDevice(d3d_, &params_, &device_), D3D_OK);
    }
    void TearDown() override {
        if (device_ != nullptr) {
            EXPECT_EQ(device_->Release(), 0u);
        }
        EXPECT_EQ(d3d_->Release(), 0u);
    }
    // Clears to black and draws within a scene with the tool's vertex format.
    void Draw(D3DPRIMITIVETYPE type, const std::vector<Vertex>& vertices, UINT count) {
        ASSERT_EQ(device_->Clear(0, nullptr, D3DCLEAR_TARGET, 0xff000000, 1.0f, 0), D3D_OK);
        ASSERT_EQ(device_->SetFVF(D3DFVF_XYZRHW | D3DFVF_DIFFUSE), D3D_OK);
        ASSERT_EQ(device_->BeginScene(), D3D_OK);
        EXPECT_EQ(device_->DrawPrimitiveUP(type, count, vertices.data(), sizeof(Vertex)), D3D_OK);
        ASSERT_EQ(device_->EndScene(), D3D_OK);
    }
    static std::uint16_t At(const std::vector<std::uint16_t>& pixels, int x, int y) {
        return pixels[static_cast<std::size_t>(y * kW + x)];
    }

    IDirect3D9* d3d_ = nullptr;
    IDirect3DDevice9* device_ = nullptr;
    D3DPRESENT_PARAMETERS params_{};
};

TEST_F(DeviceTest, SceneRules) {
    const Vertex tri[3] = {V(0, 0, 0xffffffff), V(9, 0, 0xffffffff), V(0, 9, 0xffffffff)};
    EXPECT_EQ(device_->EndScene(), D3DERR_INVALIDCALL);
    EXPECT_EQ(device_->SetFVF(D3DFVF_XYZRHW | D3DFVF_DIFFUSE), D3D_OK);
    EXPECT_EQ(device_->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 1, tri, 20), D3DERR_INVALIDCALL);  // outside a scene
    ASSERT_EQ(device_->BeginScene(), D3D_OK);
    EXPECT_EQ(device_->BeginScene(), D3DERR_INVALIDCALL);
    struct Case {
        const char* what;
        DWORD fvf;
        D3DPRIMITIVETYPE type;
        UINT count;
        const void* vertices;
        UINT stride;
        HRESULT result;
    };
    const Case cases[] = {
        {"the tool's call", 0x44, D3DPT_TRIANGLELIST, 1, tri, 20, D3D_OK},
        {"no vertices", 0x44, D3DPT_TRIANGLELIST, 1, nullptr, 20, D3DERR_INVALIDCALL},
        {"no primitives", 0x44, D3DPT_TRIANGLELIST, 0, tri, 20, D3DERR_INVALIDCALL},
        {"stride too short", 0x44, D3DPT_TRIANGLELIST, 1, tri, 16, D3DERR_INVALIDCALL},
        {"untransformed format", 0x42, D3DPT_TRIANGLELIST, 1, tri, 20, D3DERR_INVALIDCALL},
        {"no format", 0, D3DPT_TRIANGLELIST, 1, tri, 20, D3DERR_INVALIDCALL},
        {"lines", 0x44, D3DPT_LINELIST, 1, tri, 20, D3DERR_INVALIDCALL},
        {"positions only, wider stride", 0x04, D3DPT_TRIANGLELIST, 1, tri, 20, D3D_OK},
    };
    for (const Case& c : cases) {
        device_->SetFVF(c.fvf);
        EXPECT_EQ(device_->DrawPrimitiveUP(c.type, c.count, c.vertices, c.stride), c.result) << c.what;
    }
    EXPECT_EQ(device_->EndScene(), D3D_OK);
    EXPECT_EQ(device_->EndScene(), D3DERR_INVALIDCALL);
}

TEST_F(DeviceTest, ClearFillsTheTargetOrItsRectangles) {
    ASSERT_EQ(device_->Clear(0, nullptr, D3DCLEAR_TARGET, 0xff004080, 1.0f, 0), D3D_OK);
    for (std::uint16_t p : ReadBackBuffer(device_)) {
        ASSERT_EQ(p, 0x0210);
    }
    const D3DRECT rects[] = {{10, 20, 30, 25}, {790, 590, 900, 700}, {-5, -5, 2, 1}};
    ASSERT_EQ(device_->Clear(3, rects, D3DCLEAR_TARGET, 0xffffffff, 1.0f, 0), D3D_OK);
    const auto pixels = ReadBackBuffer(device_);
    int white = 0;
    for (std::uint16_t p : pixels) {
        white += p == 0xffff ? 1 : 0;
    }
    EXPECT_EQ(white, 20 * 5 + 10 * 10 + 2 * 1);
    EXPECT_EQ(At(pixels, 10, 20), 0xffff);
    EXPECT_EQ(At(pixels, 29, 24), 0xffff);
    EXPECT_EQ(At(pixels, 30, 24), 0x0210);
    EXPECT_EQ(At(pixels, 799, 599), 0xffff);

    EXPECT_EQ(device_->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(device_->Clear(0, nullptr, D3DCLEAR_STENCIL, 0, 1.0f, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(device_->Clear(1, nullptr, D3DCLEAR_TARGET, 0, 1.0f, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(device_->Clear(0, nullptr, 0, 0, 1.0f, 0), D3DERR_INVALIDCALL);
}

TEST_F(DeviceTest, StripQuadCoversItsRectangleUnderEachCullMode) {
    // The bars' quad: top-left, top-right, bottom-left, bottom-right; both halves wind the same way.
    const D3DCOLOR red = 0xffff0000;
    const std::vector<Vertex> quad = {V(3, 2, red), V(50, 2, red), V(3, 40, red), V(50, 40, red)};
    struct Case {
        const char* what;
        std::function<void(IDirect3DDevice9*)> state;
        bool drawn;
    };
    const Case cases[] = {
        {"default (cull counter-clockwise)", [](IDirect3DDevice9*) {}, true},
        {"cull clockwise", [](IDirect3DDevice9* d) { d->SetRenderState(D3DRS_CULLMODE, D3DCULL_CW); }, false},
        {"cull none", [](IDirect3DDevice9* d) { d->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE); }, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        device_->SetRenderState(D3DRS_CULLMODE, D3DCULL_CCW);
        c.state(device_);
        Draw(D3DPT_TRIANGLESTRIP, quad, 2);
        const auto pixels = ReadBackBuffer(device_);
        int red565 = 0;
        for (std::uint16_t p : pixels) {
            red565 += p == 0xf800 ? 1 : 0;
        }
        EXPECT_EQ(red565, c.drawn ? 47 * 38 : 0);
        if (c.drawn) {
            EXPECT_EQ(At(pixels, 3, 2), 0xf800);
            EXPECT_EQ(At(pixels, 49, 39), 0xf800);
        }
    }
}

TEST_F(DeviceTest, TriangleListWindingAgainstCullMode) {
    const D3DCOLOR green = 0xff00ff00;
    // Clockwise on the screen (y down), then counter-clockwise, side by side.
    const std::vector<Vertex> list = {V(0, 0, green),  V(10, 0, green), V(0, 10, green),
                                      V(20, 0, green), V(20, 10, green), V(30, 0, green)};
    struct Case {
        DWORD cull;
        bool clockwiseDrawn, counterClockwiseDrawn;
    };
    for (const Case& c : {Case{D3DCULL_CCW, true, false}, Case{D3DCULL_CW, false, true}, Case{D3DCULL_NONE, true, true}}) {
        device_->SetRenderState(D3DRS_CULLMODE, c.cull);
        Draw(D3DPT_TRIANGLELIST, list, 2);
        const auto pixels = ReadBackBuffer(device_);
        EXPECT_EQ(At(pixels, 2, 2) == 0x07e0, c.clockwiseDrawn) << c.cull;
        EXPECT_EQ(At(pixels, 22, 2) == 0x07e0, c.counterClockwiseDrawn) << c.cull;
    }
}

TEST_F(DeviceTest, GetBackBufferGivesACountedReference) {
    IDirect3DSurface9* back = nullptr;
    ASSERT_EQ(device_->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &back), D3D_OK);
    D3DSURFACE_DESC desc{};
    ASSERT_EQ(back->GetDesc(&desc), D3D_OK);
    EXPECT_EQ(desc.Width, 800u);
    EXPECT_EQ(desc.Height, 600u);
    EXPECT_EQ(desc.Format, D3DFMT_R5G6B5);
    EXPECT_EQ(desc.Pool, D3DPOOL_DEFAULT);
    IDirect3DSurface9* same = nullptr;
    ASSERT_EQ(device_->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &same), D3D_OK);
    EXPECT_EQ(same, back);
    EXPECT_EQ(same->Release(), 1u);
    EXPECT_EQ(back->Release(), 0u);

    for (auto [chain, index] : {std::pair<UINT, UINT>{0, 1}, {1, 0}}) {
        IDirect3DSurface9* none = reinterpret_cast<IDirect3DSurface9*>(0x1);
        EXPECT_EQ(device_->GetBackBuffer(chain, index, D3DBACKBUFFER_TYPE_MONO, &none), D3DERR_INVALIDCALL);
        EXPECT_EQ(none, nullptr);
    }
    EXPECT_EQ(device_->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, nullptr), D3DERR_INVALIDCALL);
}

TEST_F(DeviceTest, OffscreenSurfacesStartBlackAndLock) {
    struct Case {
        const char* what;
        UINT w, h;
        D3DFORMAT format;
        D3DPOOL pool;
        bool shared;
        HRESULT result;
    };
    const Case cases[] = {
        {"the tool's surface", 800, 600, D3DFMT_R5G6B5, D3DPOOL_SYSTEMMEM, false, D3D_OK},
        {"32-bit", 800, 600, D3DFMT_X8R8G8B8, D3DPOOL_SYSTEMMEM, false, D3DERR_INVALIDCALL},
        {"no width", 0, 600, D3DFMT_R5G6B5, D3DPOOL_SYSTEMMEM, false, D3DERR_INVALIDCALL},
        {"no height", 800, 0, D3DFMT_R5G6B5, D3DPOOL_SYSTEMMEM, false, D3DERR_INVALIDCALL},
        {"managed pool", 800, 600, D3DFMT_R5G6B5, D3DPOOL_MANAGED, false, D3DERR_INVALIDCALL},
        {"shared handle", 800, 600, D3DFMT_R5G6B5, D3DPOOL_SYSTEMMEM, true, D3DERR_INVALIDCALL},
        {"absurdly wide", 1u << 31, 2, D3DFMT_R5G6B5, D3DPOOL_SYSTEMMEM, false, D3DERR_INVALIDCALL},
    };
    for (const Case& c : cases) {
        IDirect3DSurface9* surface = reinterpret_cast<IDirect3DSurface9*>(0x1);
        HANDLE handle = nullptr;
        EXPECT_EQ(device_->CreateOffscreenPlainSurface(c.w, c.h, c.format, c.pool, &surface, c.shared ? &handle : nullptr),
                  c.result)
            << c.what;
        if (c.result < 0) {
            EXPECT_EQ(surface, nullptr) << c.what;
            continue;
        }
        D3DSURFACE_DESC desc{};
        ASSERT_EQ(surface->GetDesc(&desc), D3D_OK);
        EXPECT_EQ(desc.Width, c.w);
        EXPECT_EQ(desc.Height, c.h);
        EXPECT_EQ(desc.Pool, D3DPOOL_SYSTEMMEM);
        const auto pixels = ReadPixels(surface);
        ASSERT_EQ(pixels.size(), std::size_t{800 * 600});
        for (std::uint16_t p : pixels) {
            ASSERT_EQ(p, 0);
        }
        D3DLOCKED_RECT locked{};
        const RECT part{10, 20, 30, 40}, outside{10, 20, 801, 40}, empty{10, 20, 10, 40};
        EXPECT_EQ(surface->LockRect(&locked, &outside, 0), D3DERR_INVALIDCALL);
        EXPECT_EQ(surface->LockRect(&locked, &empty, 0), D3DERR_INVALIDCALL);
        ASSERT_EQ(surface->LockRect(&locked, &part, 0), D3D_OK);
        EXPECT_EQ(locked.Pitch, 1600);
        *static_cast<std::uint16_t*>(locked.pBits) = 0x1234;
        EXPECT_EQ(surface->LockRect(&locked, nullptr, 0), D3DERR_INVALIDCALL);  // already locked
        EXPECT_EQ(surface->UnlockRect(), D3D_OK);
        EXPECT_EQ(surface->UnlockRect(), D3DERR_INVALIDCALL);
        EXPECT_EQ(ReadPixels(surface)[20 * 800 + 10], 0x1234);
        EXPECT_EQ(surface->Release(), 0u);
    }
}

TEST_F(DeviceTest, DeviceContextsOneAtATime) {
    IDirect3DSurface9* surface = nullptr;
    ASSERT_EQ(device_->CreateOffscreenPlainSurface(64, 32, D3DFMT_R5G6B5, D3DPOOL_SYSTEMMEM, &surface, nullptr), D3D_OK);
    HDC dc = nullptr, second = nullptr;
    ASSERT_EQ(surface->GetDC(&dc), D3D_OK);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(surface->GetDC(&second), D3DERR_INVALIDCALL);
    D3DLOCKED_RECT locked{};
    EXPECT_EQ(surface->LockRect(&locked, nullptr, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(surface->ReleaseDC(reinterpret_cast<HDC>(0x77)), D3DERR_INVALIDCALL);
    EXPECT_EQ(surface->ReleaseDC(dc), D3D_OK);
    EXPECT_EQ(surface->ReleaseDC(dc), D3DERR_INVALIDCALL);
    ASSERT_EQ(surface->GetDC(&dc), D3D_OK);
    EXPECT_EQ(surface->Release(), 0u);  // released with its DC still out: the DC goes with it

    IDirect3DSurface9* back = nullptr;
    ASSERT_EQ(device_->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &back), D3D_OK);
    ASSERT_EQ(back->GetDC(&dc), D3D_OK);
    EXPECT_EQ(back->ReleaseDC(dc), D3D_OK);
    back->Release();
}

TEST_F(DeviceTest, DrawingThroughTheDcLandsInTheSurface) {
    IDirect3DSurface9* back = nullptr;
    ASSERT_EQ(device_->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &back), D3D_OK);
    device_->Clear(0, nullptr, D3DCLEAR_TARGET, 0xff000000, 1.0f, 0);
    HDC dc = nullptr;
    ASSERT_EQ(back->GetDC(&dc), D3D_OK);
    HBRUSH red = CreateSolidBrush(0x000000ff);
    const RECT box{700, 500, 703, 502};
    FillRect(dc, &box, red);
    DeleteObject(red);
    ASSERT_EQ(back->ReleaseDC(dc), D3D_OK);
    const auto pixels = ReadPixels(back);
    back->Release();
    int drawn = 0;
    for (std::uint16_t p : pixels) {
        drawn += p != 0 ? 1 : 0;
    }
    EXPECT_EQ(drawn, 6);
    EXPECT_EQ(At(pixels, 700, 500), 0xf800);
    EXPECT_EQ(At(pixels, 702, 501), 0xf800);
}

TEST_F(DeviceTest, UpdateSurfaceCopiesFromSystemMemoryToTheBackBuffer) {
    IDirect3DSurface9* offscreen = nullptr;
    ASSERT_EQ(device_->CreateOffscreenPlainSurface(kW, kH, D3DFMT_R5G6B5, D3DPOOL_SYSTEMMEM, &offscreen, nullptr), D3D_OK);
    const auto pattern = [](int x, int y) { return static_cast<std::uint16_t>(x * 7 + y * 131 + 1); };
    WritePixels(offscreen, pattern);
    IDirect3DSurface9* back = nullptr;
    ASSERT_EQ(device_->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &back), D3D_OK);

    ASSERT_EQ(device_->UpdateSurface(offscreen, nullptr, back, nullptr), D3D_OK);
    auto pixels = ReadPixels(back);
    for (int y = 0; y < kH; y += 37) {
        for (int x = 0; x < kW; x += 23) {
            ASSERT_EQ(At(pixels, x, y), pattern(x, y)) << x << "," << y;
        }
    }
    EXPECT_EQ(At(pixels, kW - 1, kH - 1), pattern(kW - 1, kH - 1));

    // A part placed so that it runs past the right and bottom edges is cut there.
    device_->Clear(0, nullptr, D3DCLEAR_TARGET, 0, 1.0f, 0);
    const RECT part{100, 200, 150, 260};
    const POINT at{780, 570};
    ASSERT_EQ(device_->UpdateSurface(offscreen, &part, back, &at), D3D_OK);
    pixels = ReadPixels(back);
    EXPECT_EQ(At(pixels, 780, 570), pattern(100, 200));
    EXPECT_EQ(At(pixels, 799, 599), pattern(119, 229));
    EXPECT_EQ(At(pixels, 779, 570), 0);
    const POINT before{-40, -50};
    ASSERT_EQ(device_->UpdateSurface(offscreen, &part, back, &before), D3D_OK);
    EXPECT_EQ(At(ReadPixels(back), 0, 0), pattern(140, 250));

    const RECT outside{700, 500, 801, 600};
    EXPECT_EQ(device_->UpdateSurface(offscreen, &outside, back, nullptr), D3DERR_INVALIDCALL);
    EXPECT_EQ(device_->UpdateSurface(back, nullptr, offscreen, nullptr), D3DERR_INVALIDCALL);  // wrong pools
    EXPECT_EQ(device_->UpdateSurface(offscreen, nullptr, offscreen, nullptr), D3DERR_INVALIDCALL);
    EXPECT_EQ(device_->UpdateSurface(nullptr, nullptr, back, nullptr), D3DERR_INVALIDCALL);
    EXPECT_EQ(device_->UpdateSurface(offscreen, nullptr, nullptr, nullptr), D3DERR_INVALIDCALL);
    back->Release();
    offscreen->Release();
}

TEST_F(DeviceTest, PresentAndReset) {
    EXPECT_EQ(device_->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
    const RECT part{0, 0, 10, 10};
    EXPECT_EQ(device_->Present(&part, nullptr, nullptr, nullptr), D3DERR_INVALIDCALL);  // the swap chain discards
    EXPECT_EQ(device_->TestCooperativeLevel(), D3D_OK);

    // Reset refuses while a back-buffer reference is out, and the device then waits for a Reset.
    device_->Clear(0, nullptr, D3DCLEAR_TARGET, 0xffffffff, 1.0f, 0);
    device_->SetRenderState(D3DRS_CULLMODE, D3DCULL_CW);
    IDirect3DSurface9* back = nullptr;
    ASSERT_EQ(device_->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &back), D3D_OK);
    EXPECT_EQ(device_->Reset(&params_), D3DERR_INVALIDCALL);
    back->Release();
    EXPECT_EQ(device_->TestCooperativeLevel(), D3DERR_DEVICENOTRESET);
    EXPECT_EQ(device_->Present(nullptr, nullptr, nullptr, nullptr), D3DERR_DEVICELOST);

    D3DPRESENT_PARAMETERS bad = params_;
    bad.BackBufferWidth = 640;
    EXPECT_EQ(device_->Reset(&bad), D3DERR_INVALIDCALL);
    EXPECT_EQ(device_->Reset(nullptr), D3DERR_INVALIDCALL);
    EXPECT_EQ(device_->TestCooperativeLevel(), D3DERR_DEVICENOTRESET);

    ASSERT_EQ(device_->Reset(&params_), D3D_OK);
    EXPECT_EQ(device_->TestCooperativeLevel(), D3D_OK);
    EXPECT_EQ(device_->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
    // A new, black back buffer and Direct3D's default states (counter-clockwise culled).
    for (std::uint16_t p : ReadBackBuffer(device_)) {
        ASSERT_EQ(p, 0);
    }
    const D3DCOLOR blue = 0xff0000ff;
    Draw(D3DPT_TRIANGLELIST, {V(0, 0, blue), V(0, 10, blue), V(10, 0, blue)}, 1);
    EXPECT_EQ(At(ReadBackBuffer(device_), 2, 2), 0);

    // Another of the adapter's sizes.
    D3DPRESENT_PARAMETERS wide = ToolParameters(1920, 1080);
    ASSERT_EQ(device_->Reset(&wide), D3D_OK);
    IDirect3DSurface9* resized = nullptr;
    ASSERT_EQ(device_->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &resized), D3D_OK);
    D3DSURFACE_DESC desc{};
    resized->GetDesc(&desc);
    EXPECT_EQ(desc.Width, 1920u);
    EXPECT_EQ(desc.Height, 1080u);
    resized->Release();
    EXPECT_EQ(device_->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
}

TEST_F(DeviceTest, BackBufferLocksOnlyWhenAskedFor) {
    ASSERT_EQ(device_->Release(), 0u);
    device_ = nullptr;
    D3DPRESENT_PARAMETERS p = ToolParameters(kW, kH);
    p.Flags = 0;
    ASSERT_EQ(CreateToolDevice(d3d_, &p, &device_), D3D_OK);
    IDirect3DSurface9* back = nullptr;
    ASSERT_EQ(device_->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &back), D3D_OK);
    D3DLOCKED_RECT locked{};
    HDC dc = nullptr;
    EXPECT_EQ(back->LockRect(&locked, nullptr, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(back->GetDC(&dc), D3DERR_INVALIDCALL);
    back->Release();
}

}  // namespace
