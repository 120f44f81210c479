#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "platform/virtual/settings.h"

namespace platform::virtual_display {
namespace {

bool Read(const std::map<std::string, std::string>& variables, Settings* settings, std::string* error) {
    return ReadSettings(
        [&variables](const char* name) {
            const auto found = variables.find(name);
            return found == variables.end() ? nullptr : found->second.c_str();
        },
        settings, error);
}

bool SameModes(const std::vector<DisplayMode>& a, const std::vector<DisplayMode>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const DisplayMode& x, const DisplayMode& y) {
        return x.width == y.width && x.height == y.height && x.refreshHz == y.refreshHz;
    });
}

TEST(VirtualSettings, DefaultsWhenNothingIsSet) {
    Settings settings;
    std::string error;
    ASSERT_TRUE(Read({}, &settings, &error)) << error;
    EXPECT_TRUE(SameModes(settings.modes, {{800, 600, 60},
                                           {1024, 768, 60},
                                           {1280, 720, 60},
                                           {1280, 1024, 60},
                                           {1920, 1080, 60},
                                           {2048, 768, 60}}));
    EXPECT_EQ(settings.desktop.width, 1024u);
    EXPECT_EQ(settings.desktop.height, 768u);
    EXPECT_EQ(settings.desktop.refreshHz, 60u);
    EXPECT_EQ(settings.clockStartMs, 0u);
    EXPECT_EQ(settings.frameLimit, 600u);
    EXPECT_TRUE(settings.scriptPath.empty());
    EXPECT_TRUE(settings.captureDir.empty());
    EXPECT_TRUE(settings.captureFrames.Contains(0));
    EXPECT_TRUE(settings.captureFrames.Contains(123456));
    EXPECT_TRUE(settings.failures.empty());
}

TEST(VirtualSettings, ModeListsAreKeptAsGiven) {
    struct Case {
        const char* text;
        std::vector<DisplayMode> modes;
    };
    const Case cases[] = {
        {"", {}},
        {"640x480", {{640, 480, 60}}},
        {"1024x768@75,640x480,1024x768@75", {{1024, 768, 75}, {640, 480, 60}, {1024, 768, 75}}},
        {"1x1@1, 16384x16384@1000", {{1, 1, 1}, {16384, 16384, 1000}}},
    };
    for (const Case& c : cases) {
        Settings settings;
        std::string error;
        ASSERT_TRUE(Read({{"OSTRIVAN_VIRTUAL_MODES", c.text}}, &settings, &error)) << c.text << ": " << error;
        EXPECT_TRUE(SameModes(settings.modes, c.modes)) << c.text;
    }
}

TEST(VirtualSettings, GoodValuesOfTheOtherVariables) {
    Settings settings;
    std::string error;
    ASSERT_TRUE(Read({{"OSTRIVAN_VIRTUAL_DESKTOP", "1920x1080@144"},
                      {"OSTRIVAN_VIRTUAL_CLOCK", "4294967295"},
                      {"OSTRIVAN_VIRTUAL_FRAMES", "1"},
                      {"OSTRIVAN_SCRIPT", "/some/script"},
                      {"OSTRIVAN_CAPTURE", "/some/dir"},
                      {"OSTRIVAN_CAPTURE_FRAMES", "0,5,10-20"},
                      {"OSTRIVAN_VIRTUAL_FAIL", "CreateDevice,Present@3"}},
                     &settings, &error))
        << error;
    EXPECT_EQ(settings.desktop.refreshHz, 144u);
    EXPECT_EQ(settings.clockStartMs, 4294967295u);
    EXPECT_EQ(settings.frameLimit, 1u);
    EXPECT_EQ(settings.scriptPath, "/some/script");
    EXPECT_EQ(settings.captureDir, "/some/dir");
    for (std::uint64_t frame : {0, 5, 10, 15, 20}) {
        EXPECT_TRUE(settings.captureFrames.Contains(frame)) << frame;
    }
    for (std::uint64_t frame : {1, 4, 6, 9, 21}) {
        EXPECT_FALSE(settings.captureFrames.Contains(frame)) << frame;
    }
    ASSERT_EQ(settings.failures.size(), 2u);
    EXPECT_EQ(settings.failures[0].name, "CreateDevice");
    EXPECT_TRUE(settings.failures[0].everyCall);
    EXPECT_EQ(settings.failures[1].name, "Present");
    EXPECT_FALSE(settings.failures[1].everyCall);
    EXPECT_EQ(settings.failures[1].callIndex, 3u);
}

TEST(VirtualSettings, EmptyVariablesOtherThanModesMeanUnset) {
    Settings settings;
    std::string error;
    ASSERT_TRUE(Read({{"OSTRIVAN_VIRTUAL_DESKTOP", ""},
                      {"OSTRIVAN_VIRTUAL_CLOCK", ""},
                      {"OSTRIVAN_VIRTUAL_FRAMES", ""},
                      {"OSTRIVAN_CAPTURE_FRAMES", ""},
                      {"OSTRIVAN_VIRTUAL_FAIL", ""}},
                     &settings, &error))
        << error;
    EXPECT_EQ(settings.desktop.width, 1024u);
    EXPECT_EQ(settings.frameLimit, 600u);
    EXPECT_TRUE(settings.captureFrames.Contains(7));
    EXPECT_TRUE(settings.failures.empty());
}

