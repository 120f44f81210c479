// The frame log pattern: one line of text per frame in a ring of 60 lines,
// shown as two columns of 30 on a white background.
#pragma once

#include <cstdint>

constexpr int kLogLines = 60;
constexpr int kLogLineLength = 1024;

// Written only by DrawFrameLog; emptied once at start-up. Lives for the whole run.
extern char g_LogRing[kLogLines][kLogLineLength];

int DrawFrameLog(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height);
