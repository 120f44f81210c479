// The dialog's controls on their own: a parent window that records what it is
// told, and buttons and a list box driven by the messages input would bring.
#include <gtest/gtest.h>

#include <vector>

#include "platform/core/window_manager.h"
#include "platform/dialog/controls.h"
#include "platform/dialog/dialog_codes.h"
#include "platform/dialog/dialog_units.h"
#include "platform/dialog/list_box_model.h"
#include "platform/wingdi.h"

namespace {

using namespace platform;
using namespace platform::dialog;

struct Notice {
    int id;
    int code;
    friend bool operator==(const Notice&, const Notice&) = default;
};

std::vector<Notice> g_notices;

LRESULT RecordingParent(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) {
        g_notices.push_back(Notice{LOWORD(wParam), HIWORD(wParam)});
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

class Controls : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(RegisterDialogClasses());
        static const bool registered = [] {
            WNDCLASSEXA c{};
            c.cbSize = sizeof(c);
            c.lpfnWndProc = RecordingParent;
            c.lpszClassName = "ControlsTestParent";
            return RegisterWindowClass(&c) != 0;
        }();
        ASSERT_TRUE(registered);
        parent_ = CreateWindowUnchecked(0, "ControlsTestParent", "", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, nullptr,
                                        nullptr, nullptr, nullptr);
        ASSERT_NE(parent_, nullptr);
        font_ = CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "MS Shell Dlg");
        g_notices.clear();
    }
    void TearDown() override {
        DestroyWindow(parent_);
        DeleteObject(font_);
    }

    HWND Make(const char* className, const char* text, DWORD style, int id, RECT r) {
        HWND w = CreateWindowUnchecked(0, className, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top,
                                       r.right - r.left, r.bottom - r.top, parent_,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
        SendMessageA(w, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
        return w;
    }

    HWND parent_ = nullptr;
    HFONT font_ = nullptr;
};

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

TEST_F(Controls, PushButtonClicksOnReleaseInside) {
    HWND start = Make(kButtonClass, "Start", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, IDOK, RECT{10, 10, 91, 33});
    struct Step {
        UINT message;
        int x, y;
    };
    struct Case {
        const char* what;
        std::vector<Step> steps;
        bool clicked;
    } cases[] = {
        {"press and release inside", {{WM_LBUTTONDOWN, 5, 5}, {WM_LBUTTONUP, 6, 6}}, true},
        {"release outside", {{WM_LBUTTONDOWN, 5, 5}, {WM_LBUTTONUP, 100, 6}}, false},
        {"out and back in", {{WM_LBUTTONDOWN, 5, 5}, {WM_MOUSEMOVE, -3, 5}, {WM_MOUSEMOVE, 4, 4}, {WM_LBUTTONUP, 4, 4}},
         true},
        {"release without a press", {{WM_LBUTTONUP, 5, 5}}, false},
    };
    for (const Case& c : cases) {
        g_notices.clear();
        for (const Step& step : c.steps) {
            SendMessageA(start, step.message, 0, At(step.x, step.y));
        }
        EXPECT_EQ(g_notices.size(), c.clicked ? 1u : 0u) << c.what;
        if (c.clicked && !g_notices.empty()) {
            EXPECT_EQ(g_notices[0], (Notice{IDOK, BN_CLICKED})) << c.what;
        }
        EXPECT_EQ(SendMessageA(start, BM_GETSTATE, 0, 0) & BST_PUSHED, 0) << c.what << ": released look";
    }
    EXPECT_EQ(GetFocus(), start);
    // The space bar clicks on its release.
    g_notices.clear();
    SendMessageA(start, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_NE(SendMessageA(start, BM_GETSTATE, 0, 0) & BST_PUSHED, 0);
    EXPECT_TRUE(g_notices.empty());
    SendMessageA(start, WM_KEYUP, VK_SPACE, 0);
    EXPECT_EQ(g_notices, (std::vector<Notice>{{IDOK, BN_CLICKED}}));
    EXPECT_EQ(SendMessageA(start, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_DEFPUSHBUTTON);
}

TEST_F(Controls, AutomaticRadioButtonsCheckOneOfTheirGroup) {
    HWND other = Make(kButtonClass, "Other", BS_AUTORADIOBUTTON | WS_GROUP, 10, RECT{0, 0, 50, 12});
    HWND a = Make(kButtonClass, "&A", BS_AUTORADIOBUTTON | WS_GROUP, 11, RECT{0, 20, 50, 32});
    HWND b = Make(kButtonClass, "&B", BS_AUTORADIOBUTTON, 12, RECT{0, 40, 50, 52});
    HWND c = Make(kButtonClass, "&C", BS_AUTORADIOBUTTON, 13, RECT{0, 60, 50, 72});
    Make(kStaticClass, "after", WS_GROUP, 14, RECT{0, 80, 50, 92});
    SendMessageA(other, BM_SETCHECK, BST_CHECKED, 0);
    SendMessageA(a, BM_SETCHECK, BST_CHECKED, 0);
    SendMessageA(b, WM_LBUTTONDOWN, 0, At(2, 2));
    SendMessageA(b, WM_LBUTTONUP, 0, At(2, 2));
    EXPECT_EQ(IsDlgButtonChecked(parent_, 11), BST_UNCHECKED);
    EXPECT_EQ(IsDlgButtonChecked(parent_, 12), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(parent_, 10), BST_CHECKED) << "another group is left alone";
    SendMessageA(c, BM_CLICK, 0, 0);
    EXPECT_EQ(IsDlgButtonChecked(parent_, 12), BST_UNCHECKED);
    EXPECT_EQ(IsDlgButtonChecked(parent_, 13), BST_CHECKED);
    EXPECT_EQ(GetFocus(), c);
    EXPECT_EQ(g_notices, (std::vector<Notice>{{12, BN_CLICKED}, {13, BN_CLICKED}}));
    // CheckRadioButton sets the range without clicking anything.
    g_notices.clear();
    CheckRadioButton(parent_, 11, 13, 11);
    EXPECT_EQ(IsDlgButtonChecked(parent_, 11), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(parent_, 13), BST_UNCHECKED);
    EXPECT_TRUE(g_notices.empty());
    EXPECT_EQ(IsDlgButtonChecked(parent_, 999), 0u);
}

class ListBox : public Controls {
protected:
    void SetUp() override {
        Controls::SetUp();
        list_ = Make(kListBoxClass, "", WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOINTEGRALHEIGHT | LBS_NOTIFY, 1002,
                     RECT{9, 29, 108, 92});
        rowHeight_ = MeasureBaseUnits(font_).y;
        for (const char* text : {"800*600\r\n", "1024*768\r\n", "1280*720\r\n", "1280*1024\r\n", "1920*1080\r\n",
                                 "2048*768\r\n"}) {
            Send(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        }
    }
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return SendMessageA(list_, message, wParam, lParam);
    }
    LPARAM Row(int row) const { return At(20, 1 + row * rowHeight_ + rowHeight_ / 2); }

    HWND list_ = nullptr;
    int rowHeight_ = 0;
};

TEST_F(ListBox, MessagesAnswerAsAListBoxDoes) {
    EXPECT_EQ(Send(LB_GETCOUNT), 6);
    EXPECT_EQ(Send(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("extra")), 6);
    EXPECT_EQ(Send(LB_GETCURSEL), LB_ERR);
    EXPECT_EQ(Send(LB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("1280*1024\r\n")), 3);
    EXPECT_EQ(Send(LB_GETCURSEL), 3);
    EXPECT_EQ(Send(LB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("1600*900\r\n")), LB_ERR);
    EXPECT_EQ(Send(LB_GETCURSEL), 3) << "a failed search keeps the selection";
    EXPECT_EQ(Send(LB_FINDSTRING, 2, reinterpret_cast<LPARAM>("1280")), 3);
    EXPECT_EQ(Send(LB_FINDSTRING, 3, reinterpret_cast<LPARAM>("1280")), 2);
    char text[32] = {};
    EXPECT_EQ(Send(LB_GETTEXTLEN, 1), 10);
    EXPECT_EQ(Send(LB_GETTEXT, 1, reinterpret_cast<LPARAM>(text)), 10);
    EXPECT_STREQ(text, "1024*768\r\n");
    EXPECT_EQ(Send(LB_GETTEXT, 7, reinterpret_cast<LPARAM>(text)), LB_ERR);
    EXPECT_EQ(Send(LB_SETCURSEL, 9), LB_ERR);
    EXPECT_EQ(Send(LB_GETCURSEL), 3);
    EXPECT_EQ(Send(LB_SETCURSEL, static_cast<WPARAM>(-1)), LB_ERR);
    EXPECT_EQ(Send(LB_GETCURSEL), LB_ERR);
    EXPECT_EQ(Send(LB_SETCURSEL, 6), 6);
    EXPECT_GT(Send(LB_GETTOPINDEX), 0) << "the selection is scrolled into view";
    EXPECT_EQ(Send(LB_SETTOPINDEX, 0), 0);
    EXPECT_EQ(Send(LB_GETTOPINDEX), 0);
    EXPECT_EQ(Send(LB_SETTOPINDEX, 40), LB_ERR);
    EXPECT_TRUE(g_notices.empty()) << "changes made by messages are not notified";
    Send(LB_RESETCONTENT);
    EXPECT_EQ(Send(LB_GETCOUNT), 0);
    EXPECT_EQ(Send(LB_GETCURSEL), LB_ERR);
}

TEST_F(ListBox, KeysAndClicksSelectAndNotify) {
    constexpr Notice kChange{1002, LBN_SELCHANGE}, kDouble{1002, LBN_DBLCLK};
    Send(WM_LBUTTONDOWN, 0, Row(2));
    Send(WM_LBUTTONUP, 0, Row(2));
    EXPECT_EQ(Send(LB_GETCURSEL), 2);
    EXPECT_EQ(GetFocus(), list_);
    Send(WM_KEYDOWN, VK_END);
    EXPECT_EQ(Send(LB_GETCURSEL), 5);
    EXPECT_EQ(Send(LB_GETTOPINDEX), 1) << "the last item scrolled into view";
    Send(WM_KEYDOWN, VK_END);  // no change, no notice
    Send(WM_KEYDOWN, VK_HOME);
    EXPECT_EQ(Send(LB_GETTOPINDEX), 0);
    Send(WM_KEYDOWN, '1');  // the next item starting with "1"
    EXPECT_EQ(Send(LB_GETCURSEL), 1);
    Send(WM_LBUTTONDOWN, 0, Row(3));
    Send(WM_LBUTTONUP, 0, Row(3));
    Send(WM_LBUTTONDBLCLK, 0, Row(3));
    Send(WM_LBUTTONUP, 0, Row(3));
    EXPECT_EQ(Send(LB_GETCURSEL), 3);
    EXPECT_EQ(g_notices, (std::vector<Notice>{kChange, kChange, kChange, kChange, kChange, kDouble}));
    // A click below the last item selects nothing.
    Send(LB_RESETCONTENT);
    g_notices.clear();
    Send(WM_LBUTTONDOWN, 0, Row(1));
    EXPECT_EQ(Send(LB_GETCURSEL), LB_ERR);
    EXPECT_TRUE(g_notices.empty());
}

TEST_F(ListBox, ScrollBarArrowsTrackAndThumb) {
    RECT client;
    GetClientRect(list_, &client);
    const int barX = client.right - 9;
    Send(LB_SETCURSEL, 0);
    Send(WM_LBUTTONDOWN, 0, At(barX, client.bottom - 4));  // down arrow
    Send(WM_LBUTTONUP, 0, At(barX, client.bottom - 4));
    EXPECT_EQ(Send(LB_GETTOPINDEX), 1);
    EXPECT_EQ(Send(LB_GETCURSEL), 0) << "scrolling leaves the selection alone";
    Send(WM_LBUTTONDOWN, 0, At(barX, client.bottom - 4));
    EXPECT_EQ(Send(LB_GETTOPINDEX), 1) << "not past the end";
    Send(WM_LBUTTONUP, 0, At(barX, 4));
    Send(WM_LBUTTONDOWN, 0, At(barX, 4));  // up arrow
    Send(WM_LBUTTONUP, 0, At(barX, 4));
    EXPECT_EQ(Send(LB_GETTOPINDEX), 0);
    // Dragging the thumb to the bottom of its track shows the end of the list.
    const int track = client.bottom - 1 - 2 * kScrollBarWidth;
    Send(WM_LBUTTONDOWN, 0, At(barX, 1 + kScrollBarWidth + 2));
    Send(WM_MOUSEMOVE, 0, At(barX, 1 + kScrollBarWidth + 2 + track));
    Send(WM_LBUTTONUP, 0, At(barX, 1 + kScrollBarWidth + 2 + track));
    EXPECT_EQ(Send(LB_GETTOPINDEX), 1);
    Send(WM_MOUSEMOVE, 0, At(barX, 0));
    EXPECT_EQ(Send(LB_GETTOPINDEX), 1) << "released: moving does nothing";
    EXPECT_EQ(Send(LB_GETCURSEL), 0);
    EXPECT_TRUE(g_notices.empty());
}

TEST(DialogBox, RefusesTemplatesItCannotFind) {
    const auto proc = [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; };
    EXPECT_EQ(DialogBoxParamA(nullptr, MAKEINTRESOURCEA(999), nullptr, proc, 0), -1);
    EXPECT_EQ(DialogBoxParamA(nullptr, "SETTINGS", nullptr, proc, 0), -1);
    EXPECT_EQ(DialogBoxParamA(nullptr, MAKEINTRESOURCEA(129), nullptr, nullptr, 0), -1);
    EXPECT_FALSE(EndDialog(nullptr, 1));
}

TEST_F(ListBox, SortedListInsertsInOrder) {
    HWND sorted = Make(kListBoxClass, "", LBS_SORT, 7, RECT{0, 0, 50, 50});
    for (const char* text : {"pear", "Apple", "fig"}) {
        SendMessageA(sorted, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    char text[16];
    SendMessageA(sorted, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "Apple");
    SendMessageA(sorted, LB_GETTEXT, 2, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "pear");
}

}  // namespace
