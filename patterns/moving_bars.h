// The moving bars pattern: ten red, green and blue bars, each a twentieth of
// the viewport wide, moving one place right per frame, with the frame
// counter, time code and rate and a warning or size row centred at the top.
#pragma once

#include <cstdint>

#include "platform/d3d9.h"

constexpr int kBarPositions = 20;
constexpr int kBarsInBand = 10;

// The position (0..19) bar j of the band covers at frameCounter.
int BarPosition(std::uint32_t frameCounter, int j);

// Left and right edge of position d in a viewport starting at x: neighbouring
// positions share an edge, position 19 ends at x + width.
struct BarEdges {
    std::int32_t left;
    std::int32_t right;
};

BarEdges BarEdgesOf(std::int32_t x, std::int32_t width, int d);

// The colour of bar j at frameCounter: red, green or blue.
D3DCOLOR BarColour(std::uint32_t frameCounter, int j);

int DrawMovingBars(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height);
