#include "platform/core/pixels.h"

namespace platform {

void ExpandPictureToRgb(const std::uint16_t* pixels, int width, int height, int pitch, std::uint8_t* rgb) {
    for (int y = 0; y < height; ++y) {
        const std::uint16_t* row = pixels + static_cast<std::ptrdiff_t>(y) * pitch;
        for (int x = 0; x < width; ++x) {
            const Rgb8 c = ExpandR5G6B5(row[x]);
            *rgb++ = c.r;
            *rgb++ = c.g;
            *rgb++ = c.b;
        }
    }
}

}  // namespace platform
