// The virtual backend through its record, configured by environment variables as a run is.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

#include "platform/core/backend.h"
#include "platform/user32.h"
#include "platform/virtual/virtual_backend.h"
#include "platform/virtual/virtual_observe.h"
#include "tests/support/png_reader.h"

namespace platform {
namespace {

namespace fs = std::filesystem;
using ostrivan_test::Picture;
using ostrivan_test::ReadPng;
using ostrivan_test::Rgb;

const char* const kVariables[] = {"OSTRIVAN_VIRTUAL_MODES", "OSTRIVAN_VIRTUAL_DESKTOP", "OSTRIVAN_VIRTUAL_CLOCK",
                                  "OSTRIVAN_VIRTUAL_FRAMES", "OSTRIVAN_SCRIPT",          "OSTRIVAN_CAPTURE",
                                  "OSTRIVAN_CAPTURE_FRAMES", "OSTRIVAN_VIRTUAL_FAIL"};

// A 4 x 3 picture, asymmetric and in distinct colours, stored with a pitch of 6 pixels.
constexpr int kWidth = 4, kHeight = 3, kPitch = 6;
constexpr std::uint16_t kRed = 0xF800, kGreen = 0x07E0, kBlue = 0x001F, kGrey = 0x8410, kWhite = 0xFFFF;
constexpr std::uint16_t kPicture[kHeight * kPitch] = {
    kRed,  kGreen, kBlue,  kWhite, 1, 1,  //
    kGrey, 0,      0,      0,      1, 1,  //
    kGrey, kGrey,  0,      kRed,   1, 1,
};

class VirtualBackendTest : public testing::Test {
protected:
    void SetUp() override {
        for (const char* name : kVariables) {
            unsetenv(name);
        }
        std::string pattern = fs::temp_directory_path() / "ostrivan-virtual-XXXXXX";
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        directory_ = pattern;
    }
    void TearDown() override {
        backend().Shutdown();
        for (const char* name : kVariables) {
            unsetenv(name);
        }
        fs::remove_all(directory_);
    }

    const Backend& backend() const { return VirtualBackend(); }

    bool Init(const std::map<std::string, std::string>& variables, std::string* error = nullptr) {
        for (const auto& [name, value] : variables) {
            setenv(name.c_str(), value.c_str(), 1);
        }
        std::string ignored;
        return backend().Init(error != nullptr ? error : &ignored);
    }

    std::string WriteScript(const std::string& text) {
        const std::string path = directory_ / "script.txt";
        std::ofstream(path) << text;
        return path;
    }

    std::string Capture() const { return directory_ / "capture"; }

