// orbilux.scr on Wine's Windows 98 emulation, in a folder of its own beside
// the stand-in libraries: closing waits for VerifyScreenSavePwd (the
// PASSWORD.CPL stand-in) whatever input floods in meanwhile, the
// saver-running state follows the loaded verifier, the fault guard handles a
// fault inside it, and /a calls PwdChangePasswordA (the MPR.DLL stand-in).
#include <gtest/gtest.h>

#include <cstdio>
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

// A fresh folder, record and state for each run.
class PasswordRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        // A new window under Wine can get a mouse move from where Wine last tracked
        // the pointer (512,384 at start-up), which would close the saver on its own.
        SetCursorPos(512, 384);
        SetWin95Family("orbilux.scr", true);
        PutValue(DESKTOP, "ScreenSaveUsePassword", REG_DWORD, &ONE, 4);
        ZeroMemory(&Record, sizeof Record);
        CreateDirectoryA(Saver.Folder.c_str(), nullptr);
        AddFile(SaverPath().c_str(), "orbilux.scr");
        Saver.Program = Saver.Folder + "\\orbilux.scr";
    }
    void TearDown() override
    {
        Saver.Close();
        for (const char* name : {"orbilux.scr", "PASSWORD.CPL", "PASSWORD.CPL.ticks", "MPR.DLL", "MPR.DLL.ticks"})
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
    }

    StandInRecord& Record = *OpenStandInRecord();
    SaverProcess Saver = {SaverPath(), "C:\\orbilux-password"};
};

}  // namespace

TEST_F(PasswordRun, RefusalKeepsTheSaverUntilAnAcceptanceEndsIt)
{
    std::strcpy(Record.VerifyAnswers, "k1");  // refuse (after a flood of input), then accept
    AddFile(PASSWORD_PATH, "PASSWORD.CPL");
    ASSERT_TRUE(Saver.Start("/s"));
    HWND window = Saver.WaitForWindow(FULL_SCREEN);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(Record.Attached, 1);
    EXPECT_EQ(Record.RunningAtAttach, 0) << "running state switched on before the verifier was loaded";
    EXPECT_TRUE(ScreenSaverRunning()) << "running state off while the verifier is loaded";
    ASSERT_TRUE(PumpUntil([&] { return Record.TicksHandled > 0; })) << "the figure never started";

    PressKey(VK_SPACE);
    // The closes and input during the check, then those queued behind it (well
    // within 200 ms): none asks again or closes. The refusal stopped the
    // animation timer on the way; the figure goes on once the queue is empty.
    ASSERT_TRUE(PumpUntil([&] {
        return Record.ClosesHandled > 2 * FLOOD && Record.TicksHandled >= Record.FirstTicksAtReturn + 10;
    }));
    EXPECT_TRUE(Record.VerifyCalls == 1 && IsWindow(window));
    EXPECT_TRUE(Record.FirstWindow == Handle(window) && Record.FirstRunning == 1);

    Sleep(300);  // well past the gap, a button press asks again and is accepted
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    EXPECT_EQ(Saver.WaitExit(), 0u) << "an accepted password did not end the saver";
    EXPECT_TRUE(Record.VerifyCalls == 2 && Record.Freed == 1) << "the verifier was not unloaded";
    EXPECT_FALSE(ScreenSaverRunning()) << "running state left on after the run";
}

// One run per way the verifier is loaded or not: the running state while the
// full screen shows and after the run, the library's loads and unloads, the
// verifier's calls and the system filter's, and the exit after a key. With no password in use the
// key ends the run at once. A fault inside the verifier goes to the system's
// filter (here the stand-in's, which has it handled); the fault guard then
// switches the running state off and ends the process.
TEST_F(PasswordRun, EachWayOfLoadingTheVerifierEndsAsItShould)
{
    const char* const NONE = "running 0 0, loaded 0 0, calls 0 0, exit 0";  // no password in use
    const struct { const char* Name; DWORD Type; const void* Flag; DWORD Size; const char* Library; bool Win98;
                   const char *Answers, *Expected; } rows[] = {
        {"flag missing", REG_DWORD, nullptr, 0, PASSWORD_PATH, true, "0", NONE},
        {"flag zero", REG_DWORD, &ZERO, 4, PASSWORD_PATH, true, "0", NONE},
        {"flag longer than 4 bytes", REG_SZ, "password-on", 12, PASSWORD_PATH, true, "0", NONE},
        {"library missing", REG_DWORD, &ONE, 4, nullptr, true, "0", NONE},
        {"entry point missing", REG_DWORD, &ONE, 4, NOENTRY_PATH, true, "0", "running 0 0, loaded 1 1, calls 0 0, exit 0"},
        {"outside the 95 family", REG_DWORD, &ONE, 4, PASSWORD_PATH, false, "0", NONE},
        {"verifier faults", REG_DWORD, &ONE, 4, PASSWORD_PATH, true, "f", "running 1 0, loaded 1 0, calls 1 1, exit -1"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        TearDown(), SetUp();
        PutValue(DESKTOP, "ScreenSaveUsePassword", row.Type, row.Flag, row.Size);
        SetWin95Family("orbilux.scr", row.Win98);
        std::strcpy(Record.VerifyAnswers, row.Answers);
        if (row.Library != nullptr)
            AddFile(row.Library, "PASSWORD.CPL");
        bool during = false;
        int exit = static_cast<int>(Saver.Run("/s", FULL_SCREEN, [&](HWND) {
            during = ScreenSaverRunning();
            PressKey(VK_SPACE);
        }));
        char seen[128];
        std::snprintf(seen, sizeof seen, "running %d %d, loaded %ld %ld, calls %ld %ld, exit %d", during,
                      ScreenSaverRunning(), Record.Attached, Record.Freed, Record.VerifyCalls, Record.FilterCalls, exit);
        EXPECT_EQ(seen, std::string(row.Expected));
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
        EXPECT_EQ(Record.Freed, Record.Attached) << "MPR.DLL stayed loaded";
        ASSERT_EQ(Record.ChangeCalls, row.CalledWith ? 1 : 0);
        EXPECT_TRUE(!row.CalledWith || (!std::strcmp(Record.ChangeProvider, "SCRSAVE") &&
                                        Record.ChangeOwner == Handle(row.CalledWith) &&
                                        (Record.ChangeArgument3 | Record.ChangeArgument4) == 0));
    }
    DestroyWindow(front);
    DestroyWindow(owner);
}