TEST(VirtualSettings, BadValuesAreRejectedNamingTheVariable) {
    struct Case {
        const char* variable;
        const char* value;
        const char* expected;  // the whole one-line message
    };
    const Case cases[] = {
        {"OSTRIVAN_VIRTUAL_MODES", "800x", "OSTRIVAN_VIRTUAL_MODES: '800x' is not WxH or WxH@HZ"},
        {"OSTRIVAN_VIRTUAL_MODES", "x600", "OSTRIVAN_VIRTUAL_MODES: 'x600' is not WxH or WxH@HZ"},
        {"OSTRIVAN_VIRTUAL_MODES", "800*600", "OSTRIVAN_VIRTUAL_MODES: '800*600' is not WxH or WxH@HZ"},
        {"OSTRIVAN_VIRTUAL_MODES", "800x600@", "OSTRIVAN_VIRTUAL_MODES: '800x600@' is not WxH or WxH@HZ"},
        {"OSTRIVAN_VIRTUAL_MODES", "800x600,", "OSTRIVAN_VIRTUAL_MODES: '' is not WxH or WxH@HZ"},
        {"OSTRIVAN_VIRTUAL_MODES", "-800x600", "OSTRIVAN_VIRTUAL_MODES: '-800x600' is not WxH or WxH@HZ"},
        {"OSTRIVAN_VIRTUAL_MODES", "0x600", "OSTRIVAN_VIRTUAL_MODES: '0x600' has a size outside 1..16384"},
        {"OSTRIVAN_VIRTUAL_MODES", "800x16385", "OSTRIVAN_VIRTUAL_MODES: '800x16385' has a size outside 1..16384"},
        {"OSTRIVAN_VIRTUAL_MODES", "800x99999999999999999999",
         "OSTRIVAN_VIRTUAL_MODES: '800x99999999999999999999' has a size outside 1..16384"},
        {"OSTRIVAN_VIRTUAL_MODES", "800x600@0", "OSTRIVAN_VIRTUAL_MODES: '800x600@0' has a refresh rate outside 1..1000"},
        {"OSTRIVAN_VIRTUAL_MODES", "800x600@1001",
         "OSTRIVAN_VIRTUAL_MODES: '800x600@1001' has a refresh rate outside 1..1000"},
        {"OSTRIVAN_VIRTUAL_DESKTOP", "1024x768,800x600",
         "OSTRIVAN_VIRTUAL_DESKTOP: '1024x768,800x600' is not WxH or WxH@HZ"},
        {"OSTRIVAN_VIRTUAL_CLOCK", "4294967296",
         "OSTRIVAN_VIRTUAL_CLOCK: '4294967296' is not a number of ms from 0 to 4294967295"},
        {"OSTRIVAN_VIRTUAL_CLOCK", "-1", "OSTRIVAN_VIRTUAL_CLOCK: '-1' is not a number of ms from 0 to 4294967295"},
        {"OSTRIVAN_VIRTUAL_FRAMES", "0", "OSTRIVAN_VIRTUAL_FRAMES: '0' is not a positive whole number"},
        {"OSTRIVAN_VIRTUAL_FRAMES", "ten", "OSTRIVAN_VIRTUAL_FRAMES: 'ten' is not a positive whole number"},
        {"OSTRIVAN_CAPTURE_FRAMES", "5,a", "OSTRIVAN_CAPTURE_FRAMES: 'a' is not a frame number N or a range N-M"},
        {"OSTRIVAN_CAPTURE_FRAMES", "3-", "OSTRIVAN_CAPTURE_FRAMES: '3-' is not a frame number N or a range N-M"},
        {"OSTRIVAN_CAPTURE_FRAMES", "1-2-3", "OSTRIVAN_CAPTURE_FRAMES: '1-2-3' is not a frame number N or a range N-M"},
        {"OSTRIVAN_CAPTURE_FRAMES", "20-10", "OSTRIVAN_CAPTURE_FRAMES: range '20-10' ends before it starts"},
        {"OSTRIVAN_VIRTUAL_FAIL", "CreateSurface", "OSTRIVAN_VIRTUAL_FAIL: unknown call 'CreateSurface'"},
        {"OSTRIVAN_VIRTUAL_FAIL", "present", "OSTRIVAN_VIRTUAL_FAIL: unknown call 'present'"},
        {"OSTRIVAN_VIRTUAL_FAIL", "Present@", "OSTRIVAN_VIRTUAL_FAIL: 'Present@' needs a call number after '@'"},
        {"OSTRIVAN_VIRTUAL_FAIL", "Present@x", "OSTRIVAN_VIRTUAL_FAIL: 'Present@x' needs a call number after '@'"},
        {"OSTRIVAN_VIRTUAL_FAIL", "Present,,GetDC", "OSTRIVAN_VIRTUAL_FAIL: '' is not Name or Name@K"},
    };
    for (const Case& c : cases) {
        Settings settings;
        std::string error;
        EXPECT_FALSE(Read({{c.variable, c.value}}, &settings, &error)) << c.variable << "=" << c.value;
        EXPECT_EQ(error, c.expected);
    }
}

}  // namespace
}  // namespace platform::virtual_display
