// The saver window procedure inside a test program: which input asks for a
// close, the fixed title, system commands, the preview's forwarding, GDI
// objects over many ticks and a refused password. The pens the host creates,
// its posts and its default processing are recorded by replacing them in
// this program's import table.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <vector>

#include "ImportHook.h"
#include "Support.h"
#include "animation/AnimationState.h"
#include "host/HostState.h"
#include "host/SaverWindow.h"
#include "settings/Settings.h"

DECLARE_IMPORT(CreatePen, 12);
DECLARE_IMPORT(DefWindowProcA, 16);
DECLARE_IMPORT(PostMessageA, 16);
DECLARE_IMPORT(Sleep, 4);
DECLARE_IMPORT(SetForegroundWindow, 4);
DECLARE_IMPORT(GetSystemMetrics, 4);

namespace {

// Where the pointer stands when each window is created: the reference point
// of mouse travel.
const POINT START_POINT = {400, 300};

std::vector<HGDIOBJ> Pens;  // every pen CreatePen returned
std::vector<WPARAM> DefaultCommands;  // WM_SYSCOMMAND left to DefWindowProcA
std::vector<MSG> Posts;     // PostMessageA calls (the system may refuse some)
decltype(&CreatePen) RealCreatePen = nullptr;
decltype(&DefWindowProcA) RealDefWindowProcA = nullptr;
decltype(&PostMessageA) RealPostMessageA = nullptr;

HPEN WINAPI RecordCreatePen(int style, int width, COLORREF colour)
{
    HPEN pen = RealCreatePen(style, width, colour);
    Pens.push_back(pen);
    return pen;
}

LRESULT WINAPI RecordDefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    // System commands would switch windows or start a screen saver.
    if (message != WM_SYSCOMMAND)
        return RealDefWindowProcA(window, message, wParam, lParam);
    DefaultCommands.push_back(wParam);
    return 0;
}

BOOL WINAPI RecordPostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    Posts.push_back({window, message, wParam, lParam, 0, {}});
    return RealPostMessageA(window, message, wParam, lParam);
}

// The figure's one-second pause between figures is skipped.
void WINAPI SkipSleep(DWORD) {}

std::vector<HWND> BroughtToFront;  // SetForegroundWindow calls, not passed on
void (*OnFront)(HWND window) = nullptr;  // runs inside RunSaverWindow, before its loop
BOOL WINAPI RecordSetForegroundWindow(HWND window)
{
    BroughtToFront.push_back(window);
    if (OnFront != nullptr)
        OnFront(window);
    return TRUE;
}

// A saver window made through the host library, every process-wide record fresh.
class SaverWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetHostState();
        ResetAnimationState(AnimationState);
        ResetSettings();
        HostState.Instance = GetModuleHandleA(nullptr);
        RegisterSaverClass();  // already registered after the first test: harmless
        if (RealCreatePen == nullptr) {
            RealCreatePen = PatchImport(Import_CreatePen, &RecordCreatePen);
            RealDefWindowProcA = PatchImport(Import_DefWindowProcA, &RecordDefWindowProcA);
            RealPostMessageA = PatchImport(Import_PostMessageA, &RecordPostMessageA);
            PatchImport(Import_Sleep, &SkipSleep);
            PatchImport(Import_SetForegroundWindow, &RecordSetForegroundWindow);
        }
        BroughtToFront.clear();
        Pens.clear();
        DefaultCommands.clear();
        Posts.clear();
        SetCursorPos(START_POINT.x, START_POINT.y);
    }
    void TearDown() override
    {
        DestroyWindow(Window);
        DestroyWindow(Parent);
        Window = Parent = nullptr;
        // Drop what the windows left behind, the quit message included.
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        }
    }
    // Creates the full-screen window, or the preview in a parent of its own.
    void CreateSaver(bool preview = false)
    {
        if (preview) {
            Parent = CreateWindowExA(0, "STATIC", "parent", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                                     nullptr, nullptr, nullptr);
            HostState.IsPreview = 1;
        }
        Window = CreateSaverWindow(Parent, 320, 240);
        ASSERT_NE(Window, nullptr);
    }
    // Moves the pointer and sends the window the move it causes.
    void MoveMouseTo(int x, int y)
    {
        SetCursorPos(x, y);
        SendMessageA(Window, WM_MOUSEMOVE, 0, 0);
    }
    // Removes a queued WM_CLOSE of the window; true when there was one.
    bool TakeCloseRequest()
    {
        MSG message;
        return PeekMessageA(&message, Window, WM_CLOSE, WM_CLOSE, PM_REMOVE) != 0;
    }
    HWND Window = nullptr;
    HWND Parent = nullptr;
};


struct InputRow {
    UINT Message;
    WPARAM WParam;
    bool ClosesFullScreen;  // the preview closes on none of them
};

