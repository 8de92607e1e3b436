// The real orbilux.scr: one run per mode and outcome, read back from the exit
// code and the windows that appear. (Which tail names which mode: the native
// command-line table.)
#include <gtest/gtest.h>

#include <string>

#include "Support.h"

namespace {

enum Outcome { DIALOG, DIALOG_OWNED, FULL_SCREEN, PREVIEW, REFUSED };

// "%P" stands for the preview parent's handle, "%S" for a stale handle, "%W"
// for the parent's handle plus 3 * 2^32. A row that names a .scr is a whole
// command line with its own program name.
const struct { const char* Tail; Outcome Expected; } MODE_ROWS[] = {
    {"", DIALOG}, {"/c:1234", DIALOG_OWNED}, {"/s", FULL_SCREEN}, {"-S", FULL_SCREEN}, {"s", FULL_SCREEN},
    {"/ s", FULL_SCREEN}, {"\"a b.scr\"s", FULL_SCREEN}, {"\xE9t\xE9.scr\t-S", FULL_SCREEN},
    {"/p %P", PREVIEW}, {"L %W", PREVIEW}, {"/x", REFUSED}, {"/a 12", REFUSED}, {"/p %S", REFUSED},
    {"/p 0", REFUSED}, {"\"C:\\orbi x\\orbilux.scr\" /x", REFUSED},
};

// Real input that ends a full-screen run: each full-screen row uses the next.
const std::pair<const char*, void (*)(HWND)> CLOSING_INPUT[] = {
    {"key", [](HWND) { PressKey('Q'); }},
    {"left button", [](HWND) { ClickButton(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP); }},
    {"right button", [](HWND) { ClickButton(MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP); }},
    {"middle button", [](HWND) { ClickButton(MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP); }},
    // Wine does not tell a window of another process that it lost the
    // foreground, so the message the system sends then is posted here.
    {"lost activation", [](HWND window) { PostMessageA(window, WM_ACTIVATEAPP, FALSE, 0); }},
    // Three across and two down from where the pointer stood at creation.
    {"travel 5", [](HWND) { SetCursorPos(303, 202); }},
};

void Substitute(std::string& text, const char* mark, unsigned long long value)
{
    size_t at = text.find(mark);
    if (at != std::string::npos)
        text.replace(at, 2, std::to_string(value));
}

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
    unsigned long long parentNumber = reinterpret_cast<ULONG_PTR>(parent) & 0xFFFFFFFFull;
    unsigned long long staleNumber = reinterpret_cast<ULONG_PTR>(stale);
    DestroyWindow(stale);
    int fullScreenRuns = 0;
    for (const auto& row : MODE_ROWS) {
        std::string tail = row.Tail;
        Substitute(tail, "%P", parentNumber);
        Substitute(tail, "%S", staleNumber);
        Substitute(tail, "%W", 3ull * 4294967296ull + parentNumber);
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
            const auto& input = CLOSING_INPUT[fullScreenRuns++ % 6];
            SCOPED_TRACE(input.first);
            HWND window = saver.WaitForFullScreen();
            ASSERT_NE(window, nullptr);
            input.second(window);
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