    std::vector<std::string> CapturedFiles() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(Capture())) {
            names.push_back(entry.path().filename());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    static std::string Bytes(const std::string& path) {
        std::ifstream file(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }

    fs::path directory_;
};

TEST_F(VirtualBackendTest, BadSettingsFailInitWithOneLine) {
    std::ofstream(directory_ / "file") << "x";
    struct Case {
        std::map<std::string, std::string> variables;
        std::string expected;
    };
    const Case cases[] = {
        {{{"OSTRIVAN_VIRTUAL_MODES", "800x"}}, "OSTRIVAN_VIRTUAL_MODES: '800x' is not WxH or WxH@HZ"},
        {{{"OSTRIVAN_SCRIPT", WriteScript("dialog key Return\nat x key a\n")}},
         "OSTRIVAN_SCRIPT line 2: 'x' is not a valid frame number (a whole number from 0 to 18446744073709551615)"},
        {{{"OSTRIVAN_SCRIPT", (directory_ / "missing").string()}},
         "OSTRIVAN_SCRIPT: cannot read '" + (directory_ / "missing").string() + "': No such file or directory"},
        {{{"OSTRIVAN_CAPTURE", (directory_ / "file").string()}},
         "OSTRIVAN_CAPTURE: '" + (directory_ / "file").string() + "' is not a directory"},
        {{{"OSTRIVAN_CAPTURE", (directory_ / "file" / "sub").string()}},
         "OSTRIVAN_CAPTURE: cannot create directory '" + (directory_ / "file" / "sub").string() + "': Not a directory"},
    };
    for (const Case& c : cases) {
        for (const char* name : kVariables) {
            unsetenv(name);
        }
        std::string error;
        EXPECT_FALSE(Init(c.variables, &error));
        EXPECT_EQ(error, c.expected);
    }
}

TEST_F(VirtualBackendTest, ReportsModesAndDesktopAsGiven) {
    ASSERT_TRUE(Init({{"OSTRIVAN_VIRTUAL_MODES", "1280x720@50,640x480"}, {"OSTRIVAN_VIRTUAL_DESKTOP", "1280x720@50"}}));
    EXPECT_TRUE(backend().HasDisplay());
    const std::vector<DisplayMode> modes = backend().ListModes();
    ASSERT_EQ(modes.size(), 2u);
    EXPECT_EQ(modes[0].width, 1280u);
    EXPECT_EQ(modes[0].refreshHz, 50u);
    EXPECT_EQ(modes[1].height, 480u);
    EXPECT_EQ(modes[1].refreshHz, 60u);
    DisplayMode desktop{};
    ASSERT_TRUE(backend().GetDesktopMode(&desktop));
    EXPECT_EQ(desktop.width, 1280u);
    EXPECT_EQ(desktop.refreshHz, 50u);
}

TEST_F(VirtualBackendTest, CapturesSelectedFramesByBitReplication) {
    ASSERT_TRUE(Init({{"OSTRIVAN_CAPTURE", Capture()}, {"OSTRIVAN_CAPTURE_FRAMES", "1,3-4"}}));
    std::string error;
    ASSERT_TRUE(backend().OpenOutput({kWidth, kHeight, 60}, &error)) << error;
    for (int frame = 0; frame < 6; ++frame) {
        // Frame 4 presents nothing (a lost or failed frame): it counts but writes no file.
        EXPECT_TRUE(backend().PresentOutput(frame == 4 ? nullptr : kPicture, kWidth, kHeight, kPitch));
    }
    EXPECT_EQ(CapturedFiles(), (std::vector<std::string>{"frame-000001.png", "frame-000003.png"}));

    Picture picture;
    ASSERT_TRUE(ReadPng(Capture() + "/frame-000003.png", &picture));
    ASSERT_EQ(picture.width, kWidth);
    ASSERT_EQ(picture.height, kHeight);
    const Rgb expected[kHeight][kWidth] = {
        {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}},
        {{132, 130, 132}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}},
        {{132, 130, 132}, {132, 130, 132}, {0, 0, 0}, {255, 0, 0}},
    };
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            EXPECT_EQ(picture.at(x, y), expected[y][x]) << x << "," << y;
        }
    }
}

TEST_F(VirtualBackendTest, SameInputsGiveIdenticalFiles) {
    std::string first;
    for (int run = 0; run < 2; ++run) {
        fs::remove_all(Capture());
        ASSERT_TRUE(Init({{"OSTRIVAN_CAPTURE", Capture()}}));
        std::string error;
        ASSERT_TRUE(backend().OpenOutput({kWidth, kHeight, 60}, &error));
        backend().PresentOutput(kPicture, kWidth, kHeight, kPitch);
        const std::string bytes = Bytes(Capture() + "/frame-000000.png");
        ASSERT_FALSE(bytes.empty());
        if (run == 0) {
            first = bytes;
        } else {
            EXPECT_EQ(bytes, first);
        }
        backend().Shutdown();
    }
}

