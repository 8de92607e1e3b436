#include "SaverWindowFixture.h"

#include "animation/AnimationState.h"
#include "host/HostState.h"
#include "host/SaverWindow.h"
#include "settings/Settings.h"

void SaverWindowTest::SetUp()
{
    ResetHostState();
    ResetAnimationState(AnimationState);
    ResetSettings();
    HostState.Instance = GetModuleHandleA(nullptr);
    RegisterSaverClass();  // already registered after the first test: harmless
    StartRecordingCalls();
    SetCursorPos(START_POINT.x, START_POINT.y);
}

void SaverWindowTest::TearDown()
{
    if (Window != nullptr && IsWindow(Window))
        DestroyWindow(Window);
    if (Parent != nullptr)
        DestroyWindow(Parent);
    // Drop what the windows left behind, the quit message included.
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
}

void SaverWindowTest::CreateSaver(HWND parent)
{
    if (parent != nullptr)
        HostState.IsPreview = 1;
    Window = CreateSaverWindow(parent, 320, 240);
    ASSERT_NE(Window, nullptr);
    ASSERT_EQ(HostState.SaverWindow, Window);
}

void SaverWindowTest::MoveMouseTo(int x, int y)
{
    SetCursorPos(x, y);
    POINT now;
    GetCursorPos(&now);
    ASSERT_EQ(now.x, x);
    ASSERT_EQ(now.y, y);
    SendMessageA(Window, WM_MOUSEMOVE, 0, MAKELPARAM(0, 0));
}

bool SaverWindowTest::TakeCloseRequest()
{
    MSG message;
    return PeekMessageA(&message, Window, WM_CLOSE, WM_CLOSE, PM_REMOVE) != 0;
}

void SaverWindowTest::Tick(int n)
{
    for (int i = 0; i < n; i++)
        SendMessageA(Window, WM_TIMER, 1, 0);
}
