// The full-screen output: taking over the screen at a mode's size, presenting
// frames paced by the retrace, and the loss and recovery of the output.
//
// Sections: placement (which way a size takes over the screen), the renderer
// and its retrace, presenting and pacing, loss and recovery, open and close.
#include <cerrno>
#include <cstring>
#include <ctime>

#include "platform/core/icons.h"
#include "platform/core/resource_data.h"
#include "platform/sdl/retrace_grid.h"
#include "platform/sdl/sdl_internal.h"
#include "platform/user32.h"
#include "resources/resource_ids.h"

namespace platform::sdl {

namespace {

constexpr int kMainDisplay = 0;

// How a size takes over the screen: the desktop's own size without a mode switch, another size of
// the main display with one, the bounding size of several displays as one window over all of them.
enum class Placement { Desktop, ModeSwitch, Span };

// The full-screen output; OpenOutput fills it, CloseOutput empties it.
struct Output {
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr;
    DisplayMode mode{};
    Placement placement = Placement::Desktop;
    unsigned refreshHz = 0;         // the rate the screen runs at for this output (0: unknown)
    bool lost = false;              // since the last open: minimised, deactivated, reset or display gone
    bool focusLost = false;         // focus went elsewhere and has not come back
    bool waitsForRetrace = false;   // the renderer's present waits for a real retrace
    std::uint64_t measureStartNs = 0;  // the first present after (re)opening, to check the claim above
    std::uint64_t measuredFrames = 0;
};
Output g_output;
// Where presents wait when no real retrace can be waited for; kept while no output is open too,
// so a lost device's presents are paced as well.
RetraceGrid g_grid = StartRetraceGrid(0, 0);

// ---- Placement ----

bool SameRect(const SDL_Rect& a, const SDL_Rect& b) { return a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h; }

// Where an output of this size goes and how; false when the size has no place on the screen now.
bool PlaceOutput(const DisplayMode& mode, Placement* placement, SDL_Rect* area) {
    SDL_Rect main{}, desktop{};
    if (SDL_GetDisplayBounds(kMainDisplay, &main) != 0) {
        return false;
    }
    const int w = static_cast<int>(mode.width), h = static_cast<int>(mode.height);
    if (SDL_GetNumVideoDisplays() >= 2 && DesktopBounds(&desktop) && !SameRect(desktop, main) && desktop.w == w &&
        desktop.h == h) {
        *placement = Placement::Span;
        *area = desktop;
        return true;
    }
    DisplayMode current{};
    if (GetDesktopMode(&current) && current.width == mode.width && current.height == mode.height) {
        *placement = Placement::Desktop;
        *area = main;
        return true;
    }
    *placement = Placement::ModeSwitch;
    *area = SDL_Rect{main.x, main.y, w, h};
    return true;
}

// Makes the window cover its area: full screen on the main display, with or without a mode switch,
// or borderless over every display; notes the refresh rate the screen then runs at.
bool TakeOverScreen(const SDL_Rect& area, std::string* error) {
    SDL_Window* window = g_output.window;
    DisplayMode desktop{};
    g_output.refreshHz = GetDesktopMode(&desktop) ? desktop.refreshHz : 0;
    switch (g_output.placement) {
    case Placement::ModeSwitch: {
        const SDL_DisplayMode wanted{0, area.w, area.h, static_cast<int>(g_output.mode.refreshHz), nullptr};
        SDL_DisplayMode closest{};
        // Only the exact size will do: a larger mode would show the frames stretched.
        if (SDL_GetClosestDisplayMode(kMainDisplay, &wanted, &closest) == nullptr || closest.w != area.w ||
            closest.h != area.h) {
            *error = "the display has no " + std::to_string(area.w) + "x" + std::to_string(area.h) + " mode";
            return false;
        }
        if (SDL_SetWindowDisplayMode(window, &closest) != 0 || SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN) != 0) {
            *error = std::string("cannot switch the display to the output's mode: ") + SDL_GetError();
            return false;
        }
        g_output.refreshHz = static_cast<unsigned>(closest.refresh_rate > 0 ? closest.refresh_rate : 0);
        break;
    }
    case Placement::Desktop:
        if (SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN_DESKTOP) != 0) {
            *error = std::string("cannot make the output full screen: ") + SDL_GetError();
            return false;
        }
        break;
    case Placement::Span:
        // Full screen is one display's; a borderless window on top covers them all.
        SDL_SetWindowPosition(window, area.x, area.y);
        SDL_SetWindowSize(window, area.w, area.h);
        SDL_SetWindowAlwaysOnTop(window, SDL_TRUE);
        break;
    }
    if (g_output.mode.refreshHz != 0) {
        g_output.refreshHz = g_output.mode.refreshHz;
    }
    SDL_RaiseWindow(window);
    return true;
}