TEST_F(VirtualBackendTest, DialogPictureIsWrittenWhenTheDialogCloses) {
    ASSERT_TRUE(Init({{"OSTRIVAN_CAPTURE", Capture()}}));
    std::string error;
    ASSERT_TRUE(backend().OpenDialogWindow(kWidth, kHeight, "Ostrivan", &error)) << error;
    EXPECT_TRUE(virtual_display::Observe().dialogOpen);
    EXPECT_EQ(virtual_display::Observe().dialogTitle, "Ostrivan");
    const std::uint16_t blank[kHeight * kPitch] = {};
    backend().ShowDialogPicture(blank, kWidth, kHeight, kPitch);
    backend().ShowDialogPicture(kPicture, kWidth, kHeight, kPitch);
    EXPECT_TRUE(CapturedFiles().empty());
    backend().CloseDialogWindow();
    EXPECT_FALSE(virtual_display::Observe().dialogOpen);
    Picture picture;
    ASSERT_TRUE(ReadPng(Capture() + "/dialog.png", &picture));
    EXPECT_EQ(picture.at(3, 0), (Rgb{255, 255, 255}));
    EXPECT_EQ(picture.at(3, 2), (Rgb{255, 0, 0}));
}

TEST_F(VirtualBackendTest, ClockStartsAtTheSettingAndStepsByTheOutputRate) {
    ASSERT_TRUE(Init({{"OSTRIVAN_VIRTUAL_CLOCK", "4294967295"}, {"OSTRIVAN_SCRIPT", WriteScript("at 10 stall 40\n")}}));
    const std::uint64_t start = std::uint64_t{4294967295u} * 1000;
    EXPECT_EQ(backend().NowMicroseconds(), start);
    std::string error;
    ASSERT_TRUE(backend().OpenOutput({640, 480, 75}, &error));
    for (int frame = 0; frame < 75; ++frame) {
        backend().PresentOutput(nullptr, 640, 480, 640);
    }
    EXPECT_EQ(backend().NowMicroseconds(), start + 1000000 + 40000);
    backend().CloseOutput();
    ASSERT_TRUE(backend().OpenOutput({640, 480, 0}, &error));  // unknown rate: 60 Hz
    for (int frame = 0; frame < 60; ++frame) {
        backend().PresentOutput(nullptr, 640, 480, 640);
    }
    EXPECT_EQ(backend().NowMicroseconds(), start + 2000000 + 40000);
}

TEST_F(VirtualBackendTest, OutputClosesAfterTheFrameLimit) {
    ASSERT_TRUE(Init({{"OSTRIVAN_VIRTUAL_FRAMES", "2"}}));
    std::string error;
    ASSERT_TRUE(backend().OpenOutput({640, 480, 60}, &error));
    InputEvent event;
    backend().PresentOutput(nullptr, 640, 480, 640);
    EXPECT_FALSE(backend().PollEvent(&event));
    backend().PresentOutput(nullptr, 640, 480, 640);
    ASSERT_TRUE(backend().PollEvent(&event));
    EXPECT_EQ(event.kind, EventKind::Close);
    EXPECT_EQ(event.target, EventTarget::Output);
    EXPECT_FALSE(backend().PollEvent(&event));
}

