// IMM32: switching off the input method editor. Our own declaration.
#pragma once

#include "platform/win32_types.h"

// threadId (DWORD)-1 switches text input off for the whole process.
BOOL ImmDisableIME(DWORD threadId);
