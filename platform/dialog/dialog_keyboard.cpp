#include "platform/dialog/dialog_keyboard.h"

#include <cctype>

#include "platform/dialog/dialog_codes.h"

namespace platform::dialog {

namespace {

using Controls = std::vector<NavControl>;

int Count(const Controls& c) { return static_cast<int>(c.size()); }

bool Usable(const NavControl& c) { return (c.style & WS_VISIBLE) != 0 && (c.style & WS_DISABLED) == 0; }
// Statics and group boxes label other controls and never take the focus themselves.
bool Focusable(const NavControl& c) { return Usable(c) && (c.dlgCode & DLGC_STATIC) == 0; }
bool IsRadio(const NavControl& c) { return (c.dlgCode & DLGC_RADIOBUTTON) != 0; }
bool IsPush(const NavControl& c) { return (c.dlgCode & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0; }
bool Wants(const NavControl& c, UINT code) { return (c.dlgCode & (code | DLGC_WANTALLKEYS)) != 0; }

// A group runs from a WS_GROUP control (or the first control) up to the next WS_GROUP control.
int GroupStart(const Controls& c, int i) {
    while (i > 0 && (c[static_cast<std::size_t>(i)].style & WS_GROUP) == 0) {
        --i;
    }
    return i;
}

int GroupEnd(const Controls& c, int i) {
    for (++i; i < Count(c); ++i) {
        if ((c[static_cast<std::size_t>(i)].style & WS_GROUP) != 0) {
            break;
        }
    }
    return i;
}

// Tab enters a group of radio buttons at its checked button, else at its first usable one.
int RadioEntry(const Controls& c, int i) {
    const int start = GroupStart(c, i), end = GroupEnd(c, i);
    int first = -1;
    for (int j = start; j < end; ++j) {
        const NavControl& r = c[static_cast<std::size_t>(j)];
        if (IsRadio(r) && Focusable(r)) {
            if (r.checked) {
                return j;
            }
            if (first < 0) {
                first = j;
            }
        }
    }
    return first;
}

bool IsTabStop(const Controls& c, int i) {
    const NavControl& control = c[static_cast<std::size_t>(i)];
    if (!Focusable(control)) {
        return false;
    }
    return IsRadio(control) ? RadioEntry(c, i) == i : (control.style & WS_TABSTOP) != 0;
}

int Wrap(int i, int n) { return ((i % n) + n) % n; }

// The first control after `from` (cyclically) that passes the test; -1 when none does.
template <typename Test>
int Search(const Controls& c, int from, int direction, Test test) {
    const int n = Count(c);
    for (int step = 1; step <= n; ++step) {
        const int i = Wrap(from + step * direction, n);
        if (test(i)) {
            return i;
        }
    }
    return -1;
}

int FindId(const Controls& c, int id) {
    for (int i = 0; i < Count(c); ++i) {
        if (c[static_cast<std::size_t>(i)].id == id) {
            return i;
        }
    }
    return -1;
}

NavAction Make(NavAction::Kind kind, int index = -1, int commandId = 0) { return NavAction{kind, index, commandId}; }

NavAction FocusOrNothing(int index) { return index < 0 ? Make(NavAction::Nothing) : Make(NavAction::Focus, index); }

// Enter and Esc send a command, unless the button that stands for it is disabled.
NavAction CommandUnlessDisabled(const Controls& c, int id) {
    const int i = FindId(c, id);
    if (i >= 0 && (c[static_cast<std::size_t>(i)].style & WS_DISABLED) != 0) {
        return Make(NavAction::Nothing);
    }
    return Make(NavAction::Command, -1, id);
}

NavAction Arrow(const Controls& c, int focus, int direction) {
    if (focus < 0) {
        return Make(NavAction::PassOn);
    }
    const int start = GroupStart(c, focus), end = GroupEnd(c, focus), size = end - start;
    for (int step = 1; step < size; ++step) {
        const int i = start + Wrap(focus - start + step * direction, size);
        if (Focusable(c[static_cast<std::size_t>(i)])) {
            return Make(IsRadio(c[static_cast<std::size_t>(i)]) ? NavAction::FocusAndClick : NavAction::Focus, i);
        }
    }
    return Make(NavAction::Nothing);
}

NavAction Mnemonic(const Controls& c, int focus, char letter) {
    const int found = Search(c, focus, 1, [&](int i) {
        const NavControl& control = c[static_cast<std::size_t>(i)];
        return Usable(control) && MnemonicOf(control.text) == letter;
    });
    if (found < 0) {
        return Make(NavAction::PassOn);
    }
    const NavControl& control = c[static_cast<std::size_t>(found)];
    if ((control.dlgCode & DLGC_STATIC) != 0) {
        // A label hands the focus to the control it labels: the next one that can take it.
        int next = Search(c, found, 1, [&](int i) { return Focusable(c[static_cast<std::size_t>(i)]); });
        if (next >= 0 && IsRadio(c[static_cast<std::size_t>(next)])) {
            next = RadioEntry(c, next);
        }
        return FocusOrNothing(next);
    }
    if (IsPush(control)) {
        return Make(NavAction::Click, found);
    }
    if ((control.dlgCode & (DLGC_RADIOBUTTON | DLGC_BUTTON)) != 0) {
        return Make(NavAction::FocusAndClick, found);
    }
    return Make(NavAction::Focus, found);
}

}  // namespace

char MnemonicOf(const std::string& text) {
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == '&') {
            if (text[i + 1] != '&') {
                return static_cast<char>(std::toupper(static_cast<unsigned char>(text[i + 1])));
            }
            ++i;  // "&&" is a plain ampersand
        }
    }
    return 0;
}

