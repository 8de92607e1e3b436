// The command line of the real orbilux.scr: which mode each tail runs, read
// back from the exit code and the windows that appear.
#include <gtest/gtest.h>

#include <string>

#include "Support.h"

namespace {

enum Outcome { DIALOG, DIALOG_OWNED, FULL_SCREEN, PREVIEW, REFUSED };

// "%P" stands for the preview parent's handle, "%S" for a stale handle, "%W"
// for the parent's handle plus 3 * 2^32 (more than ten digits). A row that
// names a .scr is a whole command line with its own program name.
struct ModeRow {
    const char* Tail;
    Outcome Expected;
};

const ModeRow MODE_ROWS[] = {
    {"", DIALOG}, {"   ", DIALOG}, {"-/ /", DIALOG}, {"/-/-", DIALOG},
    {"/c:1234", DIALOG_OWNED}, {"-C", DIALOG_OWNED}, {"c junk", DIALOG_OWNED},
    {"s", FULL_SCREEN}, {"S", FULL_SCREEN}, {"/s", FULL_SCREEN}, {"-S", FULL_SCREEN}, {"/ s", FULL_SCREEN},
    {"/p %P", PREVIEW}, {"/l %P", PREVIEW}, {"-P%P", PREVIEW}, {"L    %P", PREVIEW}, {"/p %W", PREVIEW},
    {"/x", REFUSED}, {"/\ts", REFUSED}, {"7", REFUSED}, {"q", REFUSED}, {"/a", REFUSED}, {"-A 12", REFUSED},
    {"/p", REFUSED}, {"/p 0", REFUSED}, {"/p:1234", REFUSED}, {"/l %S", REFUSED}, {"/p %S", REFUSED},
    {"/p +%P", REFUSED}, {"/p -%P", REFUSED},
    // Split at its space, the quoted name would leave "x\..." and refuse.
    {"\"C:\\orbi x\\orbilux.scr\"", DIALOG}, {"\"C:\\orbi x\\orbilux.scr\" /x", REFUSED},
    // An unterminated quote swallows the line.
    {"\"C:\\orbi\\orbilux.scr /x", DIALOG},
    // The closing quote ends the name without a blank; bytes above 127 and
    // tabs belong to the name or the blanks as in any other name.
    {"\"a b.scr\"/x", REFUSED}, {"\"a b.scr\"s", FULL_SCREEN}, {"\xE9t\xE9.scr \t /x", REFUSED},
    {"\xE9t\xE9.scr\t-S", FULL_SCREEN},
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

std::string Number(unsigned long long value)
{
    return std::to_string(value);
}

std::string Substitute(std::string text, const char* mark, const std::string& value)
{
    size_t at = text.find(mark);
    return at == std::string::npos ? text : text.replace(at, 2, value);
}

HWND MakeWindow(const char* title, DWORD style, int x, int y, int width, int height)
{
    HWND window = CreateWindowExA(0, "STATIC", title, style, x, y, width, height, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    PumpMessages();
    return window;
}

}  // namespace

TEST(SaverModes, EachTailRunsItsMode)
{
    HWND parent = MakeWindow("Preview parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 360, 280);
    HWND owner = MakeWindow("Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 150);
    HWND stale = MakeWindow("Stale", WS_OVERLAPPEDWINDOW, 0, 0, 50, 50);
    unsigned long long parentNumber = reinterpret_cast<ULONG_PTR>(parent) & 0xFFFFFFFFull;
    std::string staleNumber = Number(reinterpret_cast<ULONG_PTR>(stale));
    DestroyWindow(stale);
    int fullScreenRuns = 0;
    for (const ModeRow& row : MODE_ROWS) {
        std::string tail = Substitute(Substitute(row.Tail, "%P", Number(parentNumber)), "%S", staleNumber);
        tail = Substitute(tail, "%W", Number(3ull * 4294967296ull + parentNumber));
        SCOPED_TRACE("tail \"" + tail + "\"");
        SetForegroundWindow(owner);
        SetCursorPos(300, 200);
        PumpMessages();
        SaverProcess saver;
        ASSERT_TRUE(tail.find(".scr") != std::string::npos ? saver.StartLine(tail) : saver.Start(tail));
        if (row.Expected == DIALOG || row.Expected == DIALOG_OWNED) {
            HWND dialog = nullptr;
            PumpUntil([&] { return (dialog = saver.FindTopWindow("#32770")) != nullptr || !saver.Running(); });
            if (dialog != nullptr) {
                EXPECT_EQ(GetWindow(dialog, GW_OWNER), row.Expected == DIALOG ? nullptr : owner);
                PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
            }
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
            PostMessageA(child, WM_CLOSE, 0, 0);
        }
        EXPECT_EQ(saver.WaitExit(), row.Expected == REFUSED ? static_cast<DWORD>(-1) : 0u);
        if (row.Expected == REFUSED) {
            EXPECT_EQ(FindWindowA("WindowsScreenSaverClass", nullptr), nullptr);
        }
    }
    DestroyWindow(owner);
    DestroyWindow(parent);
}
