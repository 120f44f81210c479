// Message boxes: SDL's own on a display, one line on standard error without one
// (or when SDL cannot show it), so an error is never silent.
#include <cstdio>

#include "platform/sdl/sdl_internal.h"
#include "platform/user32.h"

namespace platform::sdl {

namespace {

constexpr unsigned kIconMask = 0xF0;
constexpr unsigned kIconWarning = 0x30;
constexpr unsigned kIconInformation = 0x40;

Uint32 BoxFlags(unsigned type) {
    switch (type & kIconMask) {
    case MB_ICONERROR:
        return SDL_MESSAGEBOX_ERROR;
    case kIconWarning:
        return SDL_MESSAGEBOX_WARNING;
    case kIconInformation:
        return SDL_MESSAGEBOX_INFORMATION;
    default:
        return 0;
    }
}

}  // namespace

int ShowMessageBox(const char* caption, const char* text, unsigned type) {
    caption = caption != nullptr ? caption : "";
    text = text != nullptr ? text : "";
    if (!DisplayAvailable() || SDL_ShowSimpleMessageBox(BoxFlags(type), caption, text, nullptr) != 0) {
        std::fprintf(stderr, "%s: %s\n", caption, text);
        std::fflush(stderr);
    }
    return IDOK;
}

}  // namespace platform::sdl
