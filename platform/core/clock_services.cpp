// WINMM's millisecond clock: the backend's microseconds (CLOCK_MONOTONIC, or
// the virtual clock) in whole milliseconds, truncated to 32 bits so it wraps
// as timeGetTime does.
#include "platform/core/backend.h"
#include "platform/winmm.h"

namespace {

int g_periodRequests = 0;

}  // namespace

DWORD timeGetTime() { return static_cast<DWORD>(platform::CurrentBackend().NowMicroseconds() / 1000); }

MMRESULT timeBeginPeriod(UINT periodMs) {
    // The clock already has 1 ms resolution; requests are only counted so each is matched.
    if (periodMs < 1 || periodMs > 1000) {
        return TIMERR_NOCANDO;
    }
    ++g_periodRequests;
    return TIMERR_NOERROR;
}

MMRESULT timeEndPeriod(UINT periodMs) {
    if (periodMs < 1 || periodMs > 1000 || g_periodRequests == 0) {
        return TIMERR_NOCANDO;
    }
    --g_periodRequests;
    return TIMERR_NOERROR;
}
