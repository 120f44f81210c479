// Device contexts on surfaces: how a Direct3D surface (or the dialog's
// picture) lends its pixels to GDI drawing.
#pragma once

#include <cstdint>

#include "platform/win32_types.h"

namespace platform {

// Pixels a DC draws into: R5G6B5, pitch in pixels. The memory stays owned by the caller and must
// outlive the DC.
struct PixelTarget {
    std::uint16_t* pixels;
    int width;
    int height;
    int pitch;
};

// A DC drawing into the target, in GDI's starting state: the default font, black text, OPAQUE
// background mode with a white background colour. Never fails for a valid target.
HDC CreateSurfaceDC(const PixelTarget& target);
// Ends the DC. Objects selected into it are deselected, not deleted.
void DeleteSurfaceDC(HDC dc);

}  // namespace platform
