// PLACEHOLDER until the frame log pattern lands: only the ring's storage.
#include "patterns/frame_log.h"

char g_LogRing[kLogLines][kLogLineLength];

int DrawFrameLog(std::int32_t, std::int32_t, std::int32_t, std::int32_t) { return 1; }
