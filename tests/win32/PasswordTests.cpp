// orbilux.scr on Wine's Windows 98 emulation, in a folder of its own beside
// the stand-in libraries: closing waits for VerifyScreenSavePwd (the
// PASSWORD.CPL stand-in), whatever input floods in meanwhile, the
// saver-running state follows the loaded verifier, a fault inside the
// verifier is handled by the fault guard, and /a calls PwdChangePasswordA (the
// MPR.DLL stand-in).
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "StandInRecord.h"
#include "Support.h"

namespace {

const DWORD ONE = 1, ZERO = 0;
const char* const DESKTOP = "Control Panel\\Desktop";

// SPI_GETSCREENSAVERRUNNING as a new process sees it (each process keeps its own copy once read).
bool ScreenSaverRunning()
{
    SaverProcess probe;
    probe.Program = RUNNING_PROBE_PATH;
    return probe.Start("probe") && probe.WaitExit() == 1;
}

DWORD Handle(HWND window)
{
    return static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(window));
}

class PasswordRun : public ::testing::Test {
protected:
    // Also between the rows of a test: a fresh folder, record and state.
    void SetUp() override
    {
        // A new window under Wine can get a mouse move from where Wine last tracked
        // the pointer (512,384 at start-up), which would close the saver on its own.
        SetCursorPos(512, 384);
        SetWin95Family("orbilux.scr", true);
        PutValue(DESKTOP, "ScreenSaveUsePassword", REG_DWORD, &ONE, 4);
        ZeroMemory(&Record, sizeof Record);
        Saver.Folder = "C:\\orbilux-password";
        CreateDirectoryA(Saver.Folder.c_str(), nullptr);
        AddFile(SaverPath().c_str(), "orbilux.scr");
    }
    void TearDown() override
    {
        Saver.Close();
        for (const char* name : {"orbilux.scr", "PASSWORD.CPL", "PASSWORD.CPL.ticks", "MPR.DLL"})
            DeleteFileA((Saver.Folder + "\\" + name).c_str());
        RemoveDirectoryA(Saver.Folder.c_str());
        PutValue(DESKTOP, "ScreenSaveUsePassword", REG_DWORD, nullptr, 0);
        SetWin95Family("orbilux.scr", false);
        BOOL previous;  // never leave the state on for later tests sharing this wineserver
        SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, FALSE, &previous, 0);
    }
    void AddFile(const char* source, const char* name)
    {
        ASSERT_TRUE(CopyFileA(source, (Saver.Folder + "\\" + name).c_str(), FALSE)) << name;
        Saver.Program = Saver.Folder + "\\orbilux.scr";
    }

    StandInRecord& Record = *OpenStandInRecord();
    SaverProcess Saver;
};

}  // namespace

TEST_F(PasswordRun, RefusalKeepsTheSaverUntilAnAcceptanceEndsIt)
{
    std::strcpy(Record.VerifyAnswers, "k1");  // refuse (after a flood of input), then accept
    AddFile(PASSWORD_PATH, "PASSWORD.CPL");
    ASSERT_TRUE(Saver.Start("/s"));
    HWND window = Saver.WaitForWindow(FULL_SCREEN);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(Record.PasswordAttached, 1);
    EXPECT_EQ(Record.RunningAtAttach, 0) << "running state switched on before the verifier was loaded";
    EXPECT_TRUE(ScreenSaverRunning()) << "running state off while the verifier is loaded";
    ASSERT_TRUE(PumpUntil([&] { return Record.TicksHandled > 0; })) << "the figure never started";

    UserInput(VK_SPACE);
    // The closes and input during the check, then those queued behind it (well
    // within 200 ms): none asks again or closes. The refusal stopped the
    // animation timer on the way; the figure goes on once the queue is empty.
    ASSERT_TRUE(PumpUntil([&] {
        return Record.ClosesHandled > 2 * FLOOD && Record.TicksHandled >= Record.FirstTicksAtReturn + 10;
    }));
    EXPECT_EQ(Record.VerifyCalls, 1);
    EXPECT_EQ(Record.FirstWindow, Handle(window));
    EXPECT_EQ(Record.FirstRunning, 1);
    EXPECT_TRUE(IsWindow(window));

    Sleep(300);  // well past the gap, a button press asks again and is accepted
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    EXPECT_EQ(Saver.WaitExit(), 0u) << "an accepted password did not end the saver";
    EXPECT_EQ(Record.VerifyCalls, 2);
    EXPECT_EQ(Record.PasswordFreed, 1) << "the verifier was not unloaded";
    EXPECT_FALSE(ScreenSaverRunning()) << "running state left on after the run";
}

