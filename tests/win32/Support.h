// What the Win32 tests share: orbilux.scr as a process, waits with generous
// limits (never measurements), real input and the registry.
#pragma once
#include <windows.h>

#include <functional>
#include <initializer_list>
#include <string>

std::string SaverPath();  // the orbilux.scr under test, as Wine names it
void PumpMessages();      // dispatches what is queued for this thread
void PressKey(WORD key);  // as the user does
inline DWORD Handle(HWND window)
{
    return static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(window));
}  // as a number

// Pumps this thread's messages until `done()` holds or the timeout passes.
template <typename Predicate> bool PumpUntil(Predicate done, DWORD timeoutMs = 20000)
{
    for (DWORD start = GetTickCount(); !done(); MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT)) {
        PumpMessages();
        if (GetTickCount() - start > timeoutMs)
            return done();
    }
    return true;
}

const char *const FULL_SCREEN = "WindowsScreenSaverClass", *const DIALOG = "#32770";

// A saver process; ended when it goes out of scope.
struct SaverProcess {
    ~SaverProcess() { Close(); }
    bool Start(const std::string& tail);  // Program with `tail` behind its quoted name
    bool Running() const { return Info.hProcess && WaitForSingleObject(Info.hProcess, 0) == WAIT_TIMEOUT; }
    DWORD WaitExit(DWORD timeoutMs = 20000);  // STILL_ACTIVE when it did not end in time
    void Close();
    // A visible top-level window of this process, once it shows (the full
    // screen once in front, where input reaches it); null on timeout or exit.
    HWND WaitForWindow(const char* className, const char* title = nullptr);
    // Starts, waits for the window (none: null class), calls `act` (if any) and gives the
    // exit code; STILL_ACTIVE when a step failed or the run did not end in time.
    DWORD Run(const std::string& tail, const char* className, const std::function<void(HWND)>& act,
              DWORD timeoutMs = 20000);

    std::string Program = SaverPath();
    std::string Folder;  // working folder; empty: this program's
    PROCESS_INFORMATION Info = {};
};

// Writes a value under HKEY_CURRENT_USER, creating the key path, or removes it (null data).
void PutValue(const std::string& key, const char* name, DWORD type, const void* data, DWORD size);
// Makes Wine report Windows 98 to the program of that file name, or not.
void SetWin95Family(const std::string& programName, bool on);

// The settings key, spelt out here so that a wrong path or name in the saver shows.
const char* const SETTINGS_KEY = "Software\\Plorvex\\orbx_ss\\Settings";
const DWORD NOT_STORED = 0xDEADBEEF;
// Stores REG_DWORD values in the order ImagesPerSec, RadiusFactor, JoinTheDots,
// ColourOption, ObjectShape, ObjectRotation, ZoomOption; NOT_STORED skips one.
void PutSettings(std::initializer_list<DWORD> values);
// The stored values in that order, the masks in hex; "-" where a value is
// missing or not a 4-byte REG_DWORD.
std::string StoredSettings();
// Gives the settings key one access entry for everyone ("KA" all, "KR" read,
// "RC" none of its values), as an administrator would lock the settings.
bool SetKeyAccess(const char* rights);
// Removes the key, unlocking it first: a case that failed (or a run that was
// killed) with the key locked must not make the next case fail.
inline void RemoveSettingsKey()
{
    SetKeyAccess("KA");
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Plorvex");
}
