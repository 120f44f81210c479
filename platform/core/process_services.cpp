// KERNEL32's process services on Linux: processor affinity through
// sched_getaffinity/sched_setaffinity, debug output to standard error, and
// the thread execution state as screensaver inhibition.
#include <sched.h>
#include <unistd.h>

#include <cstdio>

#include "platform/core/backend.h"
#include "platform/kernel32.h"

namespace {

// Processors beyond the mask's width cannot be named in a DWORD_PTR, as on Windows.
constexpr int kMaskBits = static_cast<int>(sizeof(DWORD_PTR) * 8);

DWORD g_executionState = ES_CONTINUOUS;

}  // namespace

HANDLE GetCurrentProcess() { return reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(-1)); }

BOOL GetProcessAffinityMask(HANDLE process, DWORD_PTR* processMask, DWORD_PTR* systemMask) {
    if (platform::CurrentBackend().ShouldFail("GetProcessAffinityMask")) {
        return FALSE;
    }
    if (process != GetCurrentProcess() || processMask == nullptr || systemMask == nullptr) {
        return FALSE;
    }
    cpu_set_t set;
    CPU_ZERO(&set);
    if (sched_getaffinity(0, sizeof set, &set) != 0) {
        return FALSE;
    }
    DWORD_PTR mine = 0, all = 0;
    const long configured = sysconf(_SC_NPROCESSORS_CONF);
    for (int cpu = 0; cpu < kMaskBits; ++cpu) {
        if (CPU_ISSET(cpu, &set)) {
            mine |= DWORD_PTR{1} << cpu;
        }
        if (cpu < configured) {
            all |= DWORD_PTR{1} << cpu;
        }
    }
    *processMask = mine;
    *systemMask = all | mine;
    return TRUE;
}

BOOL SetProcessAffinityMask(HANDLE process, DWORD_PTR processMask) {
    if (process != GetCurrentProcess() || processMask == 0) {
        return FALSE;
    }
    cpu_set_t set;
    CPU_ZERO(&set);
    for (int cpu = 0; cpu < kMaskBits; ++cpu) {
        if ((processMask >> cpu) & 1) {
            CPU_SET(cpu, &set);
        }
    }
    return sched_setaffinity(0, sizeof set, &set) == 0 ? TRUE : FALSE;
}

void OutputDebugStringA(LPCSTR text) {
    if (text != nullptr) {
        std::fputs(text, stderr);
        std::fflush(stderr);
    }
}

DWORD SetThreadExecutionState(DWORD flags) {
    const DWORD previous = g_executionState;
    if ((flags & ES_CONTINUOUS) != 0) {
        g_executionState = flags;
        platform::CurrentBackend().SetScreensaverInhibited((flags & (ES_DISPLAY_REQUIRED | ES_SYSTEM_REQUIRED)) != 0);
    }
    return previous;
}

HMODULE GetModuleHandleA(LPCSTR moduleName) {
    // One module: the executable. Its handle only needs to be recognisable, never dereferenced.
    return moduleName == nullptr ? reinterpret_cast<HMODULE>(static_cast<std::uintptr_t>(0x400000)) : nullptr;
}
