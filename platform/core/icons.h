// The program's icons as the backends need them. Internal to the platform.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/win32_types.h"

namespace platform {

// Decodes the 32-bit image of size x size pixels from the group behind an icon
// that LoadIconA returned: *argb receives size * size pixels, 0xAARRGGBB, rows
// top-down. Returns false (and leaves *argb alone) for a handle LoadIconA did not
// make, a group without such an image, or an image that does not fit its data.
bool DecodeIconImage32(HICON icon, int size, std::vector<std::uint32_t>* argb);

}  // namespace platform