// The program's icon on the output window (task bars and window switchers show it); the largest
// image the icon group has in 32 bits. Without it the window keeps the desktop's default icon.
void SetOutputIcon(SDL_Window* window) {
    constexpr int kIconSize = 48;
    std::vector<std::uint32_t> argb;
    if (!DecodeIconImage32(LoadIconA(nullptr, MAKEINTRESOURCEA(IDI_APP_ICON)), kIconSize, &argb)) {
        return;
    }
    SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormatFrom(argb.data(), kIconSize, kIconSize, 32, kIconSize * 4,
                                                           SDL_PIXELFORMAT_ARGB8888);
    if (icon != nullptr) {
        SDL_SetWindowIcon(window, icon);  // SDL copies the pixels
        SDL_FreeSurface(icon);
    }
}

// ---- The renderer and its retrace ----

// Whether presents wait for a real retrace. SDL says PRESENTVSYNC even where it only imitates one
// by sleeping whole milliseconds (16 ms at 60 Hz): always in the software renderer, and in OpenGL
// when the driver refused a swap interval (as under Xvfb).
bool RendererWaitsForRetrace(SDL_Renderer* renderer) {
    SDL_RendererInfo info{};
    if (SDL_GetRendererInfo(renderer, &info) != 0 || (info.flags & SDL_RENDERER_PRESENTVSYNC) == 0) {
        return false;
    }
    if (std::strcmp(info.name, "software") == 0) {
        return false;
    }
    if (std::strncmp(info.name, "opengl", 6) == 0) {
        return SDL_GL_GetSwapInterval() != 0;  // the renderer's context is current right after creation
    }
    return true;
}

bool CreateRenderer(std::string* error) {
    SDL_Renderer* renderer =
        SDL_CreateRenderer(g_output.window, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
    if (renderer == nullptr) {
        renderer = SDL_CreateRenderer(g_output.window, -1, SDL_RENDERER_SOFTWARE | SDL_RENDERER_PRESENTVSYNC);
    }
    if (renderer == nullptr) {
        *error = std::string("cannot create a renderer for the output: ") + SDL_GetError();
        return false;
    }
    g_output.renderer = renderer;
    g_output.waitsForRetrace = RendererWaitsForRetrace(renderer);
    if (!g_output.waitsForRetrace) {
        // Our own pacing keeps the exact period; SDL's whole-millisecond imitation would only add to it.
        SDL_RenderSetVSync(renderer, 0);
    }
    g_grid = StartRetraceGrid(MonotonicNs(), g_output.refreshHz);
    g_output.measuredFrames = 0;
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    SDL_RenderClear(renderer);
    return true;
}

void DestroyRenderer() {
    if (g_output.texture != nullptr) {
        SDL_DestroyTexture(g_output.texture);
        g_output.texture = nullptr;
    }
    if (g_output.renderer != nullptr) {
        SDL_DestroyRenderer(g_output.renderer);
        g_output.renderer = nullptr;
    }
}

// ---- Presenting and pacing ----

void SleepUntilNs(std::uint64_t deadlineNs) {
    const timespec deadline{static_cast<time_t>(deadlineNs / 1'000'000'000u), static_cast<long>(deadlineNs % 1'000'000'000u)};
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &deadline, nullptr) == EINTR) {
    }
}

void WaitOneSimulatedRetrace() { SleepUntilNs(NextRetraceNs(&g_grid, MonotonicNs())); }

// A renderer that claims to wait for the retrace but presents far faster than the refresh rate
// does not: from then on the output paces itself.
void CheckRetraceClaim() {
    const std::uint64_t now = MonotonicNs();
    if (g_output.measuredFrames == 0) {
        g_output.measureStartNs = now;
    } else if (g_output.measuredFrames == kOutrunFrames &&
               PresentsOutrunRetrace(now - g_output.measureStartNs, kOutrunFrames, g_output.refreshHz)) {
        g_output.waitsForRetrace = false;
        g_grid = StartRetraceGrid(now, g_output.refreshHz);
    }
    ++g_output.measuredFrames;
}

// Shows the texture and waits for the retrace, real or simulated.
void ShowTexture() {
    SDL_RenderCopy(g_output.renderer, g_output.texture, nullptr, nullptr);
    SDL_RenderPresent(g_output.renderer);
    if (g_output.waitsForRetrace) {
        CheckRetraceClaim();
    } else {
        WaitOneSimulatedRetrace();
    }
}

// ---- Loss and recovery ----

bool Minimised() { return (SDL_GetWindowFlags(g_output.window) & SDL_WINDOW_MINIMIZED) != 0; }

// Whether the output can be taken back now: shown, focused, and its size still has its place.
bool CanTakeBack() {
    Placement placement{};
    SDL_Rect area{};
    return !Minimised() && !g_output.focusLost && PlaceOutput(g_output.mode, &placement, &area) &&
           placement == g_output.placement;
}

}  // namespace

// ---- Open and close ----