TEST_F(VirtualBackendTest, LostOutputRefusesFramesUntilRestoredAndReopened) {
    ASSERT_TRUE(Init({{"OSTRIVAN_SCRIPT", WriteScript("at 1 lose-device\nat 3 restore-device\n"
                                                      "at 5 lose-device\nat 6 restore-device\n")}}));
    std::string error;
    ASSERT_TRUE(backend().OpenOutput({640, 480, 60}, &error));
    EXPECT_TRUE(backend().PresentOutput(nullptr, 640, 480, 640));
    EXPECT_FALSE(backend().PresentOutput(nullptr, 640, 480, 640));
    EXPECT_EQ(backend().QueryOutput(), OutputStatus::Lost);
    EXPECT_FALSE(backend().ReopenOutput());
    EXPECT_FALSE(backend().PresentOutput(nullptr, 640, 480, 640));
    EXPECT_EQ(backend().QueryOutput(), OutputStatus::Restorable);
    EXPECT_FALSE(backend().PresentOutput(nullptr, 640, 480, 640));
    EXPECT_TRUE(backend().ReopenOutput());
    EXPECT_EQ(backend().QueryOutput(), OutputStatus::Ok);
    EXPECT_TRUE(backend().PresentOutput(nullptr, 640, 480, 640));

    // Taking the display with a new output works the same way: not while lost, once restorable.
    backend().CloseOutput();
    EXPECT_FALSE(backend().OpenOutput({800, 600, 60}, &error));
    EXPECT_EQ(error, "the display is lost");
    EXPECT_FALSE(backend().PresentOutput(nullptr, 800, 600, 800));
    EXPECT_TRUE(backend().OpenOutput({800, 600, 60}, &error));
    EXPECT_TRUE(backend().PresentOutput(nullptr, 800, 600, 800));
}

TEST_F(VirtualBackendTest, DialogAndOutputTakeTheirOwnEvents) {
    ASSERT_TRUE(Init({{"OSTRIVAN_SCRIPT", WriteScript("at 0 key Escape\ndialog key Tab\n")}}));
    std::string error;
    ASSERT_TRUE(backend().OpenDialogWindow(200, 100, "Ostrivan", &error));
    InputEvent event;
    ASSERT_TRUE(backend().PollEvent(&event));
    EXPECT_EQ(event.target, EventTarget::Dialog);
    EXPECT_EQ(event.vk, unsigned{VK_TAB});
    ASSERT_TRUE(backend().PollEvent(&event));
    EXPECT_FALSE(backend().PollEvent(&event));
    backend().WaitForEvent();
    ASSERT_TRUE(backend().PollEvent(&event));
    EXPECT_EQ(event.kind, EventKind::KeyDown);
    EXPECT_EQ(event.vk, unsigned{VK_RETURN});
    ASSERT_TRUE(backend().PollEvent(&event));
    backend().CloseDialogWindow();

    ASSERT_TRUE(backend().OpenOutput({640, 480, 60}, &error));
    ASSERT_TRUE(backend().PollEvent(&event));
    EXPECT_EQ(event.target, EventTarget::Output);
    EXPECT_EQ(event.vk, unsigned{VK_ESCAPE});
}

TEST_F(VirtualBackendTest, MessageBoxIsOneLineOnStandardError) {
    ASSERT_TRUE(Init({}));
    testing::internal::CaptureStderr();
    const int first = backend().ShowMessageBox("Error", "Failed CreateDevice", MB_ICONERROR);
    const int second = backend().ShowMessageBox("Note", "two\r\nlines", MB_OK);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Error: Failed CreateDevice\nNote: two  lines\n");
    EXPECT_EQ(first, IDOK);
    EXPECT_EQ(second, IDOK);
}

TEST_F(VirtualBackendTest, InjectedFailuresAndRecordedState) {
    ASSERT_TRUE(Init({{"OSTRIVAN_VIRTUAL_FAIL", "GetDC@1,Direct3DCreate9"}}));
    EXPECT_FALSE(backend().ShouldFail("GetDC"));
    EXPECT_TRUE(backend().ShouldFail("GetDC"));
    EXPECT_FALSE(backend().ShouldFail("GetDC"));
    EXPECT_TRUE(backend().ShouldFail("Direct3DCreate9"));
    EXPECT_FALSE(backend().ShouldFail("Present"));

    backend().SetCursorVisible(false);
    backend().SetScreensaverInhibited(true);
    backend().SetTextInputEnabled(false);
    const virtual_display::Observed observed = virtual_display::Observe();
    EXPECT_FALSE(observed.cursorVisible);
    EXPECT_TRUE(observed.screensaverInhibited);
    EXPECT_FALSE(observed.textInputEnabled);
}

}  // namespace
}  // namespace platform
