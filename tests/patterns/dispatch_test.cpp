// The dispatchers on a real software device: what reaches the back buffer
// outside the viewports (odd sizes, layouts no dialog can choose).
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "app/run_state.h"
#include "patterns/frame_log.h"
#include "patterns/patterns.h"
#include "platform/d3d9.h"
#include "setup/graphics_handles.h"

namespace {

// An odd size in both directions, so each span layout leaves a column or row uncovered.
constexpr int kW = 1001, kH = 501;

// The backend reads its settings once per process, before the first Direct3D call.
const bool kSettings = [] {
    setenv("OSTRIVAN_PLATFORM", "virtual", 1);
    setenv("OSTRIVAN_VIRTUAL_MODES", "1001x501@60", 1);
    setenv("OSTRIVAN_VIRTUAL_DESKTOP", "1001x501@60", 1);
    return true;
}();

constexpr std::uint16_t kDarkBlue = 0x0210;  // 0xff004080 in R5G6B5
constexpr std::uint16_t kWhite = 0xffff;
constexpr std::uint16_t kMarker = 0x7bef;  // grey, painted into the offscreen surface beforehand

using Pixels = std::vector<std::uint16_t>;

Pixels ReadSurface(IDirect3DSurface9* surface) {
    D3DLOCKED_RECT locked{};
    Pixels pixels;
    if (FAILED(surface->LockRect(&locked, nullptr, D3DLOCK_READONLY))) {
        return pixels;
    }
    for (int y = 0; y < kH; ++y) {
        const auto* row = reinterpret_cast<const std::uint16_t*>(static_cast<const char*>(locked.pBits) + y * locked.Pitch);
        pixels.insert(pixels.end(), row, row + kW);
    }
    surface->UnlockRect();
    return pixels;
}

void FillSurface(IDirect3DSurface9* surface, std::uint16_t value) {
    D3DLOCKED_RECT locked{};
    ASSERT_EQ(surface->LockRect(&locked, nullptr, 0), D3D_OK);
    for (int y = 0; y < kH; ++y) {
        auto* row = reinterpret_cast<std::uint16_t*>(static_cast<char*>(locked.pBits) + y * locked.Pitch);
        for (int x = 0; x < kW; ++x) {
            row[x] = value;
        }
    }
    surface->UnlockRect();
}

class Dispatchers : public testing::Test {
protected:
    static void SetUpTestSuite() {
        direct3d_ = Direct3DCreate9(D3D_SDK_VERSION);
        ASSERT_NE(direct3d_, nullptr);
        D3DPRESENT_PARAMETERS p{};
        p.BackBufferWidth = kW;
        p.BackBufferHeight = kH;
        p.BackBufferFormat = D3DFMT_R5G6B5;
        p.BackBufferCount = 1;
        p.SwapEffect = D3DSWAPEFFECT_DISCARD;
        p.hDeviceWindow = reinterpret_cast<HWND>(0x5150);
        p.Flags = D3DPRESENTFLAG_LOCKABLE_BACKBUFFER;
        p.PresentationInterval = D3DPRESENT_INTERVAL_ONE;
        g_Graphics.presentParams = p;
        ASSERT_EQ(direct3d_->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, p.hDeviceWindow,
                                          D3DCREATE_SOFTWARE_VERTEXPROCESSING, &g_Graphics.presentParams,
                                          &g_Graphics.device),
                  D3D_OK);
        ASSERT_EQ(g_Graphics.device->CreateOffscreenPlainSurface(kW, kH, D3DFMT_R5G6B5, D3DPOOL_SYSTEMMEM,
                                                                 &g_Graphics.offscreenSurface, nullptr),
                  D3D_OK);
    }
    static void TearDownTestSuite() {
        if (g_Graphics.offscreenSurface != nullptr) {
            g_Graphics.offscreenSurface->Release();
            g_Graphics.offscreenSurface = nullptr;
        }
        if (g_Graphics.device != nullptr) {
            g_Graphics.device->Release();
            g_Graphics.device = nullptr;
        }
        if (direct3d_ != nullptr) {
            direct3d_->Release();
            direct3d_ = nullptr;
        }
    }
    void SetUp() override {
        ASSERT_NE(g_Graphics.device, nullptr);
        g_RunState.ScreenWidth = kW;
        g_RunState.ScreenHeight = kH;
        g_RunState.FrameCounter = 0;
        g_RunState.TickIndex = 0;
        g_RunState.Fps = 60.0f;
        g_RunState.WarningCountdown = 0;
        g_RunState.ElapsedMs = 0;
        for (auto& line : g_LogRing) {
            line[0] = '\0';
        }
        // A back buffer and offscreen surface in a colour no pattern draws.
        FillSurface(g_Graphics.offscreenSurface, kMarker);
        IDirect3DSurface9* back = nullptr;
        ASSERT_EQ(g_Graphics.device->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &back), D3D_OK);
        FillSurface(back, kMarker);
        back->Release();
    }
    // Runs one dispatcher inside a scene with the given layout and returns the back buffer.
    static Pixels Draw(int (*dispatcher)(), std::int32_t layout) {
        g_RunState.Layout = layout;
        IDirect3DDevice9* device = g_Graphics.device;
        EXPECT_EQ(device->BeginScene(), D3D_OK);
        EXPECT_EQ(dispatcher(), 1);
        EXPECT_EQ(device->EndScene(), D3D_OK);
        IDirect3DSurface9* back = nullptr;
        EXPECT_EQ(device->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &back), D3D_OK);
        Pixels pixels = back != nullptr ? ReadSurface(back) : Pixels{};
        if (back != nullptr) {
            back->Release();
        }
        return pixels;
    }
    static std::uint16_t At(const Pixels& pixels, int x, int y) { return pixels.at(static_cast<std::size_t>(y * kW + x)); }

    static IDirect3D9* direct3d_;
};

