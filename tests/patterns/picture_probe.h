// Probes for the captured frames of whole-program runs: the colours the
// patterns draw (after the 16-bit round trip) and pixel counts in rectangles.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/png_reader.h"
#include "tests/support/run_program.h"

namespace pattern_pictures {

using ostrivan_test::Picture;
using ostrivan_test::ProgramRun;
using ostrivan_test::Rgb;
using ostrivan_test::RunOptions;

// D3DCOLOR / COLORREF values as they come back from an R5G6B5 surface.
constexpr Rgb kDarkBlue{0, 65, 132};  // 0xff004080
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWarningRed{132, 0, 0};  // COLORREF 0x000080
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kGreen{0, 255, 0};
constexpr Rgb kBlue{0, 0, 255};

// Pixels in [x0, x1) x [y0, y1) for which match(colour) holds.
template <typename Match>
int CountPixels(const Picture& picture, int x0, int y0, int x1, int y1, Match match) {
    int count = 0;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            count += match(picture.at(x, y)) ? 1 : 0;
        }
    }
    return count;
}

inline auto Is(Rgb colour) {
    return [colour](Rgb c) { return c == colour; };
}

// Anti-aliased dark text on a light or coloured ground: every channel low.
inline bool IsDarkInk(Rgb c) { return c.r < 100 && c.g < 100 && c.b < 100; }

// Reddish text: red well above green and blue (the warning and its blended edges).
inline bool IsReddish(Rgb c) { return c.r > c.g + 50 && c.r > c.b + 50; }

// Smallest rectangle [left, right) x [top, bottom) holding every matching pixel of the area.
struct Box {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool empty() const { return right <= left; }
};

template <typename Match>
Box BoundingBox(const Picture& picture, int x0, int y0, int x1, int y1, Match match) {
    Box box{x1, y1, x0, y0};
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            if (match(picture.at(x, y))) {
                box.left = std::min(box.left, x);
                box.top = std::min(box.top, y);
                box.right = std::max(box.right, x + 1);
                box.bottom = std::max(box.bottom, y + 1);
            }
        }
    }
    return box;
}

// Runs the program headless, capturing the listed frames, and checks that it ended normally.
inline ProgramRun RunCapturing(std::vector<std::pair<std::string, std::string>> environment,
                               const std::string& script, const std::string& frames, int frameLimit) {
    RunOptions options;
    environment.emplace_back("OSTRIVAN_CAPTURE_FRAMES", frames);
    environment.emplace_back("OSTRIVAN_VIRTUAL_FRAMES", std::to_string(frameLimit));
    options.environment = std::move(environment);
    options.hasScript = !script.empty();
    options.script = script;
    ProgramRun run = ostrivan_test::RunProgram(options);
    EXPECT_TRUE(run.started) << run.error;
    EXPECT_FALSE(run.timedOut);
    EXPECT_EQ(run.exitCode, 0) << run.standardError;
    return run;
}

// A suite whose tests all read frames of one captured run, made once in the suite's
// SetUpTestSuite (Suite names the derived fixture, so each suite keeps its own run).
template <class Suite>
class CapturedRunSuite : public testing::Test {
protected:
    static void TearDownTestSuite() { run_.reset(); }
    static Picture Frame(int k) {
        Picture picture;
        EXPECT_TRUE(run_->ReadFrame(static_cast<std::uint64_t>(k), &picture));
        return picture;
    }
    static inline std::unique_ptr<ProgramRun> run_;
};

}  // namespace pattern_pictures
