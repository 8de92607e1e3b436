// Runs orbilux.scr as the system would, in a folder of its own beside the
// stand-in libraries, and reads what the stand-ins recorded.
#pragma once
#include "StandInRecord.h"
#include <string>

// The per-program Windows version that makes the saver see the Windows 95
// family (or removes it again).
void SetWin95Family(bool on);

// "Control Panel\Desktop" "ScreenSaveUsePassword": removed, or written with
// the given type and bytes.
void RemovePasswordFlag();
void SetPasswordFlag(DWORD type, const void* data, DWORD size);
void SetPasswordFlag(DWORD value);

// SPI_GETSCREENSAVERRUNNING as a new process sees it, and switching it off
// after a run.
bool ScreenSaverRunning();
void ClearScreenSaverRunning();

// Polls `condition` every 10 ms until it holds or `milliseconds` pass.
template <typename Condition>
bool WaitUntil(Condition condition, DWORD milliseconds = 10000)
{
    DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > milliseconds)
            return false;
        Sleep(10);
    }
    return true;
}

class SaverProcess {
public:
    SaverProcess();
    ~SaverProcess();
    SaverProcess(const SaverProcess&) = delete;
    SaverProcess& operator=(const SaverProcess&) = delete;

    // Copies a built file into the saver's folder under the given name.
    bool AddFile(const char* source, const char* name);
    // Starts the saver with the given text behind its name, after ending an
    // earlier run that is still going. A non-empty
    // `dllOverrides` replaces WINEDLLOVERRIDES for this run only.
    bool Start(const std::string& tail, const std::string& dllOverrides = "");
    // The full-screen window of this process once it is visible and in
    // front, or null after 10 s.
    HWND WaitForSaverWindow();
    bool Running();
    // Waits for the end of the run; false when it has not ended within 10 s.
    bool WaitForExit(DWORD& exitCode);

    const std::string& Folder() const { return folder_; }

private:
    void Close();

    std::string folder_;
    PROCESS_INFORMATION process_ = {};
};

// The shared record, zeroed, for a new run.
StandInRecord& FreshStandInRecord();

// A key press as the user makes it: through the system's input queue to
// the foreground window.
void PressKey();
