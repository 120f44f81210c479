// The output window's failure path and the release of the graphics objects.
#include <gtest/gtest.h>

#include "app/run_state.h"
#include "setup/graphics_handles.h"
#include "setup/output_window.h"
#include "setup/prepare_process.h"
#include "tests/setup/child_environment.h"

namespace {

void LoadStrings() {
    LoadStringA(nullptr, 103, g_RunState.WindowTitle, 100);
    LoadStringA(nullptr, 109, g_RunState.WindowClass, 100);
}

TEST(CreateOutputWindow, FailuresShowTheirMessageAndReleaseEverything) {
    struct Case {
        const char* fail;
        unsigned width;
        const char* message;
    } cases[] = {
        {"RegisterClassEx", 1024, "Error: Failed RegisterClassEx\n"},
        {"CreateWindow", 1024, "Error: Failed CreateWindow\n"},
        {"CreateDevice", 1024, "Error: Failed CreateDevice\n"},
        {nullptr, 1000, "Error: Failed CreateDevice\n"},  // a size that is not a mode
        {"CreateOffscreenPlainSurface", 1024, "Error: Failed CreateOffscreenPlainSurface\n"},
    };
    for (const Case& c : cases) {
        EXPECT_EXIT(
            {
                SetEnvironment({{"OSTRIVAN_VIRTUAL_FAIL", c.fail}});
                CHILD_CHECK(PrepareProcess() == 1);
                g_RunState.ScreenWidth = c.width;
                g_RunState.ScreenHeight = 768;
                LoadStrings();
                const int before = ShowCursor(TRUE) - 1;
                ShowCursor(FALSE);
                CHILD_CHECK(CreateOutputWindow(nullptr) == 0);
                CHILD_CHECK(g_Graphics.offscreenSurface == nullptr);
                CHILD_CHECK(g_Graphics.device == nullptr);
                CHILD_CHECK(g_Graphics.direct3d == nullptr);
                // The cursor was never hidden.
                CHILD_CHECK(ShowCursor(TRUE) - 1 == before);
                std::_Exit(0);
            },
            ::testing::ExitedWithCode(0), c.message)
            << c.message;
    }
}

TEST(CreateOutputWindow, OpensAndReleaseGraphicsIsIdempotent) {
    EXPECT_EXIT(
        {
            CHILD_CHECK(PrepareProcess() == 1);
            g_RunState.ScreenWidth = 1280;
            g_RunState.ScreenHeight = 720;
            LoadStrings();
            CHILD_CHECK(CreateOutputWindow(nullptr) == 1);
            D3DSURFACE_DESC desc{};
            CHILD_CHECK(SUCCEEDED(g_Graphics.offscreenSurface->GetDesc(&desc)));
            CHILD_CHECK(desc.Width == 1280 && desc.Height == 720 && desc.Format == D3DFMT_R5G6B5);
            CHILD_CHECK(g_Graphics.presentParams.BackBufferWidth == 1280);
            CHILD_CHECK(g_Graphics.presentParams.PresentationInterval == D3DPRESENT_INTERVAL_ONE);
            CHILD_CHECK(ReleaseGraphics() == 1);
            CHILD_CHECK(g_Graphics.device == nullptr && g_Graphics.direct3d == nullptr);
            CHILD_CHECK(ReleaseGraphics() == 1);
            std::_Exit(0);
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace
