// The dialog keyboard rules on a control list shaped like the settings dialog:
// two push buttons, a label and its list, a radio group, a centred static
// and a group box, in that order.
#include <gtest/gtest.h>

#include "platform/dialog/dialog_codes.h"
#include "platform/dialog/dialog_keyboard.h"

namespace platform::dialog {

// Failures print the action, not its bytes.
void PrintTo(const NavAction& a, std::ostream* out) {
    *out << "{kind " << a.kind << ", index " << a.index << ", command " << a.commandId << "}";
}

}  // namespace platform::dialog

namespace {

using platform::dialog::NavAction;
using platform::dialog::NavControl;
using platform::dialog::NavigateDialog;
using platform::dialog::NavKey;

constexpr DWORD kShown = WS_CHILD | WS_VISIBLE;
constexpr UINT kPush = DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
constexpr UINT kRadio = DLGC_BUTTON | DLGC_RADIOBUTTON;

enum Index { Start, Exit, Label, List, Clone, HSpan, VSpan, Version, Frame };

std::vector<NavControl> Controls(int checked = Clone) {
    std::vector<NavControl> c = {
        {kShown | WS_GROUP | WS_TABSTOP, 1, DLGC_BUTTON | DLGC_DEFPUSHBUTTON, false, "Start"},
        {kShown | WS_TABSTOP, 2, kPush, false, "E&xit"},
        {kShown | WS_GROUP, -1, DLGC_STATIC, false, "&Resolution"},
        {kShown | WS_GROUP | WS_TABSTOP, 1002, DLGC_WANTARROWS | DLGC_WANTCHARS, false, ""},
        {kShown | WS_GROUP, 1004, kRadio, false, "&Clone"},
        {kShown, 1005, kRadio, false, "&Horizontal span"},
        {kShown, 1006, kRadio, false, "&Vertical span"},
        {kShown | WS_GROUP, 1003, DLGC_STATIC, false, "Version 1.4"},
        {kShown, -1, DLGC_STATIC, false, "Display mode"},
    };
    if (checked >= 0) {
        c[static_cast<std::size_t>(checked)].checked = true;
    }
    return c;
}

NavKey Key(UINT vk, bool alt = false, bool shift = false) { return NavKey{vk, alt, shift}; }
NavAction Focus(int i) { return NavAction{NavAction::Focus, i, 0}; }
NavAction FocusAndClick(int i) { return NavAction{NavAction::FocusAndClick, i, 0}; }
NavAction Click(int i) { return NavAction{NavAction::Click, i, 0}; }
NavAction Command(int id) { return NavAction{NavAction::Command, -1, id}; }
NavAction PassOn() { return NavAction{NavAction::PassOn, -1, 0}; }
NavAction Nothing() { return NavAction{NavAction::Nothing, -1, 0}; }

struct Case {
    const char* what;
    int focus;
    NavKey key;
    NavAction expected;
    int checked = Clone;
};

TEST(DialogKeyboard, Rules) {
    const Case cases[] = {
        // Tab order: Start, Exit, the list, the radio group at its checked button, round again.
        {"tab from start", Start, Key(VK_TAB), Focus(Exit)},
        {"tab from exit", Exit, Key(VK_TAB), Focus(List)},
        {"tab from list enters group at checked", List, Key(VK_TAB), Focus(Clone)},
        {"tab enters at the checked button", List, Key(VK_TAB), Focus(VSpan), VSpan},
        {"tab into a group with none checked", List, Key(VK_TAB), Focus(Clone), -1},
        {"tab leaves the group", HSpan, Key(VK_TAB), Focus(Start), HSpan},
        {"tab with no focus", -1, Key(VK_TAB), Focus(Start)},
        {"shift tab from start", Start, Key(VK_TAB, false, true), Focus(HSpan), HSpan},
        {"shift tab from group", Clone, Key(VK_TAB, false, true), Focus(List)},
        {"shift tab from list skips the label", List, Key(VK_TAB, false, true), Focus(Exit)},
        // Arrows move inside the group and check radio buttons; the list keeps its arrows.
        {"down in radio group", Clone, Key(VK_DOWN), FocusAndClick(HSpan)},
        {"right in radio group", HSpan, Key(VK_RIGHT), FocusAndClick(VSpan), HSpan},
        {"down wraps in group", VSpan, Key(VK_DOWN), FocusAndClick(Clone), VSpan},
        {"up wraps in group", Clone, Key(VK_UP), FocusAndClick(VSpan)},
        {"left in radio group", VSpan, Key(VK_LEFT), FocusAndClick(HSpan), VSpan},
        {"down among push buttons", Start, Key(VK_DOWN), Focus(Exit)},
        {"up among push buttons wraps", Start, Key(VK_UP), Focus(Exit)},
        {"arrows belong to the list", List, Key(VK_DOWN), PassOn()},
        // Mnemonics: radio buttons check, a push button clicks, a label hands on to its list.
        {"alt c", Start, Key('C', true), FocusAndClick(Clone)},
        {"alt h", Start, Key('H', true), FocusAndClick(HSpan)},
        {"alt v", List, Key('V', true), FocusAndClick(VSpan)},
        {"alt r", Start, Key('R', true), Focus(List)},
        {"alt x", List, Key('X', true), Click(Exit)},
        {"alt with no mnemonic", Start, Key('Q', true), PassOn()},
        {"alt f4 is the window's", Start, Key(VK_F4, true), PassOn()},
        {"plain letter on a button", Start, Key('X'), Click(Exit)},
        {"plain letter on a radio button", Clone, Key('V'), FocusAndClick(VSpan)},
        {"plain letter types in the list", List, Key('C'), PassOn()},
        // Enter presses the focused push button, else the default one; Esc is IDCANCEL.
        {"enter on start", Start, Key(VK_RETURN), Command(IDOK)},
        {"enter on exit", Exit, Key(VK_RETURN), Command(IDCANCEL)},
        {"enter in list", List, Key(VK_RETURN), Command(IDOK)},
        {"enter on radio", HSpan, Key(VK_RETURN), Command(IDOK), HSpan},
        {"escape", List, Key(VK_ESCAPE), Command(IDCANCEL)},
        {"escape with no focus", -1, Key(VK_ESCAPE), Command(IDCANCEL)},
        {"space is the button's", Start, Key(VK_SPACE), PassOn()},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NavigateDialog(Controls(c.checked), c.focus, c.key), c.expected) << c.what;
    }
}

