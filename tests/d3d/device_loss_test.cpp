// The lost-device cycle driven by the virtual backend's script: Present reports the loss, the
// device stays lost until Reset succeeds, and Reset works only once the output can be taken back.
#include <gtest/gtest.h>

#include "platform/d3d9.h"
#include "tests/d3d/device_fixture.h"

namespace {

const bool kBackend = d3dtest::UseVirtualBackend(nullptr, OSTRIVAN_SOURCE_DIR "/tests/d3d/device_loss.script");

HRESULT Present(IDirect3DDevice9* device) { return device->Present(nullptr, nullptr, nullptr, nullptr); }

TEST(DeviceLoss, LostThenNotResetThenReset) {
    IDirect3D9* d3d = Direct3DCreate9(D3D_SDK_VERSION);
    ASSERT_NE(d3d, nullptr);
    D3DPRESENT_PARAMETERS params = d3dtest::ToolParameters();
    IDirect3DDevice9* device = nullptr;
    ASSERT_EQ(d3dtest::CreateToolDevice(d3d, &params, &device), D3D_OK);

    int frame = 0;
    while (frame < 20 && Present(device) == D3D_OK) {
        ++frame;
    }
    ASSERT_LT(frame, 20) << "the output was never lost";
    const int lostAt = frame++;

    // While the output cannot be taken back: lost, and Reset cannot bring it back.
    EXPECT_EQ(device->TestCooperativeLevel(), D3DERR_DEVICELOST);
    EXPECT_EQ(device->Reset(&params), D3DERR_DEVICELOST);
    EXPECT_EQ(device->BeginScene(), D3D_OK);  // drawing goes on unseen
    EXPECT_EQ(device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xffffffff, 1.0f, 0), D3D_OK);
    EXPECT_EQ(device->EndScene(), D3D_OK);

    // Presenting goes on (and paces the loop) until the output can be taken back.
    while (frame < lostAt + 20 && device->TestCooperativeLevel() == D3DERR_DEVICELOST) {
        EXPECT_EQ(Present(device), D3DERR_DEVICELOST);
        ++frame;
    }
    ASSERT_EQ(device->TestCooperativeLevel(), D3DERR_DEVICENOTRESET);
    // Restorable is not restored: only Reset ends the loss.
    EXPECT_EQ(Present(device), D3DERR_DEVICELOST);
    EXPECT_EQ(device->TestCooperativeLevel(), D3DERR_DEVICENOTRESET);

    ASSERT_EQ(device->Reset(&params), D3D_OK);
    EXPECT_EQ(device->TestCooperativeLevel(), D3D_OK);
    EXPECT_EQ(Present(device), D3D_OK);
    EXPECT_EQ(device->Release(), 0u);
    EXPECT_EQ(d3d->Release(), 0u);
}

}  // namespace
