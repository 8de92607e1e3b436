// Starting the real orbilux.scr from a test and watching it from outside.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

// Full path of the orbilux.scr under test (a compile definition).
std::string SaverPath();

// A started saver process; ended by the destructor if still running.
class SaverProcess {
public:
    // Starts the saver with `tail` behind its quoted path.
    explicit SaverProcess(const std::string& tail);
    // Starts it with the whole command line given (program name included).
    SaverProcess(const std::string& commandLine, bool wholeLine);
    ~SaverProcess();
    SaverProcess(const SaverProcess&) = delete;
    SaverProcess& operator=(const SaverProcess&) = delete;

    bool Started() const { return Process != nullptr; }
    bool Running() const;
    // Waits (pumping this thread's messages) for the exit; returns the exit
    // code, or STILL_ACTIVE when it did not end within the timeout.
    DWORD WaitExit(DWORD timeoutMs = 20000);
    // Ends a saver that a test no longer needs; waits for it.
    void Kill();
    // Visible top-level window of the process with the given class, if any.
    HWND FindTopWindow(const char* className) const;
    DWORD Id() const { return ProcessId; }

private:
    void Start(const std::string& commandLine);
    HANDLE Process = nullptr;
    DWORD ProcessId = 0;
};

// Dispatches what is queued for this thread.
void PumpMessages();

// Pumps this thread's messages until `done()` holds or the timeout passes.
// Timeouts are generous limits for a slow machine, never measurements.
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
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

// The full-screen saver window of any process, waiting for it to appear.
HWND WaitForFullScreenSaver(DWORD timeoutMs = 20000);
// Number of top-level saver windows titled "Screen Saver".
int CountFullScreenSavers();

// A plain top-level window of the test's own, filled with `colour`. Messages
// it receives are counted by the test through RecordedMessage.
HWND CreateTestWindow(const char* title, DWORD style, int x, int y, int width, int height,
                      COLORREF colour = RGB(255, 255, 255));
struct RecordedMessage {
    UINT Message;
    WPARAM WParam;
    LPARAM LParam;
    HWND Window;
};
// Messages of interest (help, context menu, parent notifications) received
// by test windows since the last call; clears the record.
std::vector<RecordedMessage> TakeRecordedMessages();