TEST(DialogKeyboard, DisabledAndHiddenControlsAreSkipped) {
    auto c = Controls();
    c[Exit].style |= WS_DISABLED;
    c[HSpan].style &= ~static_cast<DWORD>(WS_VISIBLE);
    EXPECT_EQ(NavigateDialog(c, Start, Key(VK_TAB)), Focus(List));
    EXPECT_EQ(NavigateDialog(c, Clone, Key(VK_DOWN)), FocusAndClick(VSpan));
    EXPECT_EQ(NavigateDialog(c, Start, Key('X', true)), PassOn());
    EXPECT_EQ(NavigateDialog(c, Start, Key(VK_ESCAPE)), Nothing());  // the Cancel button is disabled
    c[Start].style |= WS_DISABLED;
    EXPECT_EQ(NavigateDialog(c, List, Key(VK_RETURN)), Nothing());
}

TEST(DialogKeyboard, EnterWithoutDefaultButtonSendsIdok) {
    auto c = Controls();
    c[Start].dlgCode = kPush;
    c[Start].id = 7;
    EXPECT_EQ(platform::dialog::DefaultCommandId(c), IDOK);
    EXPECT_EQ(NavigateDialog(c, List, Key(VK_RETURN)), Command(IDOK));
    EXPECT_EQ(NavigateDialog({}, -1, Key(VK_TAB)), Nothing());
}

TEST(DialogKeyboard, Mnemonics) {
    const std::pair<const char*, char> cases[] = {
        {"E&xit", 'X'}, {"&clone", 'C'}, {"a&&b", 0}, {"a&&&b", 'B'}, {"end&", 0}, {"", 0}, {"&1st", '1'},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(platform::dialog::MnemonicOf(text), expected) << text;
    }
}

}  // namespace
