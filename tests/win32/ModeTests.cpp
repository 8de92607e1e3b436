// The real orbilux.scr: one run per mode and outcome, read back from the exit
// code and the windows that appear (which tail names which mode: the native
// command-line table), and the full screen's window and picture.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

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

// The screen's lit colours, its black pixel count, and whether a lit pixel
// lies on the outer frame.
struct ScreenView {
    std::set<DWORD> Colours;
    long Black = 0;
    bool LitFrame = false;
};

ScreenView LookAtScreen(int width, int height)
{
    std::vector<DWORD> pixels(static_cast<size_t>(width) * height);
    BITMAPINFO info = {{sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};  // top-down
    HDC screen = GetDC(nullptr), memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    GetDIBits(memory, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
    DeleteDC(memory);
    DeleteObject(bitmap);
    ReleaseDC(nullptr, screen);
    ScreenView view;
    for (size_t i = 0; i < pixels.size(); i++) {
        int x = static_cast<int>(i % width), y = static_cast<int>(i / width);
        if ((pixels[i] & 0xFFFFFF) == 0) {
            view.Black++;
            continue;
        }
        view.Colours.insert(pixels[i] & 0xFFFFFF);
        view.LitFrame = view.LitFrame || x == 0 || y == 0 || x == width - 1 || y == height - 1;
    }
    return view;
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

// Over a backdrop of the test's own.
TEST(FullScreenSaver, CoversTheScreenOnTopDrawsADriftingFigureAndRunsOnce)
{
    RECT rect, screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    HWND backdrop = CreateWindowExA(0, "STATIC", "Backdrop", WS_POPUP | WS_VISIBLE, 0, 0, screen.right, screen.bottom,
                                    nullptr, nullptr, nullptr, nullptr);
    PumpMessages();
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

    // The backdrop gives way to black, then points in several colours appear,
    // none on the window's outer one-pixel frame.
    ScreenView view;
    EXPECT_TRUE(PumpUntil([&] {
        view = LookAtScreen(screen.right, screen.bottom);
        return view.Black * 2 > screen.right * screen.bottom && view.Colours.size() >= 3;
    })) << view.Colours.size() << " colours, " << view.Black << " black";
    EXPECT_FALSE(view.LitFrame);
    DestroyWindow(backdrop);
}
