#include "platform/sdl/key_map.h"

#include <SDL_keyboard.h>

#include "platform/user32.h"

namespace platform::sdl {

namespace {

struct KeyPair {
    SDL_Keycode keycode;
    unsigned vk;
};

const KeyPair kNamedKeys[] = {
    {SDLK_RETURN, VK_RETURN},   {SDLK_KP_ENTER, VK_RETURN}, {SDLK_ESCAPE, VK_ESCAPE},  {SDLK_SPACE, VK_SPACE},
    {SDLK_BACKSPACE, VK_BACK},  {SDLK_TAB, VK_TAB},         {SDLK_LEFT, VK_LEFT},      {SDLK_RIGHT, VK_RIGHT},
    {SDLK_UP, VK_UP},           {SDLK_DOWN, VK_DOWN},       {SDLK_HOME, VK_HOME},      {SDLK_END, VK_END},
    {SDLK_PAGEUP, VK_PRIOR},    {SDLK_PAGEDOWN, VK_NEXT},   {SDLK_DELETE, VK_DELETE},
};

}  // namespace

unsigned VirtualKeyFromKeycode(int keycode) {
    for (const KeyPair& pair : kNamedKeys) {
        if (pair.keycode == keycode) {
            return pair.vk;
        }
    }
    // Letters and digits: SDL's keycodes are the lower-case characters, virtual keys the upper-case.
    if (keycode >= SDLK_a && keycode <= SDLK_z) {
        return static_cast<unsigned>('A' + (keycode - SDLK_a));
    }
    if (keycode >= SDLK_0 && keycode <= SDLK_9) {
        return static_cast<unsigned>('0' + (keycode - SDLK_0));
    }
    // F1 to F12 are consecutive in both sets.
    if (keycode >= SDLK_F1 && keycode <= SDLK_F12) {
        return static_cast<unsigned>(VK_F1 + (keycode - SDLK_F1));
    }
    return 0;
}

bool MakeKeyEvent(int keycode, std::uint16_t modifiers, bool pressed, bool repeat, EventTarget target,
                  InputEvent* event) {
    const unsigned vk = VirtualKeyFromKeycode(keycode);
    if (vk == 0) {
        return false;
    }
    InputEvent made;
    made.kind = pressed ? EventKind::KeyDown : EventKind::KeyUp;
    made.target = target;
    made.vk = vk;
    made.alt = (modifiers & KMOD_ALT) != 0;
    made.shift = (modifiers & KMOD_SHIFT) != 0;
    made.repeat = pressed && repeat;
    *event = made;
    return true;
}

}  // namespace platform::sdl
