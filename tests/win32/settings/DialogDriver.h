// Drives the settings dialog through its controls as a user would: typing,
// pasting, clicking, answering the warning boxes. The dialog runs on another
// thread of the test program (DialogRun) or in another process (DialogProcess).
#pragma once
#include <windows.h>

#include <string>

// Polls `done` until it holds; false if it never does within a generous limit
// (which only ends a broken test; it measures nothing).
template <typename Condition>
bool WaitUntil(Condition done)
{
    for (int i = 0; i < 3000 && !done(); ++i)
        Sleep(10);
    return done();
}

std::string ControlText(HWND dialog, int id);
bool IsChecked(HWND dialog, int id);

// These return once the dialog has handled the input; false if it did not
// (a warning box blocking the dialog's thread, for one).
bool TypeKey(HWND dialog, int id, char key);
bool SetText(HWND dialog, int id, const char* text);
bool Click(HWND dialog, int id);
void SelectAll(HWND dialog, int id);
// Queued input, for entries that raise a warning box.
void PostKey(HWND dialog, int id, char key);
bool PostPaste(HWND dialog, int id, const char* text);  // over the whole entry

struct WarningBox {
    bool Shown;
    std::string Text;
    bool Owned;        // has an owner window
    bool WarningIcon;  // shows the system's warning icon
};
// Waits for the warning box with this caption, reads it and presses its OK.
WarningBox AnswerWarning(const char* caption);

// RunConfigDialog on a thread of this program. A dialog still open at the end
// is cancelled.
class DialogRun {
public:
    DialogRun();
    ~DialogRun();
    HWND Dialog() const { return Window; }
    INT_PTR Finish();  // the dialog's result, or -100 if it did not end

private:
    static DWORD WINAPI RunDialog(LPVOID self);
    HANDLE Thread;
    HWND Window;
    INT_PTR Result;
};

// The stand-alone dialog program, started from beside the test program.
class DialogProcess {
public:
    DialogProcess();
    ~DialogProcess();
    HWND Dialog() const { return Window; }
    DWORD Finish();  // the exit code, or 0xDEAD if the process did not end

private:
    PROCESS_INFORMATION Process;
    HWND Window;
};