IDirect3D9* Dispatchers::direct3d_ = nullptr;

TEST_F(Dispatchers, LayoutOutsideTheListDrawsOnlyThePreparation) {
    for (std::int32_t layout : {3, -1, 0x7fffffff}) {
        const Pixels clock = Draw(DrawClockPattern, layout);
        ASSERT_EQ(clock.size(), static_cast<std::size_t>(kW * kH));
        EXPECT_EQ(clock, Pixels(clock.size(), kDarkBlue)) << "clock, layout " << layout;
        EXPECT_EQ(Draw(DrawBarsPattern, layout), Pixels(clock.size(), kWhite)) << "bars, layout " << layout;
        // The log copies the offscreen surface without drawing into it, and writes no line.
        EXPECT_EQ(Draw(DrawLogPattern, layout), Pixels(clock.size(), kMarker)) << "log, layout " << layout;
        EXPECT_EQ(g_LogRing[0][0], '\0');
    }
}

TEST_F(Dispatchers, OddWidthHorizontalSpanLeavesTheLastColumn) {
    struct Case {
        const char* name;
        int (*dispatcher)();
        std::uint16_t lastColumn;
    };
    const Case cases[] = {
        {"clock", DrawClockPattern, kDarkBlue},
        {"bars", DrawBarsPattern, kWhite},
        {"log", DrawLogPattern, kMarker},
    };
    for (const Case& c : cases) {
        const Pixels pixels = Draw(c.dispatcher, HorizontalSpan);
        ASSERT_FALSE(pixels.empty());
        for (int y = 0; y < kH; ++y) {
            ASSERT_EQ(At(pixels, kW - 1, y), c.lastColumn) << c.name << " y " << y;
        }
    }
    // In the bars pattern the band of the second viewport (frame 0: positions 0 to 9) starts at x = 500.
    const Pixels bars = Draw(DrawBarsPattern, HorizontalSpan);
    EXPECT_EQ(At(bars, 499, kH - 1), kWhite);
    EXPECT_EQ(At(bars, 500, kH - 1), 0xf800);
    EXPECT_EQ(At(bars, 0, kH - 1), 0xf800);
    // The log's second viewport is painted white up to its last column.
    const Pixels log = Draw(DrawLogPattern, HorizontalSpan);
    EXPECT_EQ(At(log, kW - 2, kH - 1), kWhite);
    EXPECT_EQ(At(log, 499, kH - 1), kWhite);
}

TEST_F(Dispatchers, OddHeightVerticalSpanLeavesTheLastRow) {
    struct Case {
        const char* name;
        int (*dispatcher)();
        std::uint16_t lastRow;
    };
    const Case cases[] = {
        {"clock", DrawClockPattern, kDarkBlue},
        {"bars", DrawBarsPattern, kWhite},
        {"log", DrawLogPattern, kMarker},
    };
    for (const Case& c : cases) {
        const Pixels pixels = Draw(c.dispatcher, VerticalSpan);
        ASSERT_FALSE(pixels.empty());
        for (int x = 0; x < kW; ++x) {
            ASSERT_EQ(At(pixels, x, kH - 1), c.lastRow) << c.name << " x " << x;
        }
    }
    const Pixels bars = Draw(DrawBarsPattern, VerticalSpan);
    EXPECT_EQ(At(bars, 0, kH - 2), 0xf800);  // the lower viewport's red bar reaches its last row
}

}  // namespace