int DefaultCommandId(const Controls& c) {
    for (const NavControl& control : c) {
        if ((control.dlgCode & DLGC_DEFPUSHBUTTON) != 0) {
            return control.id;
        }
    }
    return IDOK;
}

int NextTabItem(const Controls& c, int from, bool backward) {
    if (c.empty()) {
        return -1;
    }
    const int direction = backward ? -1 : 1;
    const bool fromRadio = from >= 0 && IsRadio(c[static_cast<std::size_t>(from)]);
    if (from < 0) {
        from = backward ? 0 : Count(c) - 1;  // so that the search starts at the first (last) control
    }
    const int fromGroup = GroupStart(c, from);
    return Search(c, from, direction, [&](int i) {
        // Leaving a radio group passes over its other buttons.
        if (fromRadio && i != from && IsRadio(c[static_cast<std::size_t>(i)]) && GroupStart(c, i) == fromGroup) {
            return false;
        }
        return IsTabStop(c, i);
    });
}

NavAction NavigateDialog(const Controls& c, int focus, const NavKey& key) {
    if (focus >= Count(c)) {
        focus = -1;
    }
    const NavControl* focused = focus >= 0 ? &c[static_cast<std::size_t>(focus)] : nullptr;
    const UINT vk = key.vk;
    const bool letter = (vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9');
    if (key.alt) {
        return letter ? Mnemonic(c, focus, static_cast<char>(vk)) : Make(NavAction::PassOn);
    }
    switch (vk) {
    case VK_TAB:
        if (focused != nullptr && Wants(*focused, DLGC_WANTTAB)) {
            return Make(NavAction::PassOn);
        }
        return FocusOrNothing(NextTabItem(c, focus, key.shift));
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
        if (focused != nullptr && Wants(*focused, DLGC_WANTARROWS)) {
            return Make(NavAction::PassOn);
        }
        return Arrow(c, focus, vk == VK_LEFT || vk == VK_UP ? -1 : 1);
    case VK_RETURN:
        if (focused != nullptr && (focused->dlgCode & DLGC_WANTALLKEYS) != 0) {
            return Make(NavAction::PassOn);
        }
        // A focused push button stands in for the default one.
        if (focused != nullptr && IsPush(*focused)) {
            return Make(NavAction::Command, -1, focused->id);
        }
        return CommandUnlessDisabled(c, DefaultCommandId(c));
    case VK_ESCAPE:
        if (focused != nullptr && (focused->dlgCode & DLGC_WANTALLKEYS) != 0) {
            return Make(NavAction::PassOn);
        }
        return CommandUnlessDisabled(c, IDCANCEL);
    default:
        // A plain letter works as a mnemonic unless the focused control types with it.
        if (letter && (focused == nullptr || !Wants(*focused, DLGC_WANTCHARS))) {
            return Mnemonic(c, focus, static_cast<char>(vk));
        }
        return Make(NavAction::PassOn);
    }
}

}  // namespace platform::dialog