bool OpenOutput(const DisplayMode& mode, std::string* error) {
    CloseOutput();
    if (!DisplayAvailable()) {
        *error = NoDisplayReason();
        return false;
    }
    if (mode.width == 0 || mode.height == 0 || mode.width > 16384 || mode.height > 16384) {
        *error = "the output needs a size the display can have";
        return false;
    }
    SDL_Rect area{};
    g_output.mode = mode;
    if (!PlaceOutput(mode, &g_output.placement, &area)) {
        *error = std::string("cannot read the display's bounds: ") + SDL_GetError();
        return false;
    }
    // Giving up the screen on focus loss only matters when the display's mode was switched.
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, g_output.placement == Placement::ModeSwitch ? "1" : "0");
    const char* title = resources::FindString(IDS_APP_TITLE);
    // Created at the output's own size and place: under X without a window manager a full-screen
    // window keeps the size it was created with.
    g_output.window = SDL_CreateWindow(title != nullptr ? title : "Ostrivan", area.x, area.y, area.w, area.h,
                                       SDL_WINDOW_BORDERLESS);
    if (g_output.window == nullptr) {
        *error = std::string("cannot create the output window: ") + SDL_GetError();
        CloseOutput();
        return false;
    }
    SetOutputIcon(g_output.window);
    if (!TakeOverScreen(area, error) || !CreateRenderer(error)) {
        CloseOutput();
        return false;
    }
    return true;
}

void CloseOutput() {
    DestroyRenderer();
    if (g_output.window != nullptr) {
        SDL_DestroyWindow(g_output.window);
    }
    g_output = Output{};
    g_grid = StartRetraceGrid(MonotonicNs(), 0);
}

bool PresentOutput(const std::uint16_t* pixels, int width, int height, int pitch) {
    if (g_output.window == nullptr || g_output.renderer == nullptr) {
        WaitOneSimulatedRetrace();
        return false;
    }
    if (Minimised()) {
        g_output.lost = true;
    }
    if (g_output.lost) {
        WaitOneSimulatedRetrace();
        return false;
    }
    if (pixels != nullptr && width > 0 && height > 0) {
        if (!EnsureStreamingTexture(g_output.renderer, &g_output.texture, width, height) ||
            !UploadPicture(g_output.texture, pixels, width, height, pitch)) {
            // A renderer that cannot take a frame is as good as reset: Reset builds a new one.
            g_output.lost = true;
            WaitOneSimulatedRetrace();
            return false;
        }
    }
    if (g_output.texture != nullptr) {
        ShowTexture();  // nothing new for null pixels: the last frame again
    } else {
        WaitOneSimulatedRetrace();
    }
    return !g_output.lost;
}

OutputStatus QueryOutput() {
    if (g_output.window == nullptr) {
        return OutputStatus::Lost;
    }
    if (Minimised()) {
        g_output.lost = true;
    }
    if (!g_output.lost) {
        return OutputStatus::Ok;
    }
    return CanTakeBack() ? OutputStatus::Restorable : OutputStatus::Lost;
}

bool ReopenOutput() {
    const OutputStatus status = QueryOutput();
    if (status != OutputStatus::Restorable) {
        return status == OutputStatus::Ok;
    }
    DestroyRenderer();
    SDL_Rect area{};
    std::string error;
    if (!PlaceOutput(g_output.mode, &g_output.placement, &area) || !TakeOverScreen(area, &error) ||
        !CreateRenderer(&error)) {
        return false;
    }
    g_output.lost = false;
    return true;
}

std::string DescribeOutput() {
    if (g_output.renderer == nullptr) {
        return "no output";
    }
    SDL_RendererInfo info{};
    SDL_GetRendererInfo(g_output.renderer, &info);
    const char* placements[] = {"desktop", "mode switch", "span"};
    return std::string("renderer ") + (info.name != nullptr ? info.name : "?") + ", " +
           placements[static_cast<int>(g_output.placement)] + ", " +
           (g_output.waitsForRetrace ? "waits for the retrace" : "paces itself") + " at " +
           std::to_string(PacingRefreshHz(g_output.refreshHz)) + " Hz" +
           (g_output.refreshHz == 0 ? " (rate unknown)" : "");
}

std::uint32_t OutputWindowId() { return g_output.window != nullptr ? SDL_GetWindowID(g_output.window) : 0; }

void OnOutputMinimised() {
    if (g_output.window != nullptr) {
        g_output.lost = true;
    }
}

void OnOutputFocus(bool gained) {
    if (g_output.window == nullptr) {
        return;
    }
    g_output.focusLost = !gained;
    if (!gained) {
        g_output.lost = true;
    }
}

void OnRendererReset() {
    if (g_output.window != nullptr) {
        g_output.lost = true;
    }
}

void OnDisplaysChanged(bool removed) {
    if (g_output.window != nullptr && removed) {
        g_output.lost = true;
    }
}

}  // namespace platform::sdl
