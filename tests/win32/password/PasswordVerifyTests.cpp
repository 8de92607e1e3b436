// The full-screen saver on the Windows 95 family with the desktop's password
// flag: closing waits for VerifyScreenSavePwd (the PASSWORD.CPL stand-in),
// and the saver-running state follows the loaded verifier.
#include "SaverProcess.h"
#include <gtest/gtest.h>
#include <cstring>

namespace {

class PasswordVerification : public ::testing::Test {
protected:
    void SetUp() override
    {
        // A new window under Wine can get a mouse move from where Wine last
        // tracked the pointer (512,384 at start-up); a pointer that an earlier
        // test left elsewhere would then close the saver on its own.
        SetCursorPos(512, 384);
        ClearScreenSaverRunning();
        SetWin95Family(true);
        SetPasswordFlag(1);
        ASSERT_TRUE(saver.AddFile(ORBILUX_SCR_PATH, "orbilux.scr"));
    }
    void TearDown() override
    {
        RemovePasswordFlag();
        SetWin95Family(false);
        ClearScreenSaverRunning();
    }

    void Script(const char* answers) { std::strcpy(record.VerifyAnswers, answers); }

    StandInRecord& record = FreshStandInRecord();
    SaverProcess saver;
};

TEST_F(PasswordVerification, RefusalKeepsTheSaverUntilAnAcceptanceEndsIt)
{
    ASSERT_TRUE(saver.AddFile(STANDIN_PASSWORD_PATH, "PASSWORD.CPL"));
    Script("k1"); // refuse (and press a key again at once), then accept
    ASSERT_TRUE(saver.Start("/s"));
    HWND window = saver.WaitForSaverWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(record.PasswordAttached, 1);
    EXPECT_EQ(record.RunningAtAttach, 0) << "running state switched on before the verifier was loaded";
    EXPECT_TRUE(ScreenSaverRunning()) << "running state off while the verifier is loaded";
    ASSERT_TRUE(WaitUntil([&] { return record.TicksHandled > 0; })) << "the figure never started";

    PressKey();
    ASSERT_TRUE(WaitUntil([&] { return record.VerifyCalls >= 1; })) << "a key did not ask for the password";
    // The close from the key, then the one from the key pressed during the
    // refusal: the second comes well within 200 ms and must not ask again.
    ASSERT_TRUE(WaitUntil([&] { return record.ClosesHandled >= 2; }));
    EXPECT_EQ(record.VerifyCalls, 1);
    EXPECT_EQ(record.Calls[0].Window, static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(window)));
    EXPECT_EQ(record.Calls[0].Running, 1);
    EXPECT_EQ(record.Calls[0].Depth, 1);
    EXPECT_TRUE(saver.Running());
    EXPECT_TRUE(IsWindow(window));
    EXPECT_TRUE(ScreenSaverRunning());
    // Both refusals stopped the animation timer on the way; the figure goes on.
    EXPECT_TRUE(WaitUntil([&] { return record.TicksHandled >= record.Calls[0].TicksAtReturn + 10; }))
        << "no ticks after the refused password";

    // Well past the 200 ms gap, a button press asks again.
    Sleep(300);
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    ASSERT_TRUE(WaitUntil([&] { return record.VerifyCalls >= 2; })) << "a later request did not ask again";
    DWORD exitCode = 1;
    ASSERT_TRUE(saver.WaitForExit(exitCode)) << "an accepted password did not end the saver";
    EXPECT_EQ(exitCode, 0u);
    EXPECT_EQ(record.VerifyCalls, 2);
    EXPECT_EQ(record.PasswordFreed, 1) << "the verifier was not unloaded";
    EXPECT_FALSE(ScreenSaverRunning()) << "running state left on after the run";
}

TEST_F(PasswordVerification, RequestsDuringTheCheckAreRefusedWithoutAskingAgain)
{
    ASSERT_TRUE(saver.AddFile(STANDIN_PASSWORD_PATH, "PASSWORD.CPL"));
    Script("n"); // sends WM_CLOSE, a key and a button from inside the check, then accepts
    ASSERT_TRUE(saver.Start("/s"));
    HWND window = saver.WaitForSaverWindow();
    ASSERT_NE(window, nullptr);

    PostMessageA(window, WM_CLOSE, 0, 0); // as another application would
    DWORD exitCode = 1;
    ASSERT_TRUE(saver.WaitForExit(exitCode));
    EXPECT_EQ(exitCode, 0u);
    EXPECT_EQ(record.VerifyCalls, 1);
    EXPECT_EQ(record.Calls[0].Depth, 1) << "a second check started inside the first";
    EXPECT_EQ(record.Calls[0].AliveAfterClose, 1) << "WM_CLOSE during the check destroyed the window";
    EXPECT_FALSE(ScreenSaverRunning());
}

