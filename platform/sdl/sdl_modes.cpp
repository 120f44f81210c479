// The display's modes as the adapter offers them: every mode of display 0,
// and with two or more displays the bounding size of the whole desktop, so the
// span layouts can cover every display with one output.
#include "platform/sdl/sdl_internal.h"

namespace platform::sdl {

namespace {

constexpr int kMainDisplay = 0;

DisplayMode FromSdl(const SDL_DisplayMode& mode) {
    return DisplayMode{static_cast<unsigned>(mode.w), static_cast<unsigned>(mode.h),
                       static_cast<unsigned>(mode.refresh_rate > 0 ? mode.refresh_rate : 0)};
}

bool SameRect(const SDL_Rect& a, const SDL_Rect& b) { return a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h; }

}  // namespace

bool DesktopBounds(SDL_Rect* bounds) {
    const int displays = SDL_GetNumVideoDisplays();
    if (displays < 1) {
        return false;
    }
    SDL_Rect all{};
    for (int i = 0; i < displays; ++i) {
        SDL_Rect one{};
        if (SDL_GetDisplayBounds(i, &one) != 0) {
            return false;
        }
        if (i == 0) {
            all = one;
        } else {
            SDL_UnionRect(&all, &one, &all);
        }
    }
    *bounds = all;
    return true;
}

std::vector<DisplayMode> ListModes() {
    std::vector<DisplayMode> modes;
    if (!DisplayAvailable()) {
        return modes;
    }
    const int count = SDL_GetNumDisplayModes(kMainDisplay);
    for (int i = 0; i < count; ++i) {
        SDL_DisplayMode mode{};
        if (SDL_GetDisplayMode(kMainDisplay, i, &mode) == 0 && mode.w > 0 && mode.h > 0) {
            modes.push_back(FromSdl(mode));
        }
    }
    SDL_Rect desktop{}, main{};
    DisplayMode current{};
    if (SDL_GetNumVideoDisplays() >= 2 && DesktopBounds(&desktop) && SDL_GetDisplayBounds(kMainDisplay, &main) == 0 &&
        !SameRect(desktop, main) && GetDesktopMode(&current)) {
        modes.push_back(DisplayMode{static_cast<unsigned>(desktop.w), static_cast<unsigned>(desktop.h), current.refreshHz});
    }
    return modes;
}

bool GetDesktopMode(DisplayMode* mode) {
    SDL_DisplayMode desktop{};
    if (!DisplayAvailable() || SDL_GetDesktopDisplayMode(kMainDisplay, &desktop) != 0 || desktop.w <= 0 || desktop.h <= 0) {
        return false;
    }
    *mode = FromSdl(desktop);
    return true;
}

}  // namespace platform::sdl
