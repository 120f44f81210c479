// SDL keys to the Windows virtual-key codes the tool and the dialog manager
// expect. Pure: takes SDL's keycode and modifier bits as plain integers, so no
// SDL type leaves this folder.
#pragma once

#include <cstdint>

#include "platform/core/backend.h"

namespace platform::sdl {

// The virtual-key code for an SDL keycode (SDLK_*), or 0 for a key the tool has no use for.
unsigned VirtualKeyFromKeycode(int keycode);

// Builds the KeyDown (pressed) or KeyUp event for a key: the virtual-key code, alt and shift from
// SDL's modifier bits (KMOD_*), repeat for an auto-repeated press. Returns false, leaving *event
// alone, for a key with no virtual-key code.
bool MakeKeyEvent(int keycode, std::uint16_t modifiers, bool pressed, bool repeat, EventTarget target,
                  InputEvent* event);

}  // namespace platform::sdl
