// orbilux.scr on Wine's Windows 98 emulation, in a folder of its own beside
// the stand-in libraries: closing waits for VerifyScreenSavePwd (the
// PASSWORD.CPL stand-in), the saver-running state follows the loaded
// verifier, and /a calls PwdChangePasswordA (the MPR.DLL stand-in).
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "StandInRecord.h"
#include "Support.h"

namespace {

const DWORD ONE = 1, ZERO = 0;
const char* const DESKTOP = "Control Panel\\Desktop";

// SPI_GETSCREENSAVERRUNNING as a new process sees it: each process keeps its
// own copy of the value once read.
bool ScreenSaverRunning()
{
    SaverProcess probe;
    probe.Program = RUNNING_PROBE_PATH;
    return probe.StartLine("probe") && probe.WaitExit() == 1;
}

void ClearScreenSaverRunning()
{
    BOOL previous;
    SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, FALSE, &previous, 0);
}

DWORD Handle(HWND window)
{
    return static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(window));
}

class PasswordRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        // A new window under Wine can get a mouse move from where Wine last
        // tracked the pointer (512,384 at start-up); a pointer left elsewhere
        // would then close the saver on its own.
        SetCursorPos(512, 384);
        ClearScreenSaverRunning();
        SetWin95Family("orbilux.scr", true);
        PutValue(DESKTOP, "ScreenSaveUsePassword", REG_DWORD, &ONE, 4);
        ZeroMemory(&Record, sizeof Record);
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        Folder = temp + ("orbilux-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++Runs));
        CreateDirectoryA(Folder.c_str(), nullptr);
        Saver.Program = Folder + "\\orbilux.scr";
        Saver.Folder = Folder;
        AddFile(SaverPath().c_str(), "orbilux.scr");
    }
    void TearDown() override
    {
        Saver.Close();
        for (const char* name : {"orbilux.scr", "PASSWORD.CPL", "PASSWORD.CPL.ticks", "MPR.DLL"})
            DeleteFileA((Folder + "\\" + name).c_str());
        RemoveDirectoryA(Folder.c_str());
        PutValue(DESKTOP, "ScreenSaveUsePassword", REG_DWORD, nullptr, 0);
        SetWin95Family("orbilux.scr", false);
        ClearScreenSaverRunning();
    }
    void AddFile(const char* source, const char* name)
    {
        ASSERT_TRUE(CopyFileA(source, (Folder + "\\" + name).c_str(), FALSE));
    }

    StandInRecord& Record = *OpenStandInRecord();
    SaverProcess Saver;
    std::string Folder;
    static int Runs;
};
int PasswordRun::Runs = 0;

}  // namespace

