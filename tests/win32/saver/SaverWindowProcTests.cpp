// The host's own share of the saver window's messages: the fixed title,
// system commands, help requests in the preview, ticks after the close.
#include "SaverWindowFixture.h"

#include "animation/AnimationState.h"
#include "host/HostState.h"

TEST_F(SaverWindowTest, TitleNeverChanges)
{
    CreateSaver();
    EXPECT_EQ(SetWindowTextA(Window, "Something else"), FALSE);
    char title[64] = "";
    GetWindowTextA(Window, title, sizeof(title));
    EXPECT_STREQ(title, "Screen Saver");
    EXPECT_EQ(FindWindowA("WindowsScreenSaverClass", "Screen Saver"), Window);
}

TEST_F(SaverWindowTest, FullScreenSwallowsWindowSwitchingAndSaverCommands)
{
    CreateSaver();
    for (WPARAM command : {SC_NEXTWINDOW, SC_PREVWINDOW, SC_SCREENSAVE}) {
        EXPECT_EQ(SendMessageA(Window, WM_SYSCOMMAND, command, 0), 0);
        EXPECT_EQ(DefaultCalls(Window, WM_SYSCOMMAND, command), 0) << std::hex << command;
    }
    // The whole wParam is compared: low bits set make another command.
    SendMessageA(Window, WM_SYSCOMMAND, SC_NEXTWINDOW | 1, 0);
    EXPECT_EQ(DefaultCalls(Window, WM_SYSCOMMAND, SC_NEXTWINDOW | 1), 1);
    SendMessageA(Window, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(DefaultCalls(Window, WM_SYSCOMMAND, SC_CLOSE), 1);
}

TEST_F(SaverWindowTest, PreviewLeavesSystemCommandsToDefaultProcessing)
{
    Parent = CreateWindowExA(0, "STATIC", "parent", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr,
                             nullptr, nullptr);
    CreateSaver(Parent);
    for (WPARAM command : {SC_NEXTWINDOW, SC_PREVWINDOW, SC_SCREENSAVE}) {
        SendMessageA(Window, WM_SYSCOMMAND, command, 0);
        EXPECT_EQ(DefaultCalls(Window, WM_SYSCOMMAND, command), 1) << std::hex << command;
    }
}

TEST_F(SaverWindowTest, PreviewPostsHelpAndMenusToItsParent)
{
    Parent = CreateWindowExA(0, "STATIC", "parent", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr,
                             nullptr, nullptr);
    CreateSaver(Parent);
    HELPINFO help = {};
    help.cbSize = sizeof(help);
    LPARAM helpParam = reinterpret_cast<LPARAM>(&help);
    RecordedCalls.Posts.clear();
    EXPECT_EQ(SendMessageA(Window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Window), MAKELPARAM(7, 9)), 1);
    EXPECT_EQ(SendMessageA(Window, WM_HELP, 0, helpParam), 1);
    ASSERT_EQ(RecordedCalls.Posts.size(), 2u);
    const CallRecord& menu = RecordedCalls.Posts[0];
    EXPECT_EQ(menu.Window, Parent);
    EXPECT_EQ(menu.Message, static_cast<UINT>(WM_CONTEXTMENU));
    EXPECT_EQ(menu.WParam, reinterpret_cast<WPARAM>(Parent));
    EXPECT_EQ(menu.LParam, MAKELPARAM(7, 9));
    const CallRecord& forwarded = RecordedCalls.Posts[1];
    EXPECT_EQ(forwarded.Window, Parent);
    EXPECT_EQ(forwarded.Message, static_cast<UINT>(WM_HELP));
    EXPECT_EQ(forwarded.WParam, reinterpret_cast<WPARAM>(Parent));
    EXPECT_EQ(forwarded.LParam, helpParam);
    // The menu arrives at the parent; the saver handled neither itself.
    MSG message;
    ASSERT_TRUE(PeekMessageA(&message, Parent, WM_CONTEXTMENU, WM_CONTEXTMENU, PM_REMOVE));
    EXPECT_EQ(message.wParam, reinterpret_cast<WPARAM>(Parent));
    EXPECT_EQ(DefaultCalls(Window, WM_CONTEXTMENU) + DefaultCalls(Window, WM_HELP), 0);
}

TEST_F(SaverWindowTest, FullScreenKeepsHelpAndMenusToItself)
{
    CreateSaver();
    RecordedCalls.Posts.clear();
    SendMessageA(Window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Window), MAKELPARAM(7, 9));
    EXPECT_TRUE(RecordedCalls.Posts.empty());
    EXPECT_EQ(DefaultCalls(Window, WM_CONTEXTMENU), 1);
}

TEST_F(SaverWindowTest, AnyTimerDrawsUntilTheCloseIsGranted)
{
    CreateSaver();
    size_t pens = RecordedCalls.Pens.size();
    SendMessageA(Window, WM_TIMER, 1, 0);
    SendMessageA(Window, WM_TIMER, 77, 0);
    EXPECT_EQ(AnimationState.Step, 2);
    EXPECT_EQ(RecordedCalls.Pens.size(), pens + 2);

    HostState.CloseGranted = 1;
    EXPECT_EQ(SendMessageA(Window, WM_TIMER, 1, 0), 0);
    EXPECT_EQ(AnimationState.Step, 2);
    EXPECT_EQ(RecordedCalls.Pens.size(), pens + 2);
    // Input goes straight to default processing and asks for nothing.
    SendMessageA(Window, WM_KEYDOWN, 'A', 0);
    EXPECT_FALSE(TakeCloseRequest());
    EXPECT_EQ(DefaultCalls(Window, WM_KEYDOWN), 1);
}
