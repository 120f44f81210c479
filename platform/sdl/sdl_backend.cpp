// The SDL backend's record and start-up: SDL's video subsystem, the decision
// whether a real display answers, and the small switches (cursor, screensaver,
// text input) the core passes through.
#include "platform/sdl/sdl_backend.h"

#include <cstdlib>
#include <cstring>
#include <ctime>

#include "platform/sdl/sdl_internal.h"

namespace platform::sdl {

namespace {

// Owned by Init and Shutdown: whether SDL's video is up on a real display, and why not.
struct VideoState {
    bool up = false;
    std::string noDisplayReason = "the display backend has not started";
};
VideoState g_video;

void SetStartHints() {
    // SIGINT and SIGTERM become SDL_QUIT, so a signal runs the tool's ordinary close path.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "0");
    // Closing one window is a close of that window, not of the program.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    // SDL switches the screensaver off by default; the tool decides that itself.
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
    // A click that activates a window still counts as a click, as on Windows.
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
}

// Whether a Wayland compositor could be found at all: libwayland looks for it in
// XDG_RUNTIME_DIR unless WAYLAND_DISPLAY is a full path.
bool WaylandFindable() {
    const char* display = std::getenv("WAYLAND_DISPLAY");
    const char* runtimeDir = std::getenv("XDG_RUNTIME_DIR");
    return (display != nullptr && display[0] == '/') || (runtimeDir != nullptr && runtimeDir[0] != '\0');
}

void ChooseVideoDrivers() {
    // Left to SDL unless a Wayland compositor cannot be found: then libwayland would only print a
    // complaint on standard error. offscreen and dummy are not asked for either: they show nothing.
    const char* chosen = std::getenv("SDL_VIDEODRIVER");
    if ((chosen == nullptr || chosen[0] == '\0') && !WaylandFindable()) {
        SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11,kmsdrm");
    }
}

bool Init(std::string* /*error*/) {
    g_video = VideoState{};
    SetStartHints();
    ChooseVideoDrivers();
    // No display is not a settings error: the backend starts without one and HasDisplay says so,
    // so Direct3DCreate9 fails and message boxes fall back to standard error.
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        g_video.noDisplayReason = std::string("SDL could not start its video: ") + SDL_GetError();
        return true;
    }
    // SDL falls back to these drivers silently when DISPLAY is unset or dead; they show nothing.
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver == nullptr || std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0) {
        g_video.noDisplayReason =
            std::string("no display: SDL chose the '") + (driver != nullptr ? driver : "unknown") + "' video driver";
        SDL_Quit();
        return true;
    }
    g_video.up = true;
    g_video.noDisplayReason.clear();
    InstallHangupHandler();
    return true;
}

void Shutdown() {
    if (g_video.up) {
        CloseOutput();
        CloseDialogWindow();
        SDL_ShowCursor(SDL_ENABLE);
        SDL_EnableScreenSaver();
        ResetEvents();
        SDL_Quit();
    }
    g_video = VideoState{};
}

std::uint64_t NowMicroseconds() { return MonotonicNs() / 1000; }

bool HasDisplay() { return g_video.up; }

void SetCursorVisible(bool visible) {
    if (g_video.up) {
        SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
    }
}

void SetScreensaverInhibited(bool inhibited) {
    if (g_video.up) {
        inhibited ? SDL_DisableScreenSaver() : SDL_EnableScreenSaver();
    }
}

void SetTextInputEnabled(bool enabled) {
    if (g_video.up) {
        enabled ? SDL_StartTextInput() : SDL_StopTextInput();
    }
}

// Failures are only injected on the virtual display.
bool ShouldFail(const char* /*callName*/) { return false; }

const Backend kSdlBackend = {
    .name = "sdl",
    .Init = Init,
    .Shutdown = Shutdown,
    .NowMicroseconds = NowMicroseconds,
    .HasDisplay = HasDisplay,
    .ListModes = ListModes,
    .GetDesktopMode = GetDesktopMode,
    .OpenOutput = OpenOutput,
    .CloseOutput = CloseOutput,
    .PresentOutput = PresentOutput,
    .QueryOutput = QueryOutput,
    .ReopenOutput = ReopenOutput,
    .OpenDialogWindow = OpenDialogWindow,
    .ShowDialogPicture = ShowDialogPicture,
    .CloseDialogWindow = CloseDialogWindow,
    .PollEvent = PollEvent,
    .WaitForEvent = WaitForEvent,
    .ShowMessageBox = ShowMessageBox,
    .SetCursorVisible = SetCursorVisible,
    .SetScreensaverInhibited = SetScreensaverInhibited,
    .SetTextInputEnabled = SetTextInputEnabled,
    .ShouldFail = ShouldFail,
};

}  // namespace

bool DisplayAvailable() { return g_video.up; }

const std::string& NoDisplayReason() { return g_video.noDisplayReason; }

std::uint64_t MonotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::uint64_t>(now.tv_sec) * 1'000'000'000u + static_cast<std::uint64_t>(now.tv_nsec);
}

}  // namespace platform::sdl

namespace platform {

const Backend& SdlBackend() { return sdl::kSdlBackend; }

}  // namespace platform