const InputRow INPUT_ROWS[] = {
    {WM_KEYDOWN, 'A', true},          {WM_SYSKEYDOWN, VK_MENU, true},  {WM_LBUTTONDOWN, MK_LBUTTON, true},
    {WM_RBUTTONDOWN, MK_RBUTTON, true}, {WM_MBUTTONDOWN, MK_MBUTTON, true}, {WM_ACTIVATEAPP, FALSE, true},
    {WM_KEYUP, 'A', false},           {WM_SYSKEYUP, VK_MENU, false},   {WM_CHAR, 'a', false},
    {WM_LBUTTONUP, 0, false},         {WM_RBUTTONUP, 0, false},        {WM_MBUTTONUP, 0, false},
    {WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), false}, {WM_MOUSEHWHEEL, MAKEWPARAM(0, WHEEL_DELTA), false},
    {WM_ACTIVATEAPP, TRUE, false},
};

const WPARAM SWITCHING_COMMANDS[] = {SC_NEXTWINDOW, SC_PREVWINDOW, SC_SCREENSAVE};

// Refuses, after a close request from inside the check (as from the
// system's password dialog) that must neither close nor ask again.
int VerifierCalls = 0;
BOOL WINAPI RefusingVerifier(HWND window)
{
    if (++VerifierCalls == 1)
        SendMessageA(window, WM_CLOSE, 0, 0);
    return FALSE;
}

}  // namespace

// The full screen closes on input, swallows the switching commands and keeps
// its title; the preview does none of the first two.
TEST_F(SaverWindowTest, InputSwitchingCommandsAndTitleInEitherMode)
{
    for (bool preview : {false, true}) {
        CreateSaver(preview);
        for (const InputRow& row : INPUT_ROWS) {
            SendMessageA(Window, row.Message, row.WParam, 0);
            EXPECT_EQ(TakeCloseRequest(), row.ClosesFullScreen && !preview)
                << "message " << std::hex << row.Message << (preview ? " in the preview" : "");
        }
        MoveMouseTo(START_POINT.x + 100, START_POINT.y + 100);
        EXPECT_EQ(TakeCloseRequest(), !preview);
        for (WPARAM command : SWITCHING_COMMANDS) {
            SendMessageA(Window, WM_SYSCOMMAND, command, 0);
            EXPECT_EQ(std::count(DefaultCommands.begin(), DefaultCommands.end(), command), preview ? 1 : 0)
                << std::hex << command;
        }
        SendMessageA(Window, WM_SYSCOMMAND, SC_CLOSE, 0);
        EXPECT_EQ(DefaultCommands.back(), static_cast<WPARAM>(SC_CLOSE));
        SetWindowTextA(Window, "Something else");
        char title[64] = "";
        GetWindowTextA(Window, title, sizeof(title));
        EXPECT_STREQ(title, preview ? "Preview" : "Screen Saver");
        TearDown();
        SetUp();
    }
}

TEST_F(SaverWindowTest, MouseTravelMustExceedFour)
{
    CreateSaver();
    // Back and forth within 4 of the reference never closes.
    const POINT jitter[] = {{4, 0}, {-4, 0}, {0, 4}, {0, -4}, {2, 2}, {-2, -2}, {3, 1}, {0, 0}, {-1, 3}};
    for (const POINT& d : jitter) {
        MoveMouseTo(START_POINT.x + d.x, START_POINT.y + d.y);
        EXPECT_FALSE(TakeCloseRequest()) << d.x << "," << d.y;
    }
    // Steps of one pixel the same way add up from the reference: 5 closes.
    for (int step = 1; step <= 5; step++) {
        MoveMouseTo(START_POINT.x, START_POINT.y + step);
        EXPECT_EQ(TakeCloseRequest(), step == 5) << "step " << step;
    }
}

TEST_F(SaverWindowTest, PreviewPostsHelpAndMenusToItsParent)
{
    CreateSaver(true);
    HELPINFO help = {};
    help.cbSize = sizeof(help);
    SendMessageA(Window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Window), MAKELPARAM(7, 9));
    SendMessageA(Window, WM_HELP, 0, reinterpret_cast<LPARAM>(&help));
    ASSERT_EQ(Posts.size(), 2u);
    const UINT messages[] = {WM_CONTEXTMENU, WM_HELP};
    const LPARAM lParams[] = {MAKELPARAM(7, 9), reinterpret_cast<LPARAM>(&help)};
    for (int i = 0; i < 2; i++) {
        EXPECT_EQ(Posts[i].hwnd, Parent);
        EXPECT_EQ(Posts[i].message, messages[i]);
        EXPECT_EQ(Posts[i].wParam, reinterpret_cast<WPARAM>(Parent));
        EXPECT_EQ(Posts[i].lParam, lParams[i]);
    }
}

TEST_F(SaverWindowTest, TicksOfSeveralFiguresLeaveNoPenBehind)
{
    CreateSaver();
    HGDIOBJ background = reinterpret_cast<HGDIOBJ>(AnimationState.BackgroundBrush);
    const int ticks = 6 * 360 + 100;
    for (int i = 0; i < ticks; i++)
        SendMessageA(Window, WM_TIMER, 1, 0);
    ASSERT_EQ(Pens.size(), static_cast<size_t>(ticks));
    int alive = 0;
    for (HGDIOBJ pen : Pens)
        alive += GetObjectType(pen) != 0;
    EXPECT_EQ(alive, 0);
    EXPECT_EQ(GetObjectType(background), static_cast<DWORD>(OBJ_BRUSH));
    DestroyWindow(Window);
    EXPECT_EQ(GetObjectType(background), 0u);
}

