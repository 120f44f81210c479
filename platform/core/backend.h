// The backend contract: the one record through which the platform core
// reaches a display. A backend only reports modes, opens outputs, presents
// pixels, delivers input, shows message boxes and keeps the clock; every
// Windows semantic lives in the core, so the virtual backend exercises the
// same code a real display does.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

struct DisplayMode {
    unsigned width;
    unsigned height;
    unsigned refreshHz;  // 0 when unknown
};

// Which window an input event is for: the full-screen output of the device, or the modal dialog.
enum class EventTarget { Output, Dialog };

enum class EventKind {
    KeyDown,     // vk, alt, shift, repeat
    KeyUp,       // vk, alt, shift
    MouseDown,   // button, clicks, x, y (client pixels)
    MouseUp,     // button, x, y
    MouseMove,   // x, y
    Activate,    // the application gained focus
    Deactivate,  // the application lost focus
    Close,       // the window's close button (or a signal asking the program to end)
};

struct InputEvent {
    EventKind kind = EventKind::KeyDown;
    EventTarget target = EventTarget::Output;
    unsigned vk = 0;   // Windows virtual-key code
    bool alt = false;
    bool shift = false;
    bool repeat = false;
    int button = 0;  // 0 left, 1 right
    int clicks = 1;  // 2 for the second press of a double click
    int x = 0;
    int y = 0;
};

// What the output can do at the moment (drives TestCooperativeLevel).
enum class OutputStatus {
    Ok,          // presenting
    Lost,        // minimised, deactivated, gone: cannot be taken back yet
    Restorable,  // can be taken back: Reset may reopen it
};

struct Backend {
    const char* name;

    // Reads the environment and prepares the backend. Returns false with *error set for bad
    // settings (the caller prints it as one line and exits with code 2).
    bool (*Init)(std::string* error);
    void (*Shutdown)();

    // Microseconds on the backend's clock: CLOCK_MONOTONIC, or the virtual clock.
    std::uint64_t (*NowMicroseconds)();

    // False when no display can be reached (Direct3DCreate9 then returns null).
    bool (*HasDisplay)();
    // Every mode of the display, refresh variants included, in the display's own order.
    std::vector<DisplayMode> (*ListModes)();
    // The desktop's current mode; false when it cannot be read.
    bool (*GetDesktopMode)(DisplayMode* mode);

    // Takes over the screen at the mode's size; false with *error set when it cannot.
    bool (*OpenOutput)(const DisplayMode& mode, std::string* error);
    void (*CloseOutput)();
    // Shows one R5G6B5 frame (pitch in pixels) and waits for the next retrace, or one refresh
    // period where no retrace wait exists. pixels null: nothing is shown (the device is lost or
    // its Present failed) but the call still waits and still counts as a presented frame.
    // Returns false when the output is lost.
    bool (*PresentOutput)(const std::uint16_t* pixels, int width, int height, int pitch);
    OutputStatus (*QueryOutput)();
    // Takes the output back after a loss; false when it cannot yet.
    bool (*ReopenOutput)();

    // The modal dialog's window: a client area of the given size, titled, centred on the screen.
    bool (*OpenDialogWindow)(int width, int height, const char* title, std::string* error);
    // Shows the dialog's client picture (R5G6B5, pitch in pixels).
    void (*ShowDialogPicture)(const std::uint16_t* pixels, int width, int height, int pitch);
    void (*CloseDialogWindow)();

    // Takes the next input event without waiting; false when none is ready.
    bool (*PollEvent)(InputEvent* event);
    // Blocks until PollEvent has an event to give.
    void (*WaitForEvent)();

    // Shows a message box and returns when it is closed; returns IDOK.
    int (*ShowMessageBox)(const char* caption, const char* text, unsigned type);
    void (*SetCursorVisible)(bool visible);
    void (*SetScreensaverInhibited)(bool inhibited);
    void (*SetTextInputEnabled)(bool enabled);

    // Counts a call of the named Windows service and says whether it must fail now
    // (injected failures; always false on real displays).
    bool (*ShouldFail)(const char* callName);
};

// The backend chosen by OSTRIVAN_PLATFORM ("sdl", the default, or "virtual"). The first call
// chooses and initialises it; bad settings print one line to standard error and exit with code 2.
const Backend& CurrentBackend();

// Chooses and initialises the backend now (called first thing by main), so bad settings stop the
// program before anything else runs.
void StartPlatform();

}  // namespace platform