TEST_F(PasswordVerification, AfterARefusalMovementCountsFromWhereThePointerStood)
{
    ASSERT_TRUE(saver.AddFile(STANDIN_PASSWORD_PATH, "PASSWORD.CPL"));
    Script("m1"); // the pointer moves to 600,600 during the refused check, and
                  // the window sees that move while the check runs
    ASSERT_TRUE(saver.Start("/s"));
    HWND window = saver.WaitForSaverWindow();
    ASSERT_NE(window, nullptr);
    SetCursorPos(300, 300);
    ASSERT_TRUE(WaitUntil([&] { return record.VerifyCalls >= 1 && record.ClosesHandled >= 1; }))
        << "a long mouse move did not ask for the password";
    Sleep(300); // past the 200 ms gap

    // Back and forth within 4 of that point: no close. The pauses leave a
    // wrongly posted close time to be handled before the next move.
    const POINT closeBy[] = {{603, 601}, {598, 598}, {600, 604}, {596, 600}};
    for (POINT p : closeBy) {
        LONG moves = record.MovesHandled;
        SetCursorPos(p.x, p.y);
        ASSERT_TRUE(WaitUntil([&] { return record.MovesHandled > moves; }));
        Sleep(100);
    }
    EXPECT_EQ(record.VerifyCalls, 1) << "a move within 4 of the pointer at the refusal asked again";

    // 3 across and 2 down: travel 5 closes, and the check accepts.
    SetCursorPos(603, 602);
    DWORD exitCode = 1;
    ASSERT_TRUE(saver.WaitForExit(exitCode));
    EXPECT_EQ(exitCode, 0u);
    ASSERT_EQ(record.VerifyCalls, 2);
    EXPECT_EQ(record.Calls[1].Cursor.x, 603);
    EXPECT_EQ(record.Calls[1].Cursor.y, 602);
}

// Every way in which no password is in use: input ends the run at once, the
// verifier is never asked and the running state is never switched on.
struct NoPasswordCase {
    const char* Name;
    void (*Prepare)(SaverProcess& saver);
    LONG NoEntryLoads;   // loads of the library without the entry point
    LRESULT VerifyAnswer; // WM_SAVERVERIFY: 1 on the family without a verifier, else default processing
};

void PrintTo(const NoPasswordCase& c, std::ostream* out)
{
    *out << c.Name;
}

class NoPassword : public PasswordVerification, public ::testing::WithParamInterface<NoPasswordCase> {};

TEST_P(NoPassword, InputEndsTheRunAtOnce)
{
    Script("0");
    GetParam().Prepare(saver);
    ASSERT_TRUE(saver.Start("/s"));
    HWND window = saver.WaitForSaverWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(ScreenSaverRunning());
    EXPECT_EQ(record.PasswordAttached, 0) << "the verifier was loaded with no password in use";
    EXPECT_EQ(record.NoEntryAttached, GetParam().NoEntryLoads);
    EXPECT_EQ(record.NoEntryFreed, GetParam().NoEntryLoads) << "a library without the entry point stayed loaded";
    EXPECT_EQ(SendMessageA(window, 0x8000 /* WM_SAVERVERIFY */, 0, 0), GetParam().VerifyAnswer);

    PressKey();
    DWORD exitCode = 1;
    ASSERT_TRUE(saver.WaitForExit(exitCode)) << "a key did not end the run";
    EXPECT_EQ(exitCode, 0u);
    EXPECT_EQ(record.VerifyCalls, 0);
    EXPECT_FALSE(ScreenSaverRunning());
}

void WithVerifier(SaverProcess& saver)
{
    saver.AddFile(STANDIN_PASSWORD_PATH, "PASSWORD.CPL");
}

const NoPasswordCase NoPasswordCases[] = {
    {"FlagMissing", [](SaverProcess& s) { RemovePasswordFlag(); WithVerifier(s); }, 0, 1},
    {"FlagZero", [](SaverProcess& s) { SetPasswordFlag(0); WithVerifier(s); }, 0, 1},
    {"FlagLongerThanFourBytes",
     [](SaverProcess& s) {
         static const char text[] = "password-on";
         SetPasswordFlag(REG_SZ, text, sizeof text);
         WithVerifier(s);
     },
     0, 1},
    {"LibraryMissing", [](SaverProcess&) {}, 0, 1},
    {"EntryPointMissing", [](SaverProcess& s) { s.AddFile(STANDIN_NOENTRY_PATH, "PASSWORD.CPL"); }, 1, 1},
    {"OutsideTheWin95Family", [](SaverProcess& s) { SetWin95Family(false); WithVerifier(s); }, 0, 0},
};

INSTANTIATE_TEST_SUITE_P(Cases, NoPassword, ::testing::ValuesIn(NoPasswordCases),
                         [](const ::testing::TestParamInfo<NoPasswordCase>& info) { return info.param.Name; });

} // namespace
