// The real orbilux.scr: one run per mode and outcome, read back from the exit
// code and the windows that appear. (Which tail names which mode and which
// input closes: the native tables; the full screen's rectangle: the host tests.)
#include <gtest/gtest.h>

#include <string>

#include "Support.h"

namespace {

HWND MakeWindow(const char* title, DWORD style, int x, int y)
{
    HWND window = CreateWindowExA(0, "STATIC", title, style, x, y, 360, 280, nullptr, nullptr, nullptr, nullptr);
    PumpMessages();
    return window;
}

HWND WaitForPreview(HWND parent)
{
    HWND child = nullptr;
    PumpUntil([&] { return IsWindowVisible(child = FindWindowExA(parent, nullptr, FULL_SCREEN, "Preview")); });
    return child;
}

// On top, keeps its title; a second saver leaves it in front and ends (handing the
// foreground elsewhere first would rightly close it); a key ends it.
void CheckFullScreen(HWND window)
{
    EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    SetWindowTextA(window, "Something else");
    EXPECT_EQ(FindWindowA(FULL_SCREEN, "Screen Saver"), window) << "the title changed";
    SaverProcess second;
    EXPECT_EQ(second.Run("/s", nullptr, nullptr), 0u);
    EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == window; }));
    EXPECT_EQ(FindWindowExA(nullptr, window, FULL_SCREEN, nullptr), nullptr) << "a second window";
    PressKey('Q');
}

// Fills the parent's client area; menu requests go to the parent with its
// handle; input leaves it alone; the parent's close ends it.
void CheckPreview(HWND parent)
{
    HWND child = WaitForPreview(parent);
    ASSERT_NE(child, nullptr);
    RECT parentClient, childWindow;
    GetClientRect(parent, &parentClient);
    GetWindowRect(child, &childWindow);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&childWindow), 2);
    EXPECT_TRUE(EqualRect(&parentClient, &childWindow));
    SendMessageA(child, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(child), MAKELPARAM(7, 9));
    MSG forwarded = {};
    EXPECT_TRUE(PeekMessageA(&forwarded, parent, WM_CONTEXTMENU, WM_CONTEXTMENU, PM_REMOVE));
    EXPECT_TRUE(forwarded.wParam == reinterpret_cast<WPARAM>(parent) && forwarded.lParam == MAKELPARAM(7, 9));
    SendMessageA(child, WM_KEYDOWN, 'Q', 0);
    SendMessageA(child, WM_ACTIVATEAPP, FALSE, 0);
    // A close that either posted is handled before a menu request posted now comes back.
    PostMessageA(child, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(child), 0);
    for (DWORD start = GetTickCount(); IsWindow(child) && GetTickCount() - start < 20000; Sleep(5))
        if (PeekMessageA(&forwarded, parent, WM_CONTEXTMENU, WM_CONTEXTMENU, PM_REMOVE))
            break;
    EXPECT_TRUE(IsWindow(child)) << "input closed the preview";
    PostMessageA(child, WM_CLOSE, 0, 0);
}

}  // namespace

TEST(SaverModes, EachModeRunsWithItsWindowAndExitCode)
{
    const DWORD shown = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
    HWND parent = MakeWindow("Parent", shown, 40, 40), owner = MakeWindow("Owner", shown, 10, 10);
    HWND doomed = MakeWindow("Doomed parent", shown, 60, 60), stale = MakeWindow("Stale", 0, 0, 0);
    std::string staleNumber = std::to_string(Handle(stale));
    DestroyWindow(stale);
    auto ownedBy = [](HWND expected) {
        return [expected](HWND dialog) {
            EXPECT_EQ(GetWindow(dialog, GW_OWNER), expected);
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        };
    };
    auto destroyParent = [&](HWND) { WaitForPreview(doomed) && DestroyWindow(doomed); };
    // A parent going away ends the preview.
    const struct {
        std::string Tail;
        const char* Class;
        std::function<void(HWND)> Act;
        DWORD Exit;
    } rows[] = {
        {"", DIALOG, ownedBy(nullptr), 0},
        {"/c:1234", DIALOG, ownedBy(owner), 0},
        {"/s", FULL_SCREEN, CheckFullScreen, 0},
        {"/x", nullptr, nullptr, DWORD(-1)},
        {"/p " + std::to_string(Handle(parent)), nullptr, [&](HWND) { CheckPreview(parent); }, 0},
        {"/p " + std::to_string(Handle(doomed)), nullptr, destroyParent, 0},
        {"/a 12", nullptr, nullptr, DWORD(-1)},
        {"/p " + staleNumber, nullptr, nullptr, DWORD(-1)},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE("tail \"" + row.Tail + "\"");
        SetForegroundWindow(owner);
        SetCursorPos(300, 200);
        PumpMessages();
        SaverProcess saver;
        EXPECT_EQ(saver.Run(row.Tail, row.Class, row.Act), row.Exit);
        EXPECT_EQ(FindWindowA(FULL_SCREEN, nullptr), nullptr);
    }
    EXPECT_FALSE(IsWindow(doomed));
    DestroyWindow(owner);
    DestroyWindow(parent);
}
