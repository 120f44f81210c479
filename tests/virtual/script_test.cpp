#include <gtest/gtest.h>

#include "platform/user32.h"
#include "platform/virtual/script.h"

namespace platform::virtual_display {
namespace {

TEST(VirtualScript, KeysMapToVirtualKeyCodes) {
    struct Case {
        const char* text;
        unsigned vk;
        bool alt;
        bool shift;
    };
    const Case cases[] = {
        {"Return", VK_RETURN, false, false},  {"Escape", VK_ESCAPE, false, false},
        {"space", VK_SPACE, false, false},    {"BackSpace", VK_BACK, false, false},
        {"Tab", VK_TAB, false, false},        {"Left", VK_LEFT, false, false},
        {"Right", VK_RIGHT, false, false},    {"Up", VK_UP, false, false},
        {"Down", VK_DOWN, false, false},      {"Home", VK_HOME, false, false},
        {"End", VK_END, false, false},        {"Prior", VK_PRIOR, false, false},
        {"Next", VK_NEXT, false, false},      {"Delete", VK_DELETE, false, false},
        {"F1", VK_F1, false, false},          {"F4", VK_F4, false, false},
        {"F12", VK_F12, false, false},        {"a", 'A', false, false},
        {"z", 'Z', false, false},             {"0", '0', false, false},
        {"9", '9', false, false},             {"V", 'V', false, true},
        {"alt+v", 'V', true, false},          {"shift+Tab", VK_TAB, false, true},
        {"alt+shift+F4", VK_F4, true, true},  {"shift+alt+F4", VK_F4, true, true},
    };
    for (const Case& c : cases) {
        ScriptKey key;
        std::string error;
        ASSERT_TRUE(ParseKey(c.text, &key, &error)) << c.text << ": " << error;
        EXPECT_EQ(key.vk, c.vk) << c.text;
        EXPECT_EQ(key.alt, c.alt) << c.text;
        EXPECT_EQ(key.shift, c.shift) << c.text;
    }
}

TEST(VirtualScript, UnknownKeysAreRejected) {
    for (const char* text : {"return", "Enter", "F0", "F13", "F01", "ctrl+a", "alt+", "alt+alt+a", "ab", "", "+"}) {
        ScriptKey key;
        std::string error;
        EXPECT_FALSE(ParseKey(text, &key, &error)) << text;
        EXPECT_FALSE(error.empty()) << text;
    }
}

TEST(VirtualScript, EveryEventKindIsRead) {
    const std::string text =
        "# a comment line\n"
        "\n"
        "dialog key Down          # trailing comment\n"
        "dialog key alt+v\n"
        "dialog click 120 40\n"
        "dialog dblclick 3 4\n"
        "dialog close\n"
        "at 10 key Right\n"
        "  at 12   click left\r\n"
        "at 13 click right\n"
        "at 20 stall 40\n"
        "at 30 deactivate\n"
        "wait 2000 activate\n"
        "at 40 lose-device\n"
        "wait 0 restore-device\n"
        "at 50 close\n";
    Script script;
    std::string error;
    ASSERT_TRUE(ParseScript(text, &script, &error)) << error;

    using D = DialogAction::Kind;
    ASSERT_EQ(script.dialog.size(), 5u);
    EXPECT_EQ(script.dialog[0].kind, D::Key);
    EXPECT_EQ(script.dialog[0].key.vk, unsigned{VK_DOWN});
    EXPECT_TRUE(script.dialog[1].key.alt);
    EXPECT_EQ(script.dialog[1].key.vk, unsigned{'V'});
    EXPECT_EQ(script.dialog[2].kind, D::Click);
    EXPECT_EQ(script.dialog[2].x, 120);
    EXPECT_EQ(script.dialog[2].y, 40);
    EXPECT_EQ(script.dialog[3].kind, D::DoubleClick);
    EXPECT_EQ(script.dialog[4].kind, D::Close);

    using O = OutputAction::Kind;
    using T = OutputAction::Trigger;
    struct Expected {
        T trigger;
        std::uint64_t when;
        O kind;
    };
    const Expected expected[] = {
        {T::AtFrame, 10, O::Key},          {T::AtFrame, 12, O::Click},    {T::AtFrame, 13, O::Click},
        {T::AtFrame, 20, O::Stall},        {T::AtFrame, 30, O::Deactivate}, {T::AfterWait, 2000, O::Activate},
        {T::AtFrame, 40, O::LoseDevice},   {T::AfterWait, 0, O::RestoreDevice}, {T::AtFrame, 50, O::Close},
    };
    ASSERT_EQ(script.output.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const OutputAction& action = script.output[i];
        EXPECT_EQ(action.trigger, expected[i].trigger) << i;
        EXPECT_EQ(action.trigger == T::AtFrame ? action.frame : action.waitMs, expected[i].when) << i;
        EXPECT_EQ(action.kind, expected[i].kind) << i;
    }
    EXPECT_EQ(script.output[0].key.vk, unsigned{VK_RIGHT});
    EXPECT_EQ(script.output[1].button, 0);
    EXPECT_EQ(script.output[2].button, 1);
    EXPECT_EQ(script.output[3].stallMs, 40u);
}

TEST(VirtualScript, MalformedLinesAreRejectedWithTheirNumber) {
    struct Case {
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {"press Return", "OSTRIVAN_SCRIPT line 1: unknown command 'press' (expected dialog, at or wait)"},
        {"# ok\n\ndialog key", "OSTRIVAN_SCRIPT line 3: missing key name"},
        {"dialog key Enter", "OSTRIVAN_SCRIPT line 1: unknown key 'Enter'"},
        {"dialog key Return Return", "OSTRIVAN_SCRIPT line 1: unexpected 'Return' at end of line"},
        {"dialog", "OSTRIVAN_SCRIPT line 1: missing dialog event (key, click, dblclick or close)"},
        {"dialog press", "OSTRIVAN_SCRIPT line 1: unknown dialog event 'press' (expected key, click, dblclick or close)"},
        {"dialog click 120", "OSTRIVAN_SCRIPT line 1: missing y coordinate"},
        {"dialog click -1 4", "OSTRIVAN_SCRIPT line 1: '-1' is not a valid x coordinate (a whole number from 0 to 32767)"},
        {"dialog dblclick 1 40000",
         "OSTRIVAN_SCRIPT line 1: '40000' is not a valid y coordinate (a whole number from 0 to 32767)"},
        {"dialog close now", "OSTRIVAN_SCRIPT line 1: unexpected 'now' at end of line"},
        {"at key Right",
         "OSTRIVAN_SCRIPT line 1: 'key' is not a valid frame number (a whole number from 0 to 18446744073709551615)"},
        {"at 10", "OSTRIVAN_SCRIPT line 1: missing event (expected key, click, stall, deactivate, activate, "
                  "lose-device, restore-device or close)"},
        {"at 10 jump", "OSTRIVAN_SCRIPT line 1: unknown event 'jump' (expected key, click, stall, deactivate, activate, "
                       "lose-device, restore-device or close)"},
        {"at 10 click middle", "OSTRIVAN_SCRIPT line 1: unknown mouse button 'middle' (expected left or right)"},
        {"at 10 click", "OSTRIVAN_SCRIPT line 1: missing mouse button (left or right)"},
        {"at 10 stall", "OSTRIVAN_SCRIPT line 1: missing stall in ms"},
        {"wait", "OSTRIVAN_SCRIPT line 1: missing wait in ms"},
        {"wait 1.5 activate",
         "OSTRIVAN_SCRIPT line 1: '1.5' is not a valid wait in ms (a whole number from 0 to 18446744073709551615)"},
        {"at 1 activate\nat 2 deactivate 3", "OSTRIVAN_SCRIPT line 2: unexpected '3' at end of line"},
    };
    for (const Case& c : cases) {
        Script script;
        std::string error;
        EXPECT_FALSE(ParseScript(c.text, &script, &error)) << c.text;
        EXPECT_EQ(error, c.expected);
    }
}

TEST(VirtualScript, UnreadableFileIsReported) {
    Script script;
    std::string error;
    EXPECT_FALSE(LoadScript("/nonexistent/ostrivan-script", &script, &error));
    EXPECT_EQ(error, "OSTRIVAN_SCRIPT: cannot read '/nonexistent/ostrivan-script': No such file or directory");
    EXPECT_FALSE(LoadScript("/", &script, &error));
    EXPECT_EQ(error.rfind("OSTRIVAN_SCRIPT: cannot read '/': ", 0), 0u) << error;
}

}  // namespace
}  // namespace platform::virtual_display
