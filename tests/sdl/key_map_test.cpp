#include "platform/sdl/key_map.h"

#include <SDL_keyboard.h>
#include <gtest/gtest.h>

#include "platform/user32.h"

namespace platform::sdl {
namespace {

struct KeyCase {
    SDL_Keycode keycode;
    unsigned vk;
};

TEST(KeyMap, SdlKeycodesBecomeVirtualKeys) {
    const KeyCase cases[] = {
        {SDLK_RETURN, VK_RETURN}, {SDLK_KP_ENTER, VK_RETURN}, {SDLK_ESCAPE, VK_ESCAPE}, {SDLK_SPACE, VK_SPACE},
        {SDLK_BACKSPACE, VK_BACK}, {SDLK_TAB, VK_TAB},        {SDLK_LEFT, VK_LEFT},     {SDLK_RIGHT, VK_RIGHT},
        {SDLK_UP, VK_UP},         {SDLK_DOWN, VK_DOWN},       {SDLK_HOME, VK_HOME},     {SDLK_END, VK_END},
        {SDLK_PAGEUP, VK_PRIOR},  {SDLK_PAGEDOWN, VK_NEXT},   {SDLK_DELETE, VK_DELETE}, {SDLK_F1, VK_F1},
        {SDLK_F4, VK_F4},         {SDLK_F12, VK_F12},         {SDLK_a, 'A'},            {SDLK_v, 'V'},
        {SDLK_z, 'Z'},            {SDLK_0, '0'},              {SDLK_9, '9'},
        // Keys the tool has no use for are skipped.
        {SDLK_F13, 0},            {SDLK_LALT, 0},             {SDLK_KP_4, 0},           {SDLK_SEMICOLON, 0},
        {SDLK_UNKNOWN, 0},        {'A', 0},
    };
    for (const KeyCase& c : cases) {
        EXPECT_EQ(VirtualKeyFromKeycode(c.keycode), c.vk) << SDL_GetKeyName(c.keycode) << " (" << c.keycode << ")";
    }
}

struct EventCase {
    std::uint16_t modifiers;
    bool pressed;
    bool repeat;
    EventKind kind;
    bool alt;
    bool shift;
    bool repeated;
};

TEST(KeyMap, ModifiersAndRepeatShapeTheEvent) {
    const EventCase cases[] = {
        {KMOD_NONE, true, false, EventKind::KeyDown, false, false, false},
        {KMOD_LALT, true, false, EventKind::KeyDown, true, false, false},
        {KMOD_RALT, true, false, EventKind::KeyDown, true, false, false},
        {KMOD_RSHIFT, true, true, EventKind::KeyDown, false, true, true},
        {KMOD_LALT | KMOD_LSHIFT | KMOD_NUM, true, false, EventKind::KeyDown, true, true, false},
        // Control, Caps Lock and Num Lock are neither Alt nor Shift.
        {KMOD_CTRL | KMOD_CAPS | KMOD_NUM, true, false, EventKind::KeyDown, false, false, false},
        {KMOD_LALT, false, false, EventKind::KeyUp, true, false, false},
        // A release is never a repeat.
        {KMOD_NONE, false, true, EventKind::KeyUp, false, false, false},
    };
    for (const EventCase& c : cases) {
        InputEvent event;
        ASSERT_TRUE(MakeKeyEvent(SDLK_v, c.modifiers, c.pressed, c.repeat, EventTarget::Dialog, &event));
        EXPECT_EQ(event.kind, c.kind) << "modifiers " << c.modifiers;
        EXPECT_EQ(event.target, EventTarget::Dialog);
        EXPECT_EQ(event.vk, unsigned{'V'});
        EXPECT_EQ(event.alt, c.alt) << "modifiers " << c.modifiers;
        EXPECT_EQ(event.shift, c.shift) << "modifiers " << c.modifiers;
        EXPECT_EQ(event.repeat, c.repeated) << "modifiers " << c.modifiers;
    }
}

TEST(KeyMap, KeyWithoutVirtualKeyGivesNoEvent) {
    InputEvent event;
    event.vk = 77;
    EXPECT_FALSE(MakeKeyEvent(SDLK_LALT, KMOD_LALT, true, false, EventTarget::Output, &event));
    EXPECT_EQ(event.vk, 77u);
}

}  // namespace
}  // namespace platform::sdl
