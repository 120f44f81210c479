// The process entry around WinMain: the backend is chosen and started before
// WinMain runs (bad settings stop the program there with exit code 2) and shut
// down after it returns.
#pragma once

#include "platform/win32_types.h"

namespace platform {

void StartPlatform();
void StopPlatform();

}  // namespace platform
