// Closing on the Windows 95 family with a password verifier in the process:
// a refused password keeps the window and the figure going.
#include "SaverWindowFixture.h"

#include "animation/AnimationState.h"
#include "host/HostState.h"

namespace {

BOOL VerifierAnswer = FALSE;
int VerifierCalls = 0;

BOOL WINAPI FakeVerifyScreenSavePwd(HWND)
{
    VerifierCalls++;
    return VerifierAnswer;
}

class PasswordCloseTest : public SaverWindowTest {
protected:
    void SetUp() override
    {
        SaverWindowTest::SetUp();
        HostState.IsWin95Family = 1;
        HostState.VerifyPassword = reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(&FakeVerifyScreenSavePwd));
        VerifierCalls = 0;
    }
};

}  // namespace

TEST_F(PasswordCloseTest, RefusedPasswordKeepsTheWindowAndTheFigureGoing)
{
    VerifierAnswer = FALSE;
    CreateSaver();
    Tick(3);
    SetCursorPos(START_POINT.x + 40, START_POINT.y + 40);
    EXPECT_EQ(SendMessageA(Window, WM_CLOSE, 0, 0), 0);
    EXPECT_EQ(VerifierCalls, 1);
    EXPECT_TRUE(IsWindow(Window));
    EXPECT_EQ(HostState.CloseGranted, 0u);
    // Movement now counts from where the pointer stood at the refusal.
    EXPECT_EQ(HostState.ReferencePoint.x, START_POINT.x + 40);
    EXPECT_EQ(HostState.ReferencePoint.y, START_POINT.y + 40);

    // The timer that WM_CLOSE stopped runs again: real ticks arrive.
    EXPECT_NE(AnimationState.TimerId, 0u);
    bool ticked = false;
    DWORD start = GetTickCount();
    while (!ticked && GetTickCount() - start < 20000) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        ticked = AnimationState.Step > 3;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
    EXPECT_TRUE(ticked);
}

TEST_F(PasswordCloseTest, AcceptedPasswordClosesAndDropsLaterTicks)
{
    VerifierAnswer = TRUE;
    CreateSaver();
    SendMessageA(Window, WM_CLOSE, 0, 0);
    EXPECT_EQ(VerifierCalls, 1);
    EXPECT_EQ(HostState.CloseGranted, 1u);
    EXPECT_FALSE(IsWindow(Window));
}