TEST_F(SaverWindowTest, RefusedPasswordKeepsTheWindowAndTheFigureGoing)
{
    HostState.IsWin95Family = 1;
    HostState.VerifyPassword = reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(&RefusingVerifier));
    CreateSaver();
    SendMessageA(Window, WM_TIMER, 1, 0);
    EXPECT_EQ(SendMessageA(Window, WM_CLOSE, 0, 0), 0);
    EXPECT_EQ(VerifierCalls, 1) << "a second check started inside the first";
    EXPECT_TRUE(IsWindow(Window));
    // The timer that WM_CLOSE stopped runs again: real ticks arrive.
    EXPECT_TRUE(PumpUntil([] { return AnimationState.Step > 1; }));
}

// A full-screen saver that finds one running brings that one to the front and
// returns 0 at once, with no window of its own.
TEST_F(SaverWindowTest, SecondFullScreenSaverFrontsTheFirst)
{
    CreateSaver();
    BroughtToFront.clear();
    EXPECT_EQ(RunSaverWindow(nullptr), 0);
    EXPECT_EQ(BroughtToFront, std::vector<HWND>{Window});
    EXPECT_EQ(FindWindowExA(nullptr, Window, "WindowsScreenSaverClass", nullptr), nullptr);
    EXPECT_EQ(HostState.SaverWindow, Window);
}

namespace {

// The six metrics the full screen is placed by, as a system reports them:
// virtual screen x, y, width, height; primary width, height.
struct MetricsRow {
    int Metrics[6];
    RECT Expected;  // left, top, width, height
};
const MetricsRow METRICS_ROWS[] = {
    {{-1280, 0, 2304, 1024, 1024, 768}, {-1280, 0, 2304, 1024}},  // a monitor left of the primary
    {{0, 0, 1024, 768, 1024, 768}, {0, 0, 1024, 768}},            // one monitor
    {{0, 0, 0, 0, 800, 600}, {0, 0, 800, 600}},                   // no virtual screen
};
const MetricsRow* Row = nullptr;
decltype(&GetSystemMetrics) RealGetSystemMetrics = nullptr;

int WINAPI ReportedMetrics(int index)
{
    const int indices[] = {SM_XVIRTUALSCREEN, SM_YVIRTUALSCREEN, SM_CXVIRTUALSCREEN, SM_CYVIRTUALSCREEN,
                           SM_CXSCREEN,       SM_CYSCREEN};
    for (int i = 0; i < 6; i++)
        if (index == indices[i])
            return Row->Metrics[i];
    return RealGetSystemMetrics(index);
}

bool CloseQueued(HWND window)
{
    MSG message;
    return PeekMessageA(&message, window, WM_CLOSE, WM_CLOSE, PM_NOREMOVE) != 0;
}

// The window as RunSaverWindow made it: its rectangle, the figure fitted to
// it, and mouse travel measured on the screen whatever the window's origin.
void CheckFullScreen(HWND window)
{
    RECT rect, expected = Row->Expected;
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.left, expected.left);
    EXPECT_EQ(rect.top, expected.top);
    EXPECT_EQ(rect.right - rect.left, expected.right);
    EXPECT_EQ(rect.bottom - rect.top, expected.bottom);
    EXPECT_EQ(AnimationState.DrawWidth, expected.right - 2);
    EXPECT_EQ(AnimationState.DrawHeight, expected.bottom - 2);
    for (int travel : {4, 5}) {
        SetCursorPos(START_POINT.x + travel, START_POINT.y);
        SendMessageA(window, WM_MOUSEMOVE, 0, 0);
        EXPECT_EQ(CloseQueued(window), travel == 5);
    }
    if (!CloseQueued(window))
        PostMessageA(window, WM_CLOSE, 0, 0);  // ends the run either way
}

}  // namespace

// The full screen covers the virtual screen where the system reports one.
TEST_F(SaverWindowTest, FullScreenTakesTheVirtualScreen)
{
    RealGetSystemMetrics = PatchImport(Import_GetSystemMetrics, &ReportedMetrics);
    OnFront = CheckFullScreen;
    for (const MetricsRow& row : METRICS_ROWS) {
        SCOPED_TRACE(&row - METRICS_ROWS);
        Row = &row;
        UnregisterClassA(SAVER_CLASS_NAME, HostState.Instance);
        EXPECT_EQ(RunSaverWindow(nullptr), 0);
        EXPECT_EQ(BroughtToFront.size(), 1u);
        TearDown();
        SetUp();
    }
    OnFront = nullptr;
    PatchImport(Import_GetSystemMetrics, RealGetSystemMetrics);
}
