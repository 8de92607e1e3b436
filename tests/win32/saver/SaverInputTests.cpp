// Which input ends the saver: keys, buttons, activation and mouse travel
// measured from a reference point, in the full screen and the preview.
#include "SaverWindowFixture.h"

#include "host/HostState.h"

namespace {

struct InputMessage {
    UINT Message;
    WPARAM WParam;
    const char* Name;
};

const InputMessage CLOSING_INPUT[] = {
    {WM_KEYDOWN, 'A', "WM_KEYDOWN"},         {WM_SYSKEYDOWN, VK_MENU, "WM_SYSKEYDOWN"},
    {WM_LBUTTONDOWN, MK_LBUTTON, "WM_LBUTTONDOWN"}, {WM_RBUTTONDOWN, MK_RBUTTON, "WM_RBUTTONDOWN"},
    {WM_MBUTTONDOWN, MK_MBUTTON, "WM_MBUTTONDOWN"}, {WM_ACTIVATEAPP, FALSE, "WM_ACTIVATEAPP off"},
};

const InputMessage HARMLESS_INPUT[] = {
    {WM_KEYUP, 'A', "WM_KEYUP"},           {WM_SYSKEYUP, VK_MENU, "WM_SYSKEYUP"},
    {WM_CHAR, 'a', "WM_CHAR"},             {WM_LBUTTONUP, 0, "WM_LBUTTONUP"},
    {WM_RBUTTONUP, 0, "WM_RBUTTONUP"},     {WM_MBUTTONUP, 0, "WM_MBUTTONUP"},
    {WM_LBUTTONDBLCLK, 0, "WM_LBUTTONDBLCLK"}, {WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), "WM_MOUSEWHEEL"},
    {WM_MOUSEHWHEEL, MAKEWPARAM(0, WHEEL_DELTA), "WM_MOUSEHWHEEL"}, {WM_ACTIVATEAPP, TRUE, "WM_ACTIVATEAPP on"},
};

}  // namespace

TEST_F(SaverWindowTest, KeysButtonsAndLostActivationRequestAClose)
{
    CreateSaver();
    for (const InputMessage& input : CLOSING_INPUT) {
        int defaults = DefaultCalls(Window, input.Message);
        SendMessageA(Window, input.Message, input.WParam, 0);
        EXPECT_TRUE(TakeCloseRequest()) << input.Name;
        // The input itself still gets default processing.
        EXPECT_EQ(DefaultCalls(Window, input.Message), defaults + 1) << input.Name;
    }
}

TEST_F(SaverWindowTest, ReleasesCharactersDoubleClicksAndWheelsDoNot)
{
    CreateSaver();
    for (const InputMessage& input : HARMLESS_INPUT) {
        SendMessageA(Window, input.Message, input.WParam, 0);
        EXPECT_FALSE(TakeCloseRequest()) << input.Name;
    }
    EXPECT_TRUE(IsWindow(Window));
}

TEST_F(SaverWindowTest, MouseTravelMustExceedFourFromTheReference)
{
    CreateSaver();
    EXPECT_EQ(HostState.ReferencePoint.x, START_POINT.x);
    EXPECT_EQ(HostState.ReferencePoint.y, START_POINT.y);
    MoveMouseTo(START_POINT.x + 3, START_POINT.y + 1);
    EXPECT_FALSE(TakeCloseRequest()) << "travel 4";
    MoveMouseTo(START_POINT.x + 3, START_POINT.y - 2);
    EXPECT_TRUE(TakeCloseRequest()) << "travel 5";
    // The reference follows the pointer once a move has closed.
    EXPECT_EQ(HostState.ReferencePoint.x, START_POINT.x + 3);
    EXPECT_EQ(HostState.ReferencePoint.y, START_POINT.y - 2);
}

TEST_F(SaverWindowTest, JitterNeverClosesButSmallStepsAddUp)
{
    CreateSaver();
    const POINT jitter[] = {{4, 0}, {-4, 0}, {0, 4}, {0, -4}, {2, 2}, {-2, -2}, {-1, 3}, {0, 0}, {4, 0}};
    for (int round = 0; round < 3; round++) {
        for (const POINT& d : jitter) {
            MoveMouseTo(START_POINT.x + d.x, START_POINT.y + d.y);
            EXPECT_FALSE(TakeCloseRequest()) << d.x << "," << d.y;
        }
    }
    // Five moves of one pixel the same way close on the fifth.
    MoveMouseTo(START_POINT.x, START_POINT.y);
    for (int step = 1; step <= 5; step++) {
        MoveMouseTo(START_POINT.x, START_POINT.y + step);
        EXPECT_EQ(TakeCloseRequest(), step == 5) << "step " << step;
    }
}

TEST_F(SaverWindowTest, CloseOutsideThe95FamilyDestroysAtOnce)
{
    CreateSaver();
    SendMessageA(Window, WM_KEYDOWN, 'A', 0);
    MSG message;
    ASSERT_TRUE(PeekMessageA(&message, Window, WM_CLOSE, WM_CLOSE, PM_REMOVE));
    DispatchMessageA(&message);
    EXPECT_FALSE(IsWindow(Window));
    EXPECT_EQ(HostState.CloseGranted, 0u);
    ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 0u);
}

TEST_F(SaverWindowTest, PreviewIgnoresInputUntilItsParentCloses)
{
    Parent = CreateWindowExA(0, "STATIC", "parent", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr,
                             nullptr, nullptr);
    CreateSaver(Parent);
    for (const InputMessage& input : CLOSING_INPUT) {
        SendMessageA(Window, input.Message, input.WParam, 0);
        EXPECT_FALSE(TakeCloseRequest()) << input.Name;
    }
    MoveMouseTo(START_POINT.x + 100, START_POINT.y + 100);
    EXPECT_FALSE(TakeCloseRequest());
    SendMessageA(Window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(Window));
}

TEST_F(SaverWindowTest, PointerStaysHiddenOverTheFullScreen)
{
    CreateSaver();
    SetCursor(LoadCursor(nullptr, IDC_ARROW));
    EXPECT_EQ(SendMessageA(Window, WM_SETCURSOR, reinterpret_cast<WPARAM>(Window), MAKELPARAM(HTCLIENT, 0)), 1);
    EXPECT_EQ(GetCursor(), nullptr);
    EXPECT_EQ(DefaultCalls(Window, WM_SETCURSOR), 0);
}
