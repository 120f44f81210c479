// SDL's events as the core's input events: keys as virtual-key codes, mouse
// buttons, focus changes and closes, each for the window it belongs to. Events
// that only concern the backend (a minimised output, an exposed dialog, a reset
// renderer) are handled here and not passed on.
#include <csignal>
#include <ctime>

#include "platform/sdl/key_map.h"
#include "platform/sdl/sdl_internal.h"

namespace platform::sdl {

namespace {

// How long WaitForEvent sleeps in SDL before looking at a hangup again.
constexpr int kWakeMilliseconds = 100;

// Set by the SIGHUP handler; turned into SDL_QUIT outside it.
volatile std::sig_atomic_t g_hangup = 0;
bool g_hangupHandled = false;

// Taken from SDL but not yet given to the core: WaitForEvent's one-event buffer, and a request to
// end the program that arrived while no window was open to receive it.
struct PendingInput {
    bool has = false;
    InputEvent event;
    bool quit = false;
};
PendingInput g_pending;

void OnHangup(int) { g_hangup = 1; }

void DeliverHangup() {
    if (g_hangup != 0) {
        g_hangup = 0;
        SDL_Event quit{};
        quit.type = SDL_QUIT;
        SDL_PushEvent(&quit);
    }
}

bool TargetOf(std::uint32_t windowId, EventTarget* target) {
    if (windowId != 0 && windowId == DialogWindowId()) {
        *target = EventTarget::Dialog;
        return true;
    }
    if (windowId != 0 && windowId == OutputWindowId()) {
        *target = EventTarget::Output;
        return true;
    }
    return false;
}

// The window a request to end the program closes: the dialog while it is open, else the output.
bool FrontTarget(EventTarget* target) {
    if (DialogWindowId() != 0) {
        *target = EventTarget::Dialog;
        return true;
    }
    if (OutputWindowId() != 0) {
        *target = EventTarget::Output;
        return true;
    }
    return false;
}

bool TakePendingQuit(InputEvent* event) {
    EventTarget target{};
    if (!g_pending.quit || !FrontTarget(&target)) {
        return false;
    }
    g_pending.quit = false;
    *event = InputEvent{};
    event->kind = EventKind::Close;
    event->target = target;
    return true;
}

bool TranslateKey(const SDL_KeyboardEvent& key, InputEvent* event) {
    EventTarget target{};
    // Without a window manager SDL may not know which window has the keyboard: such keys go to the
    // window in front.
    if (!TargetOf(key.windowID, &target) && (key.windowID != 0 || !FrontTarget(&target))) {
        return false;
    }
    return MakeKeyEvent(key.keysym.sym, key.keysym.mod, key.type == SDL_KEYDOWN, key.repeat != 0, target, event);
}

bool TranslateButton(const SDL_MouseButtonEvent& button, InputEvent* event) {
    EventTarget target{};
    if ((button.button != SDL_BUTTON_LEFT && button.button != SDL_BUTTON_RIGHT) || !TargetOf(button.windowID, &target)) {
        return false;
    }
    *event = InputEvent{};
    event->kind = button.type == SDL_MOUSEBUTTONDOWN ? EventKind::MouseDown : EventKind::MouseUp;
    event->target = target;
    event->button = button.button == SDL_BUTTON_LEFT ? 0 : 1;
    event->clicks = button.clicks > 0 ? button.clicks : 1;
    event->x = button.x;
    event->y = button.y;
    return true;
}

bool TranslateMotion(const SDL_MouseMotionEvent& motion, InputEvent* event) {
    EventTarget target{};
    if (!TargetOf(motion.windowID, &target)) {
        return false;
    }
    *event = InputEvent{};
    event->kind = EventKind::MouseMove;
    event->target = target;
    event->x = motion.x;
    event->y = motion.y;
    return true;
}

bool TranslateWindowEvent(const SDL_WindowEvent& window, InputEvent* event) {
    EventTarget target{};
    if (!TargetOf(window.windowID, &target)) {
        return false;
    }
    const bool output = target == EventTarget::Output;
    EventKind kind{};
    switch (window.event) {
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        if (output) {
            OnOutputFocus(true);
        }
        kind = EventKind::Activate;
        break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        if (output) {
            OnOutputFocus(false);
        }
        kind = EventKind::Deactivate;
        break;
    case SDL_WINDOWEVENT_CLOSE:
        kind = EventKind::Close;
        break;
    case SDL_WINDOWEVENT_MINIMIZED:
        if (output) {
            OnOutputMinimised();
        }
        return false;
    case SDL_WINDOWEVENT_EXPOSED:
        if (!output) {
            RedrawDialog();
        }
        return false;
    default:
        return false;
    }
    *event = InputEvent{};
    event->kind = kind;
    event->target = target;
    return true;
}

// Turns one SDL event into an input event; false when it gives none.
bool Translate(const SDL_Event& sdlEvent, InputEvent* event) {
    switch (sdlEvent.type) {
    case SDL_QUIT:  // the last window's close, or SIGINT, SIGTERM, SIGHUP
        g_pending.quit = true;
        return TakePendingQuit(event);
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        return TranslateKey(sdlEvent.key, event);
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        return TranslateButton(sdlEvent.button, event);
    case SDL_MOUSEMOTION:
        return TranslateMotion(sdlEvent.motion, event);
    case SDL_WINDOWEVENT:
        return TranslateWindowEvent(sdlEvent.window, event);
    case SDL_RENDER_TARGETS_RESET:
        OnRendererReset();
        RedrawDialog();
        return false;
    case SDL_RENDER_DEVICE_RESET:
        OnRendererReset();
        OnDialogRendererReset();
        RedrawDialog();
        return false;
    case SDL_DISPLAYEVENT:
        if (sdlEvent.display.event == SDL_DISPLAYEVENT_DISCONNECTED) {
            OnDisplaysChanged(true);
        }
        return false;
    default:
        return false;
    }
}

}  // namespace

bool PollEvent(InputEvent* event) {
    if (!DisplayAvailable()) {
        return false;
    }
    if (g_pending.has) {
        g_pending.has = false;
        *event = g_pending.event;
        return true;
    }
    if (TakePendingQuit(event)) {
        return true;
    }
    DeliverHangup();
    SDL_Event sdlEvent;
    while (SDL_PollEvent(&sdlEvent) != 0) {
        if (Translate(sdlEvent, event)) {
            return true;
        }
    }
    return false;
}

void WaitForEvent() {
    if (!DisplayAvailable()) {
        // Nothing can ever arrive; sleep a little so a caller's loop does not spin.
        const timespec pause{0, kWakeMilliseconds * 1'000'000L};
        nanosleep(&pause, nullptr);
        return;
    }
    while (!g_pending.has) {
        if (TakePendingQuit(&g_pending.event)) {
            g_pending.has = true;
            break;
        }
        DeliverHangup();
        SDL_Event sdlEvent;
        if (SDL_WaitEventTimeout(&sdlEvent, kWakeMilliseconds) != 0 && Translate(sdlEvent, &g_pending.event)) {
            g_pending.has = true;
        }
    }
}

void InstallHangupHandler() {
    // As SDL does for SIGINT and SIGTERM: only where nobody chose otherwise (nohup ignores SIGHUP).
    struct sigaction current {};
    if (sigaction(SIGHUP, nullptr, &current) != 0 || current.sa_handler != SIG_DFL) {
        return;
    }
    struct sigaction action {};
    action.sa_handler = OnHangup;
    sigemptyset(&action.sa_mask);
    g_hangupHandled = sigaction(SIGHUP, &action, nullptr) == 0;
}

void ResetEvents() {
    if (g_hangupHandled) {
        signal(SIGHUP, SIG_DFL);
        g_hangupHandled = false;
    }
    g_hangup = 0;
    g_pending = PendingInput{};
}

}  // namespace platform::sdl
