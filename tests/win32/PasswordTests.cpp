// orbilux.scr on Wine's Windows 98 emulation, in a folder of its own beside
// the stand-ins for PASSWORD.CPL and MPR.DLL: closing waits for the verifier
// whatever input floods in, the saver-running state follows the loaded
// verifier, the fault guard handles a fault inside it, and /a calls the provider.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "testkit/win32/StandInRecord.h"
#include "Support.h"
#include "hostrules/CloseRules.h"

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

// A fresh folder, record and state for each run.
class PasswordRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        // A new window can get a move from where Wine last tracked the pointer (512,384 at first).
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
    void AddFile(const char* from, const char* name) { CopyFileA(from, (Saver.Folder + "\\" + name).c_str(), 0); }

    StandInRecord& Record = *OpenStandInRecord();
    SaverProcess Saver = {SaverPath(), "C:\\orbilux-password"};
};

}  // namespace

// The gap after a check is measured, not raced: the saver reads the clock
// after the verifier returns and before it asks again, so the stand-in's two
// readings around them differ by at least the gap whenever the saver kept it,
// however late a busy machine handles the queued key and the presses.
TEST_F(PasswordRun, RefusalKeepsTheSaverUntilAnAcceptanceEndsIt)
{
    std::strcpy(Record.VerifyAnswers, "k1");  // refuse (after a flood of input), then accept
    AddFile(PASSWORD_PATH, "PASSWORD.CPL");
    EXPECT_EQ(
        Saver.Run("/s", FULL_SCREEN,
                  [&](HWND window) {
                      EXPECT_EQ(Record.RunningAtAttach, 0)
                          << "running state switched on before the verifier was loaded";
                      ASSERT_TRUE(PumpUntil([&] { return Record.TicksHandled > 0; })) << "the figure never started";
                      PressKey(VK_SPACE);
                      // Neither the closes and input during the check nor the key queued behind it ask again
                      // within the gap; the figure goes on once the queue is empty.
                      PumpUntil([&] {
                          return !Saver.Running() || Record.VerifyCalls > 1 ||
                              (Record.ClosesHandled > FLOOD && Record.TicksHandled >= Record.FirstTicksAtReturn + 10);
                      });
                      // (A second call, after the gap, accepted and ended the saver.)
                      EXPECT_TRUE(Record.VerifyCalls > 1 || IsWindow(window));
                      EXPECT_TRUE(Record.FirstWindow == Handle(window) && Record.FirstRunning == 1);
                      // Button presses until one asks again (after the gap) and is accepted.
                      PumpUntil([&] {
                          if (Record.VerifyCalls < 2 && Saver.Running())
                              PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, 0);
                          return Record.VerifyCalls >= 2 || !Saver.Running();
                      });
                  }),
        0u)
        << "an accepted password did not end the saver";
    EXPECT_TRUE(Record.VerifyCalls == 2 && Record.Freed == 1) << "the verifier was not unloaded";
    EXPECT_GE(Record.SecondCallTime - Record.FirstReturnTime, VERIFY_GAP_MS) << "asked again within the gap";
    EXPECT_FALSE(ScreenSaverRunning()) << "running state left on after the run";
}

// One run per way the libraries load, read back as one line: the running state
// while the full screen shows and after, loads and unloads, the verifier's and
// the system filter's calls (the stand-in's filter has a fault handled, and the
// guard switches the state off), the password change's calls and arguments
// (the owner given or else the foreground window), and the exit after a key.
TEST_F(PasswordRun, EachWayOfLoadingTheLibrariesEndsAsItShould)
{
    HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_POPUP | WS_VISIBLE, 10, 10, 50, 50, 0, 0, 0, 0);
    HWND front = CreateWindowExA(0, "STATIC", "front", WS_POPUP | WS_VISIBLE, 70, 10, 50, 50, 0, 0, 0, 0);
    std::string ownerNumber = std::to_string(Handle(owner));
    // No library, or one loaded and freed at once: nothing else happens.
    const char *const NONE = "running 0 0, loaded 0 0, calls 0 0, change 0, exit 0",
                      *const LOADED = "running 0 0, loaded 1 1, calls 0 0, change 0, exit 0";
    const struct {
        const char* Name;
        std::string Tail;
        DWORD Type;
        const void* Flag;
        DWORD Size;
        const char* Library;
        bool Win98;
        const char *Answers, *Expected;
    } rows[] = {
        {"flag missing", "/s", REG_DWORD, nullptr, 0, PASSWORD_PATH, true, "0", NONE},
        {"flag zero", "/s", REG_DWORD, &ZERO, 4, PASSWORD_PATH, true, "0", NONE},
        {"flag longer than 4 bytes", "/s", REG_SZ, "password-on", 12, PASSWORD_PATH, true, "0", NONE},
        {"library missing", "/s", REG_DWORD, &ONE, 4, nullptr, true, "0", NONE},
        {"outside the 95 family", "/s", REG_DWORD, &ONE, 4, PASSWORD_PATH, false, "0", NONE},
        {"entry point missing", "/s", REG_DWORD, &ONE, 4, NOENTRY_PATH, true, "0", LOADED},
        {"verifier faults", "/s", REG_DWORD, &ONE, 4, PASSWORD_PATH, true, "f",
         "running 1 0, loaded 1 0, calls 1 1, change 0, exit -1"},
        {"change, owner given", "/a " + ownerNumber, REG_DWORD, &ONE, 4, MPR_PATH, true, "",
         "running 0 0, loaded 1 1, calls 0 0, change 1 SCRSAVE owner 0, exit 0"},
        {"change, no owner", "-A 1", REG_DWORD, &ONE, 4, MPR_PATH, true, "",
         "running 0 0, loaded 1 1, calls 0 0, change 1 SCRSAVE front 0, exit 0"},
        {"change, entry point missing", "/a " + ownerNumber, REG_DWORD, &ONE, 4, NOENTRY_PATH, true, "", LOADED},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        TearDown(), SetUp();
        SetForegroundWindow(front);
        PutValue(DESKTOP, "ScreenSaveUsePassword", row.Type, row.Flag, row.Size);
        SetWin95Family("orbilux.scr", row.Win98);
        std::strcpy(Record.VerifyAnswers, row.Answers);
        if (row.Library != nullptr)
            AddFile(row.Library, row.Tail == "/s" ? "PASSWORD.CPL" : "MPR.DLL");
        bool during = false;
        int exit = static_cast<int>(Saver.Run(row.Tail, row.Tail == "/s" ? FULL_SCREEN : nullptr, [&](HWND window) {
            during = window && ScreenSaverRunning();
            PressKey(VK_SPACE);
        }));
        char seen[160], change[64] = "";
        DWORD to = Record.ChangeOwner;
        const char* toName = to == Handle(owner) ? "owner" : to == Handle(front) ? "front" : "?";
        if (Record.ChangeCalls)
            std::snprintf(change, sizeof change, " %s %s %lu", Record.ChangeProvider, toName, Record.ChangeOthers);
        std::snprintf(seen, sizeof seen, "running %d %d, loaded %ld %ld, calls %ld %ld, change %ld%s, exit %d", during,
                      ScreenSaverRunning(), Record.Attached, Record.Freed, Record.VerifyCalls, Record.FilterCalls,
                      Record.ChangeCalls, change, exit);
        EXPECT_EQ(seen, std::string(row.Expected));
    }
    DestroyWindow(front);
    DestroyWindow(owner);
}
