// WINMM: the millisecond clock and the timer resolution. Our own declarations.
#pragma once

#include "platform/win32_types.h"

using MMRESULT = UINT;
#define TIMERR_NOERROR 0
#define TIMERR_NOCANDO 97

// Milliseconds since an arbitrary start, unsigned 32-bit, wrapping after 2^32 ms.
DWORD timeGetTime();
// Raises the clock's resolution; every successful call needs its timeEndPeriod.
MMRESULT timeBeginPeriod(UINT periodMs);
MMRESULT timeEndPeriod(UINT periodMs);
