// The clock dial pattern: a ring of 60 ticks around the viewport's centre,
// the tick at TickIndex lit, and four text rows inside the ring (frame
// counter, time code, frame rate, warning or viewport size).
#pragma once

#include <cstdint>

#include "patterns/viewport.h"

constexpr int kDialTicks = 60;
constexpr int kTickVertices = 6;
constexpr int kDialVertices = kDialTicks * kTickVertices;

// Centre and radius of the dial in a viewport: r is half the smaller side.
struct DialShape {
    std::int32_t cx;
    std::int32_t cy;
    std::int32_t r;
};

DialShape DialShapeOf(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height);

// Outer and inner radius of tick i on a dial of radius r; every fifth tick
// reaches twice as far in.
struct TickRadii {
    float outer;
    float inner;
};

TickRadii TickRadiiOf(std::int32_t r, int i);

// Fills the 360 vertices of the ring (six per tick, two triangles each),
// the tick numbered litTick white and the others black.
void BuildDialTicks(const DialShape& dial, std::uint32_t litTick, ScreenVertex vertices[kDialVertices]);

// Distance between the text rows: 6r/25, from r x 1.2 / 5.0 in double.
std::int32_t DialLineStep(std::int32_t r);

int DrawClockDial(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height);
