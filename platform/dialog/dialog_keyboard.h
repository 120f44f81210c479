// The dialog manager's keyboard rules as a pure function over a snapshot of
// the dialog's controls: Tab and Shift+Tab through the tab stops, arrows
// inside a group, mnemonics, Enter and Esc. The caller applies the answer.
#pragma once

#include <string>
#include <vector>

#include "platform/win32_types.h"

namespace platform::dialog {

// One control as the keyboard rules see it, in template (creation) order.
struct NavControl {
    DWORD style = 0;    // window style: WS_VISIBLE, WS_DISABLED, WS_GROUP, WS_TABSTOP
    int id = 0;
    UINT dlgCode = 0;   // the control's WM_GETDLGCODE answer
    bool checked = false;
    std::string text;   // may carry an "&x" mnemonic
};

struct NavKey {
    UINT vk = 0;
    bool alt = false;    // WM_SYSKEYDOWN
    bool shift = false;
};

struct NavAction {
    enum Kind {
        PassOn,         // not a dialog key here: the focused control (or the window) gets it
        Nothing,        // a dialog key with nothing to do
        Focus,          // move the focus to `index`
        FocusAndClick,  // focus `index` and click it (a radio button checks itself)
        Click,          // click the button `index` (BM_CLICK)
        Command,        // send WM_COMMAND with `commandId` (BN_CLICKED) to the dialog
    };
    Kind kind = PassOn;
    int index = -1;
    int commandId = 0;
    friend bool operator==(const NavAction&, const NavAction&) = default;
};

// The answer to a key pressed while control `focus` (-1: none) has the keyboard focus.
NavAction NavigateDialog(const std::vector<NavControl>& controls, int focus, const NavKey& key);

// The id Enter sends when no push button has the focus: the first default push button's, else IDOK.
int DefaultCommandId(const std::vector<NavControl>& controls);

// The next (or previous) control that Tab reaches from `from` (-1: from the start); -1 when none.
int NextTabItem(const std::vector<NavControl>& controls, int from, bool backward);

// The upper-case mnemonic character of a control text ("E&xit" gives 'X'), or 0.
char MnemonicOf(const std::string& text);

}  // namespace platform::dialog
