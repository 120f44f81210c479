// Process preparation and the mode catalogue.
#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "app/run_state.h"
#include "setup/graphics_handles.h"
#include "setup/prepare_process.h"
#include "tests/setup/child_environment.h"

namespace {

TEST(PinToOneProcessor, KeepsTheLowestProcessor) {
    struct Case {
        DWORD_PTR mask;
        DWORD_PTR pinned;
    } cases[] = {
        {0x0000000F, 0x00000001},
        {0x0000000C, 0x00000004},
        {0x80000000, 0x80000000},
        {0x00000000, 0x00000000},  // nothing set: unchanged
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LowestProcessorMask(c.mask), c.pinned) << std::hex << c.mask;
    }
}

std::vector<Resolution> Sizes(std::initializer_list<Resolution> list) { return list; }

struct CatalogueCase {
    const char* modes;
    const char* desktop;
    std::vector<Resolution> catalogue;
    Resolution expectedDesktop;
};

TEST(PrepareProcess, BuildsTheCatalogueInAnyReportedOrder) {
    const CatalogueCase cases[] = {
        {"800x600@60,800x600@72,800x600@75", "800x600@60", Sizes({{800, 600}}), {800, 600}},
        {"1280x1024,1024x768,1280x720", "1024x768", Sizes({{1024, 768}, {1280, 720}, {1280, 1024}}), {1024, 768}},
        {"1280x720,1280x1024@75,1024x768,1280x1024@60", "1024x768",
         Sizes({{1024, 768}, {1280, 720}, {1280, 1024}}), {1024, 768}},
        // A desktop larger than every 16-bit mode is kept as it is, outside the catalogue.
        {"800x600,1024x768", "2560x1440@144", Sizes({{800, 600}, {1024, 768}}), {2560, 1440}},
    };
    for (const CatalogueCase& c : cases) {
        EXPECT_EXIT(
            {
                SetEnvironment({{"OSTRIVAN_VIRTUAL_MODES", c.modes}, {"OSTRIVAN_VIRTUAL_DESKTOP", c.desktop}});
                CHILD_CHECK(PrepareProcess() == 1);
                CHILD_CHECK(g_ModeCatalogue == c.catalogue);
                CHILD_CHECK(g_RunState.Desktop == c.expectedDesktop);
                CHILD_CHECK(g_Graphics.direct3d != nullptr);
                std::_Exit(0);
            },
            ::testing::ExitedWithCode(0), "")
            << c.modes;
    }
}

TEST(PrepareProcess, FailuresShowTheirMessageAndReleaseTheDirect3DObject) {
    struct Case {
        const char* fail;
        const char* modes;
        const char* message;
    } cases[] = {
        {"GetProcessAffinityMask", nullptr, "Error: Failed GetProcessAffinityMask\n"},
        {"Direct3DCreate9", nullptr, "Error: Failed Direct3DCreate9\n"},
        {nullptr, "", "Error: Failed GetAdapterModeCount\n"},
        {"GetAdapterDisplayMode", nullptr, "Error: Failed GetAdapterDisplayMode\n"},
        {"EnumAdapterModes@2", nullptr, "Error: Failed EnumAdapterModes\n"},  // after two good indices
    };
    for (const Case& c : cases) {
        EXPECT_EXIT(
            {
                SetEnvironment({{"OSTRIVAN_VIRTUAL_FAIL", c.fail}, {"OSTRIVAN_VIRTUAL_MODES", c.modes}});
                CHILD_CHECK(PrepareProcess() == 0);
                CHILD_CHECK(g_Graphics.direct3d == nullptr);
                CHILD_CHECK(g_ModeCatalogue.empty());
                std::_Exit(0);
            },
            ::testing::ExitedWithCode(0), c.message)
            << c.message;
    }
}

TEST(PrepareProcess, ReportsTheMasksAndPins) {
    EXPECT_EXIT(
        {
            CHILD_CHECK(PrepareProcess() == 1);
            DWORD_PTR process = 0;
            DWORD_PTR system = 0;
            CHILD_CHECK(GetProcessAffinityMask(GetCurrentProcess(), &process, &system));
            CHILD_CHECK(process != 0 && (process & (process - 1)) == 0);  // exactly one processor
            std::_Exit(0);
        },
        ::testing::ExitedWithCode(0),
        "ProcessAffinityMask:[0-9A-F]{8}, SystemAffinityMask:[0-9A-F]{8}\r\n"
        "ProcessAffinityMask:[0-9A-F]{8}, SystemAffinityMask:[0-9A-F]{8}\r\n");
}

}  // namespace

namespace {

TEST(ReadFileVersion, ReadsMajorAndMinorFromTheExecutable) {
    // Every test program carries the same version block as the tool itself.
    g_RunState.VersionMajor = 0;
    g_RunState.VersionMinor = 0;
    ReadFileVersion();
    EXPECT_EQ(g_RunState.VersionMajor, 1u);
    EXPECT_EQ(g_RunState.VersionMinor, 4u);
}

}  // namespace
