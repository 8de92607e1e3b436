// What the Win32 test programs share: running orbilux.scr as a process,
// waiting with generous limits (never measurements), input through the
// system's queue and Wine's per-program Windows version.
#pragma once
#include <windows.h>

#include <string>

// The orbilux.scr under test, as Wine names it.
std::string SaverPath();

// Dispatches what is queued for this thread.
void PumpMessages();

// Pumps this thread's messages until `done()` holds or the timeout passes.
template <typename Predicate>
bool PumpUntil(Predicate done, DWORD timeoutMs = 20000)
{
    DWORD start = GetTickCount();
    for (;;) {
        PumpMessages();
        if (done())
            return true;
        if (GetTickCount() - start > timeoutMs)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

// A saver process; the destructor ends it if it still runs.
class SaverProcess {
public:
    SaverProcess() = default;
    explicit SaverProcess(const std::string& tail) { Start(tail); }
    ~SaverProcess() { Close(); }
    SaverProcess(const SaverProcess&) = delete;
    SaverProcess& operator=(const SaverProcess&) = delete;

    // Starts Program with `tail` behind its quoted name, or with the whole
    // command line given; ends an earlier run first.
    bool Start(const std::string& tail) { return StartLine("\"" + Program + "\" " + tail); }
    bool StartLine(const std::string& commandLine);
    bool Running() const;
    // The exit code, or STILL_ACTIVE when the run did not end in time.
    DWORD WaitExit(DWORD timeoutMs = 20000);
    void Close();
    // A visible top-level window of this process with the class, if any.
    HWND FindTopWindow(const char* className) const;
    // The full-screen window once it is visible and in front (input reaches
    // it only then); null when the process ended or the wait timed out.
    HWND WaitForFullScreen();

    std::string Program = SaverPath();
    std::string Folder;  // working folder; empty: this program's

private:
    PROCESS_INFORMATION Info = {};
};

// A key press or a button click as the user makes it, to the foreground window.
void PressKey(WORD key = VK_SPACE);
void ClickButton(DWORD downFlag, DWORD upFlag);

// Makes Wine report Windows 98 to the program of that file name, or not.
void SetWin95Family(const std::string& programName, bool on);
