// The full-screen saver on the Windows 95 family with the desktop's password
// flag: closing waits for VerifyScreenSavePwd (the PASSWORD.CPL stand-in),
// and the saver-running state follows the loaded verifier.
#include <gtest/gtest.h>

#include <cstring>

#include "PasswordRun.h"

namespace {

const DWORD ONE = 1;

class PasswordVerification : public ::testing::Test {
protected:
    void SetUp() override
    {
        // A new window under Wine can get a mouse move from where Wine last
        // tracked the pointer (512,384 at start-up); a pointer that an earlier
        // test left elsewhere would then close the saver on its own.
        SetCursorPos(512, 384);
        ClearScreenSaverRunning();
        SetWin95Family("orbilux.scr", true);
        SetPasswordFlag(REG_DWORD, &ONE, sizeof ONE);
    }
    void TearDown() override
    {
        SetPasswordFlag(REG_DWORD, nullptr, 0);
        SetWin95Family("orbilux.scr", false);
        ClearScreenSaverRunning();
    }
    // Starts the full screen with the verifier answering `answers` (see
    // StandInRecord) and returns its window once in front.
    HWND StartWithVerifier(const char* answers)
    {
        std::strcpy(record.VerifyAnswers, answers);
        saver.AddFile(STANDIN_PASSWORD_PATH, "PASSWORD.CPL");
        return saver.Start("/s") ? saver.WaitForFullScreen() : nullptr;
    }

    StandInRecord& record = FreshStandInRecord();
    SaverFolder saver;
};

TEST_F(PasswordVerification, RefusalKeepsTheSaverUntilAnAcceptanceEndsIt)
{
    HWND window = StartWithVerifier("k1");  // refuse (and press a key again at once), then accept
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(record.PasswordAttached, 1);
    EXPECT_EQ(record.RunningAtAttach, 0) << "running state switched on before the verifier was loaded";
    EXPECT_TRUE(ScreenSaverRunning()) << "running state off while the verifier is loaded";
    ASSERT_TRUE(PumpUntil([&] { return record.TicksHandled > 0; })) << "the figure never started";

    PressKey();
    // The close from the key, then the one from the key pressed during the
    // refusal: the second comes well within 200 ms and must not ask again.
    ASSERT_TRUE(PumpUntil([&] { return record.VerifyCalls >= 1 && record.ClosesHandled >= 2; }));
    EXPECT_EQ(record.VerifyCalls, 1);
    EXPECT_EQ(record.Calls[0].Window, static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(window)));
    EXPECT_EQ(record.Calls[0].Running, 1);
    EXPECT_TRUE(IsWindow(window));
    // The refusal stopped the animation timer on the way; the figure goes on.
    EXPECT_TRUE(PumpUntil([&] { return record.TicksHandled >= record.Calls[0].TicksAtReturn + 10; }))
        << "no ticks after the refused password";

    // Well past the 200 ms gap, a button press asks again and is accepted.
    Sleep(300);
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    EXPECT_EQ(saver.WaitExit(), 0u) << "an accepted password did not end the saver";
    EXPECT_EQ(record.VerifyCalls, 2);
    EXPECT_EQ(record.PasswordFreed, 1) << "the verifier was not unloaded";
    EXPECT_FALSE(ScreenSaverRunning()) << "running state left on after the run";
}

// Every way in which no password is in use: input ends the run at once, the
// verifier is never asked and the running state is never switched on.
struct NoPasswordCase {
    const char* Name;
    DWORD FlagType;           // with FlagData: the flag's value; REG_NONE: removed
    const char* FlagData;
    const char* LibraryPath;  // copied as PASSWORD.CPL, if any
    bool Win95Family;
};

const DWORD ZERO = 0;
const NoPasswordCase NO_PASSWORD_CASES[] = {
    {"FlagMissing", REG_NONE, nullptr, STANDIN_PASSWORD_PATH, true},
    {"FlagZero", REG_DWORD, reinterpret_cast<const char*>(&ZERO), STANDIN_PASSWORD_PATH, true},
    {"FlagLongerThanFourBytes", REG_SZ, "password-on", STANDIN_PASSWORD_PATH, true},
    {"LibraryMissing", REG_DWORD, nullptr, nullptr, true},
    {"EntryPointMissing", REG_DWORD, nullptr, STANDIN_NOENTRY_PATH, true},
    {"OutsideTheWin95Family", REG_DWORD, nullptr, STANDIN_PASSWORD_PATH, false},
};

class NoPassword : public PasswordVerification, public ::testing::WithParamInterface<NoPasswordCase> {};

TEST_P(NoPassword, InputEndsTheRunAtOnce)
{
    const NoPasswordCase& c = GetParam();
    if (c.FlagType == REG_NONE)
        SetPasswordFlag(REG_DWORD, nullptr, 0);
    else if (c.FlagData != nullptr)
        SetPasswordFlag(c.FlagType, c.FlagData, c.FlagType == REG_SZ ? 12 : 4);
    SetWin95Family("orbilux.scr", c.Win95Family);
    std::strcpy(record.VerifyAnswers, "0");
    if (c.LibraryPath != nullptr)
        saver.AddFile(c.LibraryPath, "PASSWORD.CPL");
    ASSERT_TRUE(saver.Start("/s"));
    HWND window = saver.WaitForFullScreen();
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(ScreenSaverRunning());
    EXPECT_EQ(record.PasswordAttached, 0) << "the verifier was loaded with no password in use";
    EXPECT_EQ(record.LibraryAttached, record.LibraryFreed) << "a library without the entry point stayed loaded";
    PressKey();
    EXPECT_EQ(saver.WaitExit(), 0u) << "a key did not end the run";
    EXPECT_EQ(record.VerifyCalls, 0);
    EXPECT_FALSE(ScreenSaverRunning());
}

INSTANTIATE_TEST_SUITE_P(Cases, NoPassword, ::testing::ValuesIn(NO_PASSWORD_CASES),
                         [](const ::testing::TestParamInfo<NoPasswordCase>& info) { return info.param.Name; });

}  // namespace
