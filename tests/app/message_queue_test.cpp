// The thread's message queue and the default window behaviour the tool relies on.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/windows.h"
#include "resources/resource_ids.h"

namespace {

std::vector<UINT> g_seen;

LRESULT RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    g_seen.push_back(message);
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND MakeWindow() {
    static bool registered = false;
    if (!registered) {
        WNDCLASSEXA c{};
        c.cbSize = sizeof c;
        c.lpfnWndProc = RecordingProc;
        c.lpszClassName = "QueueTest";
        registered = RegisterClassExA(&c) != 0;
    }
    g_seen.clear();
    return CreateWindowExA(0, "QueueTest", "test", WS_POPUP, CW_USEDEFAULT, 0, CW_USEDEFAULT, 0, nullptr, nullptr,
                           nullptr, nullptr);
}

std::vector<MSG> Drain() {
    std::vector<MSG> out;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        out.push_back(msg);
        if (msg.message == WM_QUIT) {
            break;
        }
    }
    return out;
}

TEST(MessageQueue, PostedInOrderAndQuitLast) {
    HWND w = MakeWindow();
    ASSERT_NE(w, nullptr);
    PostMessageA(w, WM_USER + 1, 1, 0);
    PostQuitMessage(7);
    PostMessageA(w, WM_USER + 2, 2, 0);
    const std::vector<MSG> got = Drain();
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[0].message, static_cast<UINT>(WM_USER + 1));
    EXPECT_EQ(got[1].message, static_cast<UINT>(WM_USER + 2));
    EXPECT_EQ(got[2].message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(got[2].wParam, 7u);
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));  // the quit is delivered once
    DestroyWindow(w);
}

TEST(MessageQueue, CloseDestroysAndDropsTheWindowsMessages) {
    struct Case {
        const char* name;
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    } cases[] = {
        {"WM_CLOSE", WM_CLOSE, 0, 0},
        {"system close", WM_SYSCOMMAND, SC_CLOSE, 0},
        {"Alt+F4", WM_SYSKEYDOWN, VK_F4, KF_ALTDOWN_BIT | 1},
    };
    for (const Case& c : cases) {
        HWND w = MakeWindow();
        PostMessageA(w, WM_USER, 0, 0);
        SendMessageA(w, c.message, c.wParam, c.lParam);
        EXPECT_FALSE(IsWindow(w)) << c.name;
        EXPECT_NE(std::find(g_seen.begin(), g_seen.end(), static_cast<UINT>(WM_DESTROY)), g_seen.end()) << c.name;
        EXPECT_TRUE(Drain().empty()) << c.name;
    }
    // F4 without Alt does nothing.
    HWND w = MakeWindow();
    SendMessageA(w, WM_SYSKEYDOWN, VK_F4, 1);
    EXPECT_TRUE(IsWindow(w));
    DestroyWindow(w);
}

TEST(MessageQueue, DispatchCallsTheWindowProcedure) {
    HWND w = MakeWindow();
    g_seen.clear();
    PostMessageA(w, WM_USER + 5, 0, 0);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    DispatchMessageA(&msg);
    EXPECT_EQ(g_seen, std::vector<UINT>{WM_USER + 5});
    DestroyWindow(w);
    EXPECT_EQ(DispatchMessageA(&msg), 0);  // a stale handle is ignored
}

TEST(Platform, ClassRegistrationRules) {
    WNDCLASSEXA c{};
    c.cbSize = sizeof c;
    c.lpfnWndProc = RecordingProc;
    c.lpszClassName = "Twice";
    EXPECT_NE(RegisterClassExA(&c), 0);
    EXPECT_EQ(RegisterClassExA(&c), 0);
    c.lpszClassName = "WrongSize";
    c.cbSize = 48;
    EXPECT_EQ(RegisterClassExA(&c), 0);
    EXPECT_EQ(CreateWindowExA(0, "NoSuchClass", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr), nullptr);
}

TEST(Platform, CursorDisplayCount) {
    const int start = ShowCursor(TRUE) - 1;
    EXPECT_EQ(ShowCursor(FALSE), start);
    EXPECT_EQ(ShowCursor(FALSE), start - 1);
    EXPECT_EQ(ShowCursor(TRUE), start);
}

TEST(Platform, Strings) {
    char buffer[128];
    EXPECT_EQ(LoadStringA(nullptr, IDS_APP_TITLE, buffer, 100), 8);
    EXPECT_STREQ(buffer, "Ostrivan");
    EXPECT_EQ(LoadStringA(nullptr, IDS_WINDOW_CLASS, buffer, 100), 8);
    EXPECT_STREQ(buffer, "OSTRIVAN");
    EXPECT_EQ(LoadStringA(nullptr, IDS_APP_TITLE, buffer, 4), 3);
    EXPECT_STREQ(buffer, "Ost");
    EXPECT_EQ(LoadStringA(nullptr, 9999, buffer, 100), 0);

    struct Case {
        std::string got;
        const char* expected;
    } cases[] = {
        {(wsprintfA(buffer, "Ver.%d.%d", 1, 4), buffer), "Ver.1.4"},
        {(wsprintfA(buffer, "%d*%d\r\n", 1024, 768), buffer), "1024*768\r\n"},
        {(wsprintfA(buffer, "%05d|%-4d|%x|%08X", 42, 7, 255, 0xC), buffer), "00042|7   |ff|0000000C"},
        {(wsprintfA(buffer, "%s %c %u%%", "ok", 'x', 4000000000u), buffer), "ok x 4000000000%"},
        {(wsprintfA(buffer, "%.1f stays", 1.0), buffer), "%.1f stays"},  // no floating point, as on Windows
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.got, c.expected);
    }
    EXPECT_EQ(lstrlenA("Warning"), 7);
    EXPECT_STREQ(lstrcpyA(buffer, ""), "");
}

}  // namespace
