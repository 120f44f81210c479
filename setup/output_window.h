// The output window with its full-screen Direct3D device and offscreen surface.
#pragma once

#include "platform/windows.h"

// Registers the class, opens the popup window, the device and the offscreen surface, hides the
// cursor and keeps the display awake. Returns 1, or 0 after an "Error" box with everything
// released.
int CreateOutputWindow(HINSTANCE instance);
// Ends the keep-awake state and releases the surface, the device and the Direct3D object, in
// that order. Safe with any of them already gone. Returns 1.
int ReleaseGraphics();
