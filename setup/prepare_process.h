// Process preparation and the display mode catalogue: everything before the
// settings dialog.
#pragma once

#include <vector>

#include "app/run_state.h"
#include "platform/windows.h"

// The distinct sizes of the adapter's 16-bit modes, ascending. Program-wide; filled by PrepareProcess.
extern std::vector<Resolution> g_ModeCatalogue;

// Reads the executable's file version into VersionMajor and VersionMinor; leaves them at 0.0
// when there is none.
void ReadFileVersion();
// Pins the process to the lowest processor it may run on; raises StartupFailure when the masks
// cannot be read.
void PinToOneProcessor();
// The single-bit mask of the lowest set bit among bits 0..31, or the mask unchanged when none is set.
DWORD_PTR LowestProcessorMask(DWORD_PTR processMask);
// Version, affinity, Direct3D object, catalogue and desktop size. Returns 1, or 0 after an
// "Error" box, with the Direct3D object released.
int PrepareProcess();
