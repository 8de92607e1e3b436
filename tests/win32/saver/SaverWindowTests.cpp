// The saver window procedure inside a test program: which input asks for a
// close, the fixed title, system commands, the preview's forwarding, GDI
// objects over many ticks and a refused password.
#include "SaverWindowFixture.h"

#include "animation/AnimationState.h"
#include "host/HostState.h"
#include "Support.h"

namespace {

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

int VerifierCalls = 0;
BOOL WINAPI RefusingVerifier(HWND)
{
    VerifierCalls++;
    return FALSE;
}

}  // namespace

TEST_F(SaverWindowTest, InputClosesTheFullScreenOnly)
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

TEST_F(SaverWindowTest, TitleNeverChanges)
{
    CreateSaver();
    SetWindowTextA(Window, "Something else");
    char title[64] = "";
    GetWindowTextA(Window, title, sizeof(title));
    EXPECT_STREQ(title, "Screen Saver");
}

TEST_F(SaverWindowTest, SwitchingCommandsReachDefaultProcessingOnlyInThePreview)
{
    for (bool preview : {false, true}) {
        CreateSaver(preview);
        for (WPARAM command : SWITCHING_COMMANDS) {
            SendMessageA(Window, WM_SYSCOMMAND, command, 0);
            EXPECT_EQ(DefaultCalls(WM_SYSCOMMAND, command), preview ? 1 : 0) << std::hex << command;
        }
        SendMessageA(Window, WM_SYSCOMMAND, SC_CLOSE, 0);
        EXPECT_EQ(DefaultCalls(WM_SYSCOMMAND, SC_CLOSE), 1);
        TearDown();
        SetUp();
    }
}

TEST_F(SaverWindowTest, PreviewPostsHelpAndMenusToItsParent)
{
    CreateSaver(true);
    HELPINFO help = {};
    help.cbSize = sizeof(help);
    SendMessageA(Window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Window), MAKELPARAM(7, 9));
    SendMessageA(Window, WM_HELP, 0, reinterpret_cast<LPARAM>(&help));
    ASSERT_EQ(RecordedCalls.Posts.size(), 2u);
    const UINT messages[] = {WM_CONTEXTMENU, WM_HELP};
    const LPARAM lParams[] = {MAKELPARAM(7, 9), reinterpret_cast<LPARAM>(&help)};
    for (int i = 0; i < 2; i++) {
        const CallRecord& post = RecordedCalls.Posts[i];
        EXPECT_EQ(post.Window, Parent);
        EXPECT_EQ(post.Message, messages[i]);
        EXPECT_EQ(post.WParam, reinterpret_cast<WPARAM>(Parent));
        EXPECT_EQ(post.LParam, lParams[i]);
    }
}

TEST_F(SaverWindowTest, TicksOfSeveralFiguresLeaveNoPenBehind)
{
    CreateSaver();
    ASSERT_EQ(RecordedCalls.Brushes.size(), 1u);
    HGDIOBJ background = RecordedCalls.Brushes[0];
    const int ticks = 6 * 360 + 100;
    for (int i = 0; i < ticks; i++)
        SendMessageA(Window, WM_TIMER, 1, 0);
    ASSERT_EQ(RecordedCalls.Pens.size(), static_cast<size_t>(ticks));
    int alive = 0;
    for (HGDIOBJ pen : RecordedCalls.Pens)
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
    EXPECT_EQ(VerifierCalls, 1);
    EXPECT_TRUE(IsWindow(Window));
    // The timer that WM_CLOSE stopped runs again: real ticks arrive.
    EXPECT_TRUE(PumpUntil([] { return AnimationState.Step > 1; }));
}
