#include "platform/d3d/present_params.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

using platform::CheckFullScreenParameters;
using platform::DefaultRefreshRate;
using platform::DisplayMode;

HWND const kWindow = reinterpret_cast<HWND>(0x4242);

const std::vector<DisplayMode> kModes = {
    {800, 600, 75}, {800, 600, 60}, {800, 600, 72}, {1024, 768, 85}, {1024, 768, 70},
    {1280, 1024, 60}, {640, 480, 0},
};

D3DPRESENT_PARAMETERS ToolParameters() {
    D3DPRESENT_PARAMETERS p{};
    p.BackBufferWidth = 800;
    p.BackBufferHeight = 600;
    p.BackBufferFormat = D3DFMT_R5G6B5;
    p.BackBufferCount = 1;
    p.SwapEffect = D3DSWAPEFFECT_DISCARD;
    p.hDeviceWindow = kWindow;
    p.Flags = D3DPRESENTFLAG_LOCKABLE_BACKBUFFER;
    p.PresentationInterval = D3DPRESENT_INTERVAL_ONE;
    return p;
}

TEST(PresentParameters, DefaultRefreshRate) {
    const DisplayMode desktop72{800, 600, 72}, desktopOther{1280, 1024, 60}, desktopOddRate{800, 600, 50};
    struct Case {
        unsigned w, h;
        const DisplayMode* desktop;
        unsigned rate;
    };
    const Case cases[] = {
        {800, 600, &desktop72, 72},       // the desktop's own size keeps its rate
        {800, 600, &desktopOther, 60},    // another size: 60 Hz when offered
        {800, 600, &desktopOddRate, 60},  // the desktop's rate is not offered at its size
        {800, 600, nullptr, 60},
        {1024, 768, nullptr, 85},         // no 60 Hz: the highest
        {640, 480, nullptr, 0},           // rate unknown
        {1920, 1080, nullptr, 0},         // no such size
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DefaultRefreshRate(c.w, c.h, kModes, c.desktop), c.rate) << c.w << "x" << c.h;
    }
}

TEST(PresentParameters, ChecksAsDirect3DDoes) {
    struct Case {
        const char* what;
        std::function<void(D3DPRESENT_PARAMETERS&)> change;
        HRESULT result;
    };
    const Case cases[] = {
        {"the tool's parameters", [](D3DPRESENT_PARAMETERS&) {}, D3D_OK},
        {"three back buffers", [](D3DPRESENT_PARAMETERS& p) { p.BackBufferCount = 3; }, D3D_OK},
        {"rate asked for", [](D3DPRESENT_PARAMETERS& p) { p.FullScreen_RefreshRateInHz = 75; }, D3D_OK},
        {"immediate presentation", [](D3DPRESENT_PARAMETERS& p) { p.PresentationInterval = D3DPRESENT_INTERVAL_IMMEDIATE; }, D3D_OK},
        {"rate not offered", [](D3DPRESENT_PARAMETERS& p) { p.FullScreen_RefreshRateInHz = 85; }, D3DERR_INVALIDCALL},
        {"size not offered", [](D3DPRESENT_PARAMETERS& p) { p.BackBufferWidth = 801; }, D3DERR_INVALIDCALL},
        {"zero height", [](D3DPRESENT_PARAMETERS& p) { p.BackBufferHeight = 0; }, D3DERR_INVALIDCALL},
        {"32-bit back buffer", [](D3DPRESENT_PARAMETERS& p) { p.BackBufferFormat = D3DFMT_X8R8G8B8; }, D3DERR_INVALIDCALL},
        {"unknown format", [](D3DPRESENT_PARAMETERS& p) { p.BackBufferFormat = D3DFMT_UNKNOWN; }, D3DERR_INVALIDCALL},
        {"four back buffers", [](D3DPRESENT_PARAMETERS& p) { p.BackBufferCount = 4; }, D3DERR_INVALIDCALL},
        {"no swap effect", [](D3DPRESENT_PARAMETERS& p) { p.SwapEffect = static_cast<D3DSWAPEFFECT>(0); }, D3DERR_INVALIDCALL},
        {"copy with two buffers", [](D3DPRESENT_PARAMETERS& p) { p.SwapEffect = D3DSWAPEFFECT_COPY; p.BackBufferCount = 2; }, D3DERR_INVALIDCALL},
        {"multisample quality alone", [](D3DPRESENT_PARAMETERS& p) { p.MultiSampleQuality = 1; }, D3DERR_INVALIDCALL},
        {"bad interval", [](D3DPRESENT_PARAMETERS& p) { p.PresentationInterval = 3; }, D3DERR_INVALIDCALL},
        {"windowed", [](D3DPRESENT_PARAMETERS& p) { p.Windowed = TRUE; }, D3DERR_NOTAVAILABLE},
        {"multisampling", [](D3DPRESENT_PARAMETERS& p) { p.MultiSampleType = static_cast<D3DMULTISAMPLE_TYPE>(2); }, D3DERR_NOTAVAILABLE},
        {"depth buffer", [](D3DPRESENT_PARAMETERS& p) { p.EnableAutoDepthStencil = TRUE; }, D3DERR_NOTAVAILABLE},
    };
    for (const Case& c : cases) {
        D3DPRESENT_PARAMETERS p = ToolParameters();
        c.change(p);
        DisplayMode chosen{};
        EXPECT_EQ(CheckFullScreenParameters(&p, kWindow, kModes, nullptr, &chosen), c.result) << c.what;
    }
}

TEST(PresentParameters, ChosenModeAndWrittenBackCount) {
    D3DPRESENT_PARAMETERS p = ToolParameters();
    p.BackBufferCount = 0;
    const DisplayMode desktop{800, 600, 75};
    DisplayMode chosen{};
    ASSERT_EQ(CheckFullScreenParameters(&p, kWindow, kModes, &desktop, &chosen), D3D_OK);
    EXPECT_EQ(chosen.width, 800u);
    EXPECT_EQ(chosen.height, 600u);
    EXPECT_EQ(chosen.refreshHz, 75u);
    EXPECT_EQ(p.BackBufferCount, 1u);

    EXPECT_EQ(CheckFullScreenParameters(&p, nullptr, kModes, &desktop, &chosen), D3DERR_INVALIDCALL);
    EXPECT_EQ(CheckFullScreenParameters(nullptr, kWindow, kModes, &desktop, &chosen), D3DERR_INVALIDCALL);
    EXPECT_EQ(CheckFullScreenParameters(&p, kWindow, {}, &desktop, &chosen), D3DERR_INVALIDCALL);
}

}  // namespace
