// The Windows GUI entry point: the whole life of the process on one thread.
#pragma once

#include "platform/windows.h"

int WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR commandLine, int showCommand);