// A fault inside the verifier: the fault guard asks the system's filter (here
// the stand-in's, which has it handled), switches the running state off and
// ends the process.
TEST_F(PasswordRun, FaultInTheVerifierIsHandledByTheGuard)
{
    std::strcpy(Record.VerifyAnswers, "f");
    AddFile(PASSWORD_PATH, "PASSWORD.CPL");
    EXPECT_EQ(Saver.Run("/s", FULL_SCREEN, [](HWND) { UserInput(VK_SPACE); }), DWORD(-1));
    EXPECT_EQ(Record.VerifyCalls, 1);
    EXPECT_EQ(Record.FilterCalls, 1);
    EXPECT_FALSE(ScreenSaverRunning()) << "running state left on after the fault";
}

// Every way in which no password is in use: input ends the run at once, the
// verifier is never asked and the running state is never switched on.
TEST_F(PasswordRun, WithNoPasswordInUseInputEndsTheRunAtOnce)
{
    const struct { const char* Name; DWORD Type; const void* Flag; DWORD Size; const char* Library; bool Win98; } rows[] = {
        {"flag missing", REG_DWORD, nullptr, 0, PASSWORD_PATH, true},
        {"flag zero", REG_DWORD, &ZERO, 4, PASSWORD_PATH, true},
        {"flag longer than 4 bytes", REG_SZ, "password-on", 12, PASSWORD_PATH, true},
        {"library missing", REG_DWORD, &ONE, 4, nullptr, true},
        {"entry point missing", REG_DWORD, &ONE, 4, NOENTRY_PATH, true},
        {"outside the Windows 95 family", REG_DWORD, &ONE, 4, PASSWORD_PATH, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        TearDown(), SetUp();
        PutValue(DESKTOP, "ScreenSaveUsePassword", row.Type, row.Flag, row.Size);
        SetWin95Family("orbilux.scr", row.Win98);
        std::strcpy(Record.VerifyAnswers, "0");
        if (row.Library != nullptr)
            AddFile(row.Library, "PASSWORD.CPL");
        EXPECT_EQ(Saver.Run("/s", FULL_SCREEN, [&](HWND) {
            EXPECT_FALSE(ScreenSaverRunning());
            EXPECT_EQ(Record.PasswordAttached, 0) << "the verifier was loaded with no password in use";
            EXPECT_EQ(Record.LibraryAttached, Record.LibraryFreed) << "a library without the entry point stayed loaded";
            UserInput(VK_SPACE);
        }), 0u) << "a key did not end the run";
        EXPECT_EQ(Record.VerifyCalls, 0);
    }
}

// /a calls the provider with the owner given, or else the foreground window,
// and ends with 0 whatever happens.
TEST_F(PasswordRun, ChangeCallsTheProviderWithTheOwnerOrTheForegroundWindow)
{
    HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_POPUP | WS_VISIBLE, 10, 10, 50, 50, 0, 0, 0, 0);
    HWND front = CreateWindowExA(0, "STATIC", "front", WS_POPUP | WS_VISIBLE, 70, 10, 50, 50, 0, 0, 0, 0);
    SetForegroundWindow(front);
    const struct { const char* Library; std::string Tail; HWND CalledWith; } rows[] = {
        {MPR_PATH, "/a " + std::to_string(Handle(owner)), owner}, {MPR_PATH, "-A 1", front},
        {NOENTRY_PATH, "/a " + std::to_string(Handle(owner)), nullptr},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Library + (" " + row.Tail));
        TearDown(), SetUp();
        AddFile(row.Library, "MPR.DLL");
        EXPECT_EQ(Saver.Run(row.Tail, nullptr, [](HWND) {}), 0u);
        ASSERT_EQ(Record.ChangeCalls, row.CalledWith ? 1 : 0);
        EXPECT_EQ(Record.LibraryFreed, Record.LibraryAttached) << "MPR.DLL stayed loaded";
        if (row.CalledWith) {
            EXPECT_STREQ(Record.ChangeProvider, "SCRSAVE");
            EXPECT_EQ(Record.ChangeOwner, Handle(row.CalledWith));
            EXPECT_EQ(Record.ChangeArgument3 | Record.ChangeArgument4, 0u);
        }
    }
    DestroyWindow(front);
    DestroyWindow(owner);
}
