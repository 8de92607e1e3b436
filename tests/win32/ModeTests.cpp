// The real orbilux.scr: one run per mode and outcome, read back from the exit
// code and the windows that appear (which tail names which mode: the native
// command-line table), and the full screen's window.
#include <gtest/gtest.h>

#include <string>

#include "Support.h"

namespace {

enum Outcome { DIALOG, DIALOG_OWNED, FULL_SCREEN, PREVIEW, REFUSED };

// Real input that ends a full-screen run, one per full-screen row.
const std::pair<const char*, void (*)()> CLOSING_INPUT[] = {
    {"key", [] { UserInput('Q'); }},
    {"button", [] { UserInput(0, MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP); }},
    {"travel 5", [] { SetCursorPos(303, 202); }},  // from where the pointer stood at creation
};

HWND MakeWindow(const char* title, DWORD style, int x, int y, int width, int height)
{
    HWND window = CreateWindowExA(0, "STATIC", title, style, x, y, width, height, nullptr, nullptr, nullptr, nullptr);
    PumpMessages();
    return window;
}

}  // namespace

TEST(SaverModes, EachModeRunsWithItsWindowAndExitCode)
{
    HWND parent = MakeWindow("Preview parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 360, 280);
    HWND owner = MakeWindow("Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 150);
    HWND stale = MakeWindow("Stale", WS_OVERLAPPEDWINDOW, 0, 0, 50, 50);
    std::string parentNumber = std::to_string(reinterpret_cast<ULONG_PTR>(parent) & 0xFFFFFFFFu);
    std::string staleNumber = std::to_string(reinterpret_cast<ULONG_PTR>(stale));
    DestroyWindow(stale);
    // A row that names a .scr is a whole command line with its own program name.
    const struct { std::string Tail; Outcome Expected; } rows[] = {
        {"", DIALOG}, {"/c:1234", DIALOG_OWNED}, {"/s", FULL_SCREEN}, {"-S", FULL_SCREEN}, {"\"a b.scr\"s", FULL_SCREEN},
        {"/p " + parentNumber, PREVIEW}, {"/x", REFUSED}, {"/a 12", REFUSED}, {"/p " + staleNumber, REFUSED},
    };
    int fullScreenRuns = 0;
    for (const auto& row : rows) {
        const std::string& tail = row.Tail;
        SCOPED_TRACE("tail \"" + tail + "\"");
        SetForegroundWindow(owner);
        SetCursorPos(300, 200);
        PumpMessages();
        SaverProcess saver;
        ASSERT_TRUE(tail.find(".scr") != std::string::npos ? saver.StartLine(tail) : saver.Start(tail));
        if (row.Expected == DIALOG || row.Expected == DIALOG_OWNED) {
            HWND dialog = saver.WaitForWindow("#32770");
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(GetWindow(dialog, GW_OWNER), row.Expected == DIALOG ? nullptr : owner);
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        } else if (row.Expected == FULL_SCREEN) {
            const auto& input = CLOSING_INPUT[fullScreenRuns++];
            SCOPED_TRACE(input.first);
            ASSERT_NE(saver.WaitForFullScreen(), nullptr);
            input.second();
        } else if (row.Expected == PREVIEW) {
            HWND child = nullptr;
            PumpUntil([&] {
                child = FindWindowExA(parent, nullptr, "WindowsScreenSaverClass", "Preview");
                return child != nullptr && IsWindowVisible(child);
            });
            ASSERT_NE(child, nullptr);
            RECT parentClient, childWindow;
            GetClientRect(parent, &parentClient);
            GetWindowRect(child, &childWindow);
            MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&childWindow), 2);
            EXPECT_TRUE(EqualRect(&parentClient, &childWindow));
            // Menu requests go to the parent, with its handle; input leaves the preview alone.
            SendMessageA(child, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(child), MAKELPARAM(7, 9));
            MSG forwarded = {};
            EXPECT_TRUE(PeekMessageA(&forwarded, parent, WM_CONTEXTMENU, WM_CONTEXTMENU, PM_REMOVE));
            EXPECT_EQ(forwarded.wParam, reinterpret_cast<WPARAM>(parent));
            EXPECT_EQ(forwarded.lParam, MAKELPARAM(7, 9));
            SendMessageA(child, WM_KEYDOWN, 'Q', 0);
            PostMessageA(child, WM_ACTIVATEAPP, FALSE, 0);
            Sleep(200);
            EXPECT_TRUE(saver.Running());
            PostMessageA(child, WM_CLOSE, 0, 0);
        }
        EXPECT_EQ(saver.WaitExit(), row.Expected == REFUSED ? static_cast<DWORD>(-1) : 0u);
        EXPECT_EQ(FindWindowA("WindowsScreenSaverClass", nullptr), nullptr);
    }
    DestroyWindow(owner);
    DestroyWindow(parent);
}

TEST(FullScreenSaver, CoversTheScreenOnTopAndRunsOnce)
{
    RECT rect, screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SaverProcess saver, second;
    ASSERT_TRUE(saver.Start("/s"));
    HWND window = saver.WaitForFullScreen();
    ASSERT_NE(window, nullptr);
    GetWindowRect(window, &rect);
    EXPECT_TRUE(EqualRect(&rect, &screen));
    EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    SetWindowTextA(window, "Something else");
    EXPECT_EQ(FindWindowA("WindowsScreenSaverClass", "Screen Saver"), window) << "the title changed";

    // A second saver leaves the first in front and ends. (Handing the
    // foreground to another window first would be a loss of activation,
    // which rightly closes the first saver.)
    second.Start("/s");
    EXPECT_EQ(second.WaitExit(), 0u);
    EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == window; }));
    EXPECT_EQ(FindWindowExA(nullptr, window, "WindowsScreenSaverClass", nullptr), nullptr) << "a second window";
    EXPECT_TRUE(saver.Running());
}