TEST_F(PasswordRun, RefusalKeepsTheSaverUntilAnAcceptanceEndsIt)
{
    std::strcpy(Record.VerifyAnswers, "k1");  // refuse (with a close inside, and a key), then accept
    AddFile(PASSWORD_PATH, "PASSWORD.CPL");
    ASSERT_TRUE(Saver.Start("/s"));
    HWND window = Saver.WaitForFullScreen();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(Record.PasswordAttached, 1);
    EXPECT_EQ(Record.RunningAtAttach, 0) << "running state switched on before the verifier was loaded";
    EXPECT_TRUE(ScreenSaverRunning()) << "running state off while the verifier is loaded";
    ASSERT_TRUE(PumpUntil([&] { return Record.TicksHandled > 0; })) << "the figure never started";

    PressKey();
    // The close sent during the check, the key's close, then the one from the
    // key pressed during the refusal (well within 200 ms): none asks again.
    ASSERT_TRUE(PumpUntil([&] { return Record.VerifyCalls >= 1 && Record.ClosesHandled >= 3; }));
    EXPECT_EQ(Record.VerifyCalls, 1);
    EXPECT_EQ(Record.Calls[0].Window, Handle(window));
    EXPECT_EQ(Record.Calls[0].Running, 1);
    EXPECT_TRUE(IsWindow(window));
    // The refusal stopped the animation timer on the way; the figure goes on.
    EXPECT_TRUE(PumpUntil([&] { return Record.TicksHandled >= Record.Calls[0].TicksAtReturn + 10; }));

    Sleep(300);  // well past the gap, a button press asks again and is accepted
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    EXPECT_EQ(Saver.WaitExit(), 0u) << "an accepted password did not end the saver";
    EXPECT_EQ(Record.VerifyCalls, 2);
    EXPECT_EQ(Record.PasswordFreed, 1) << "the verifier was not unloaded";
    EXPECT_FALSE(ScreenSaverRunning()) << "running state left on after the run";
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
        TearDown();
        SetUp();
        PutValue(DESKTOP, "ScreenSaveUsePassword", row.Type, row.Flag, row.Size);
        SetWin95Family("orbilux.scr", row.Win98);
        std::strcpy(Record.VerifyAnswers, "0");
        if (row.Library != nullptr)
            AddFile(row.Library, "PASSWORD.CPL");
        ASSERT_TRUE(Saver.Start("/s"));
        ASSERT_NE(Saver.WaitForFullScreen(), nullptr);
        EXPECT_FALSE(ScreenSaverRunning());
        EXPECT_EQ(Record.PasswordAttached, 0) << "the verifier was loaded with no password in use";
        EXPECT_EQ(Record.LibraryAttached, Record.LibraryFreed) << "a library without the entry point stayed loaded";
        PressKey();
        EXPECT_EQ(Saver.WaitExit(), 0u) << "a key did not end the run";
        EXPECT_EQ(Record.VerifyCalls, 0);
    }
}

// /a calls the provider with the owner given, or else the foreground window,
// and ends with 0 whatever happens. "%O" stands for the owner's handle.
TEST_F(PasswordRun, ChangeCallsTheProviderWithTheOwnerOrTheForegroundWindow)
{
    const struct { const char *Library, *Tail; bool Called, Owned; } rows[] = {
        {MPR_PATH, "/a %O", true, true}, {MPR_PATH, "-A", true, false},
        {MPR_PATH, "/a 1", true, false}, {NOENTRY_PATH, "/a %O", false, false},
        {nullptr, "/a", false, false},  // Wine's own MPR.DLL switched off too
    };
    HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_POPUP | WS_VISIBLE, 10, 10, 50, 50, 0, 0, 0, 0);
    HWND front = CreateWindowExA(0, "STATIC", "front", WS_POPUP | WS_VISIBLE, 70, 10, 50, 50, 0, 0, 0, 0);
    SetForegroundWindow(front);
    char overrides[256] = "";
    GetEnvironmentVariableA("WINEDLLOVERRIDES", overrides, sizeof overrides);
    for (const auto& row : rows) {
        std::string tail = row.Tail;
        if (tail.find("%O") != std::string::npos)
            tail.replace(tail.find("%O"), 2, std::to_string(Handle(owner)));
        SCOPED_TRACE(std::string(row.Library ? row.Library : "no MPR.DLL") + " " + tail);
        TearDown();
        SetUp();
        if (row.Library != nullptr)
            AddFile(row.Library, "MPR.DLL");
        SetEnvironmentVariableA("WINEDLLOVERRIDES", row.Library ? overrides : "mscoree,mshtml=;winedbg.exe=d;mpr=");
        EXPECT_TRUE(Saver.Start(tail));
        EXPECT_EQ(Saver.WaitExit(), 0u);
        SetEnvironmentVariableA("WINEDLLOVERRIDES", overrides);
        ASSERT_EQ(Record.ChangeCalls, row.Called ? 1 : 0);
        EXPECT_EQ(Record.LibraryFreed, Record.LibraryAttached) << "MPR.DLL stayed loaded";
        if (row.Called) {
            EXPECT_STREQ(Record.ChangeProvider, "SCRSAVE");
            EXPECT_EQ(Record.ChangeOwner, Handle(row.Owned ? owner : front));
            EXPECT_EQ(Record.ChangeArgument3 | Record.ChangeArgument4, 0u);
        }
    }
    DestroyWindow(front);
    DestroyWindow(owner);
}
