// GDI text cost for the frame log at 1920 x 1080: the viewport's white fill, the log font made
// and selected, and 60 lines drawn with TextOutA into a plain R5G6B5 frame through a surface DC,
// beside the memory floor (setting and copying the same frame's bytes).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/gdi/surface_dc.h"
#include "platform/wingdi.h"

namespace {

constexpr int kWidth = 1920, kHeight = 1080;
constexpr std::size_t kFrameBytes = std::size_t{kWidth} * kHeight * sizeof(std::uint16_t);

// The frame log's layout for one full-screen viewport: rows of height / 30, characters of
// width / 60, two columns of 30 lines.
constexpr int kRowHeight = kHeight / 30, kCharWidth = kWidth / 60;

struct LogLines {
    char text[60][64];
    int length[60];
    // `filled` lines hold text as in steady running; the rest are empty, as the ring keeps them.
    explicit LogLines(int filled) {
        for (int i = 0; i < 60; ++i) {
            length[i] = i < filled ? std::snprintf(text[i], sizeof text[i], "%05d 00:01:%02d.%03d fps:60.0", 42 + i, i % 60,
                                                   (i * 17) % 1000)
                                   : 0;
            if (i >= filled) {
                text[i][0] = '\0';
            }
        }
    }
};

void DrawLog(HDC dc, const LogLines& lines) {
    HBRUSH white = CreateSolidBrush(0x00FFFFFF);
    const RECT all{0, 0, kWidth, kHeight};
    FillRect(dc, &all, white);
    DeleteObject(white);
    HFONT font = CreateFontA(kRowHeight, kCharWidth, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET,
                             OUT_TT_ONLY_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, FIXED_PITCH | FF_MODERN,
                             nullptr);
    HGDIOBJ previous = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, 0);
    for (int i = 0; i < 60; ++i) {
        const int column = i < 30 ? 0 : kWidth / 2;
        TextOutA(dc, column + kCharWidth, (i % 30) * kRowHeight, lines.text[i], lines.length[i]);
    }
    SelectObject(dc, previous);
    DeleteObject(font);
}

void RunLog(benchmark::State& state, int filled) {
    std::vector<std::uint16_t> frame(kFrameBytes / sizeof(std::uint16_t));
    const LogLines lines(filled);
    for (auto _ : state) {
        HDC dc = platform::CreateSurfaceDC({frame.data(), kWidth, kHeight, kWidth});
        DrawLog(dc, lines);
        platform::DeleteSurfaceDC(dc);
        benchmark::DoNotOptimize(frame.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(kFrameBytes));
}

// Steady running: 30 lines of text and 30 empty ones.
void BM_FrameLog_1920x1080(benchmark::State& state) { RunLog(state, 30); }
// Every line full, the most text a frame of the log can hold.
void BM_FrameLogAllLines_1920x1080(benchmark::State& state) { RunLog(state, 60); }

void BM_FloorMemset_1920x1080(benchmark::State& state) {
    std::vector<std::uint8_t> frame(kFrameBytes);
    for (auto _ : state) {
        std::memset(frame.data(), 0xFF, frame.size());
        benchmark::DoNotOptimize(frame.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(kFrameBytes));
}

void BM_FloorMemcpy_1920x1080(benchmark::State& state) {
    std::vector<std::uint8_t> source(kFrameBytes, 0x5A), target(kFrameBytes);
    for (auto _ : state) {
        std::memcpy(target.data(), source.data(), target.size());
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(kFrameBytes));
}

BENCHMARK(BM_FrameLog_1920x1080)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FrameLogAllLines_1920x1080)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FloorMemset_1920x1080)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FloorMemcpy_1920x1080)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
