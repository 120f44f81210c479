// The settings dialog run modally on the virtual display, one child process
// per script: what DialogBoxParamA returns, what Start stores in RunState and
// what the dialog procedure was told.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "app/run_state.h"
#include "setup/prepare_process.h"
#include "setup/settings_dialog.h"
#include "tests/dialog/dialog_geometry.h"
#include "tests/setup/child_environment.h"

namespace {

using namespace dialog_test;

std::string g_notices;
std::string g_opening;

// The settings procedure, watched: the commands it receives and the controls after WM_INITDIALOG.
INT_PTR WatchingProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) {
        g_notices += std::to_string(LOWORD(wParam)) + ":" + std::to_string(HIWORD(wParam)) + " ";
    }
    const INT_PTR result = SettingsDialogProc(dialog, message, wParam, lParam);
    if (message == WM_INITDIALOG) {
        char text[260];
        GetWindowTextA(GetDlgItem(dialog, 1003), text, 260);
        g_opening = std::string("version=[") + text + "] items=";
        const int count = static_cast<int>(SendDlgItemMessageA(dialog, 1002, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            SendDlgItemMessageA(dialog, 1002, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
            std::string item = text;
            // Line ends are shown as [CRLF] so they can be matched.
            if (item.size() >= 2 && item.compare(item.size() - 2, 2, "\r\n") == 0) {
                item.replace(item.size() - 2, 2, "[CRLF]");
            }
            g_opening += item + ",";
        }
        g_opening += " selected=" + std::to_string(SendDlgItemMessageA(dialog, 1002, LB_GETCURSEL, 0, 0));
    }
    return result;
}

// In the child: runs the dialog with the script and prints one line for the parent to match.
[[noreturn]] void RunDialog(const std::string& script, Resolution desktop) {
    char path[] = "/tmp/ostrivan-dialog-XXXXXX";
    const int fd = mkstemp(path);
    CHILD_CHECK(fd >= 0 && write(fd, script.data(), script.size()) == static_cast<ssize_t>(script.size()));
    close(fd);
    SetEnvironment({{"OSTRIVAN_SCRIPT", path}, {"OSTRIVAN_CAPTURE", nullptr}});
    g_ModeCatalogue = {{800, 600}, {1024, 768}, {1280, 720}, {1280, 1024}, {1920, 1080}, {2048, 768}};
    g_RunState.Desktop = desktop;
    g_RunState.VersionMajor = 1;
    g_RunState.VersionMinor = 4;
    const INT_PTR result = DialogBoxParamA(nullptr, MAKEINTRESOURCEA(129), nullptr, WatchingProc, 0);
    unlink(path);
    std::fprintf(stderr, "%s\nresult=%d size=%ux%u layout=%d\nnotices=%s\n", g_opening.c_str(),
                 static_cast<int>(result), g_RunState.ScreenWidth, g_RunState.ScreenHeight, g_RunState.Layout,
                 g_notices.c_str());
    std::_Exit(0);
}

std::string Key(const char* key) { return std::string("dialog key ") + key + "\n"; }

std::string ClickAt(const std::string& dialogUnits) {
    int x, y, cx, cy;
    std::sscanf(dialogUnits.c_str(), "%d %d %d %d", &x, &y, &cx, &cy);
    return ClickControl(x, y, cx, cy);
}

struct Case {
    const char* what;
    std::string script;
    const char* expected;  // a regular expression for the child's lines
};

void RunCases(const std::vector<Case>& cases, Resolution desktop = {1024, 768}) {
    for (const Case& c : cases) {
        EXPECT_EXIT(RunDialog(c.script, desktop), testing::ExitedWithCode(0), c.expected) << c.what;
    }
}

TEST(SettingsDialog, OpensWithTheCatalogueTheDesktopSizeAndClone) {
    RunCases({
        // Space presses the focused button: the focus starts on Start.
        {"opening state",
         Key("space"),
         "version=\\[Version 1\\.4\\] items=800\\*600\\[CRLF\\],1024\\*768\\[CRLF\\],1280\\*720\\[CRLF\\],"
         "1280\\*1024\\[CRLF\\],1920\\*1080\\[CRLF\\],2048\\*768\\[CRLF\\], selected=1\n"
         "result=1 size=1024x768 layout=0\nnotices=1:0 \n"},
    });
    // A desktop size without a 16-bit mode: nothing selected, and Start takes the desktop's size.
    RunCases({{"desktop not listed", "", "selected=-1\nresult=1 size=1600x900 layout=0"}}, {1600, 900});
}

TEST(SettingsDialog, PickingAResolution) {
    RunCases({
        {"tab to the list, down", Key("Tab") + Key("Tab") + Key("Down"), "result=1 size=1280x720 layout=0"},
        {"home", Key("Tab") + Key("Tab") + Key("Home"), "result=1 size=800x600 "},
        {"end scrolls to the last", Key("Tab") + Key("Tab") + Key("End"), "result=1 size=2048x768 "},
        {"alt+r focuses the list", Key("alt+r") + Key("Up"), "result=1 size=800x600 "},
        {"shift+tab back to the list", Key("shift+Tab") + Key("shift+Tab") + Key("Down") + Key("Down"),
         "result=1 size=1280x1024 "},
        {"click the first row", ClickListRow(0), "result=1 size=800x600 "},
        {"click the fifth row", ClickListRow(4), "result=1 size=1920x1080 "},
        {"scroll, then click the last row", ClickListDownArrow() + ClickListRow(4), "result=1 size=2048x768 "},
        {"selection changes are told", ClickListRow(2) + Key("Down"), "notices=1002:1 1002:1 1:0 \n"},
    });
}

TEST(SettingsDialog, ChoosingTheLayout) {
    RunCases({
        {"alt+v", Key("alt+v"), "result=1 size=1024x768 layout=2"},
        {"alt+h", Key("alt+h"), "result=1 size=1024x768 layout=1"},
        {"alt+c after alt+v", Key("alt+v") + Key("alt+c"), "layout=0"},
        {"click vertical span", ClickAt("84 42 66 13"), "layout=2\nnotices=1006:0 1:0"},
        {"arrows in the group", Key("Tab") + Key("Tab") + Key("Tab") + Key("Down") + Key("Down"), "layout=2"},
        {"up wraps to the last", Key("shift+Tab") + Key("Up"), "layout=2"},
        {"right from horizontal", Key("alt+h") + Key("Right"), "layout=2"},
        {"plain letter on a button", Key("h"), "layout=1"},
    });
}

TEST(SettingsDialog, StartAndTheWaysOut) {
    constexpr const char* kCancelled = "result=2 size=0x0 layout=0";
    RunCases({
        {"click start", ClickAt(kStart) + Key("Escape"), "result=1 size=1024x768"},
        {"enter from the list", Key("alt+r") + Key("Return"), "result=1 size=1024x768"},
        {"enter on exit", Key("Tab") + Key("Return"), kCancelled},
        {"click exit", ClickAt(kExit), kCancelled},
        {"escape", Key("Escape"), kCancelled},
        {"alt+x", Key("alt+x"), kCancelled},
        {"close button", "dialog close\n", kCancelled},
        {"alt+f4", Key("alt+F4"), kCancelled},
        {"space on exit", Key("Tab") + Key("space"), kCancelled},
        // A double click only selects: the next key decides.
        {"double click", ClickListRow(0, "dblclick") + Key("Escape"),
         "result=2 size=0x0 layout=0\nnotices=1002:1 1002:2 2:0"},
    });
}

}  // namespace
