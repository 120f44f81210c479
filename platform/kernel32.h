// KERNEL32: processor affinity, debug output, module file name, string copy
// and length, and the thread execution state. Our own declarations.
#pragma once

#include "platform/win32_types.h"

#define MAX_PATH 260

#define ES_SYSTEM_REQUIRED 0x00000001u
#define ES_DISPLAY_REQUIRED 0x00000002u
#define ES_CONTINUOUS 0x80000000u

// A pseudo handle for the calling process.
HANDLE GetCurrentProcess();
// Masks of the processors the process may run on and the system has; FALSE when they cannot be read.
BOOL GetProcessAffinityMask(HANDLE process, DWORD_PTR* processMask, DWORD_PTR* systemMask);
// Restricts the process to the processors in the mask; FALSE when the system refuses.
BOOL SetProcessAffinityMask(HANDLE process, DWORD_PTR processMask);
// Writes the text to standard error as it stands.
void OutputDebugStringA(LPCSTR text);
// The running executable's full path (module must be null); returns its length, 0 on failure.
DWORD GetModuleFileNameA(HMODULE module, LPSTR buffer, DWORD size);
// Keeps display and system awake while ES_DISPLAY_REQUIRED / ES_SYSTEM_REQUIRED are set with
// ES_CONTINUOUS; ES_CONTINUOUS alone lifts it. Returns the previous state.
DWORD SetThreadExecutionState(DWORD flags);

LPSTR lstrcpyA(LPSTR destination, LPCSTR source);
int lstrlenA(LPCSTR text);

// The module handle of the executable (name must be null).
HMODULE GetModuleHandleA(LPCSTR moduleName);
