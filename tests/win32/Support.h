// What the Win32 test programs share: orbilux.scr as a process, waits with
// generous limits (never measurements), real input and the registry.
#pragma once
#include <windows.h>

#include <initializer_list>
#include <string>

std::string SaverPath();  // the orbilux.scr under test, as Wine names it
void PumpMessages();      // dispatches what is queued for this thread

// Pumps this thread's messages until `done()` holds or the timeout passes.
template <typename Predicate>
bool PumpUntil(Predicate done, DWORD timeoutMs = 20000)
{
    for (DWORD start = GetTickCount();; MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT)) {
        PumpMessages();
        if (done())
            return true;
        if (GetTickCount() - start > timeoutMs)
            return false;
    }
}

// A saver process; ended when it goes out of scope.
class SaverProcess {
public:
    ~SaverProcess() { Close(); }
    // Starts Program with `tail` behind its quoted name, or with the whole
    // command line given; ends an earlier run first.
    bool Start(const std::string& tail) { return StartLine("\"" + Program + "\" " + tail); }
    bool StartLine(std::string commandLine);
    bool Running() const;
    DWORD WaitExit(DWORD timeoutMs = 20000);  // STILL_ACTIVE when it did not end in time
    void Close();
    // A visible top-level window of this process (title null: any), once it
    // shows; with `inFront` only once it is in front too (input reaches it
    // only then). Null when the process ended or the wait timed out.
    HWND WaitForWindow(const char* className, const char* title = nullptr, bool inFront = false);
    HWND WaitForFullScreen() { return WaitForWindow("WindowsScreenSaverClass", nullptr, true); }

    std::string Program = SaverPath();
    std::string Folder;  // working folder; empty: this program's
    PROCESS_INFORMATION Info = {};
};

// A key press or a button click (down and up flags) as the user makes them.
void PressKey(WORD key = VK_SPACE);
void ClickButton(DWORD down, DWORD up);

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
void RemoveSettingsKey();  // with the keys above it that the saver owns
