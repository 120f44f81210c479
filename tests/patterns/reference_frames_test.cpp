// Whole frames compared with reference pictures the program produced and that
// were checked by eye: they catch what the probes cannot, the text itself.
// Regenerate with scripts/make_reference_frames.sh after a deliberate change.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/patterns/picture_probe.h"

namespace {

using namespace pattern_pictures;
namespace fs = std::filesystem;

TEST(ReferenceFrames, EveryPatternMatchesItsReference) {
    const fs::path directory = fs::path(OSTRIVAN_SOURCE_DIR) / "tests/patterns/reference";
    std::ifstream scriptFile(directory / "frames.script");
    ASSERT_TRUE(scriptFile.good()) << "cannot read " << (directory / "frames.script");
    std::stringstream script;
    script << scriptFile.rdbuf();

    // The frames to compare are named by the reference files themselves: frame-NNNNNN.png.
    std::vector<std::uint64_t> frames;
    std::string selection;
    std::uint64_t last = 0;
    for (const auto& entry : fs::directory_iterator(directory)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("frame-", 0) == 0 && entry.path().extension() == ".png") {
            frames.push_back(std::stoull(name.substr(6, 6)));
            selection += (selection.empty() ? "" : ",") + std::to_string(frames.back());
            last = std::max(last, frames.back());
        }
    }
    ASSERT_FALSE(frames.empty());

    const ProgramRun run = RunCapturing({}, script.str(), selection, static_cast<int>(last) + 1);
    for (std::uint64_t frame : frames) {
        Picture expected, actual;
        ASSERT_TRUE(ostrivan_test::ReadPng((directory / fs::path(run.FramePath(frame)).filename()).string(), &expected));
        ASSERT_TRUE(run.ReadFrame(frame, &actual));
        ASSERT_EQ(actual.width, expected.width);
        ASSERT_EQ(actual.height, expected.height);
        int count = 0;
        Box box{actual.width, actual.height, 0, 0};
        for (int y = 0; y < actual.height; ++y) {
            for (int x = 0; x < actual.width; ++x) {
                if (!(actual.at(x, y) == expected.at(x, y))) {
                    ++count;
                    box = Box{std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1),
                              std::max(box.bottom, y + 1)};
                }
            }
        }
        EXPECT_EQ(count, 0) << "frame " << frame << " differs from its reference in (" << box.left << ", " << box.top
                            << ") to (" << box.right << ", " << box.bottom
                            << "); set OSTRIVAN_TEST_KEEP=1 to keep the captured frames";
    }
}

}  // namespace
