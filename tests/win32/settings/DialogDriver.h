// Drives the settings dialog from outside, through its controls, as a user
// would: typing into the edits, pasting, clicking boxes and buttons, and
// answering the warning boxes. The dialog may run on another thread of the
// test program or in another process.
#pragma once
#include <windows.h>

#include <string>

const char* const DIALOG_CAPTION = "Orbilux Setup - Version 1.9";

// Polls `done` until it holds; false when it never does within a generous
// limit (meant to end a broken test, not to measure speed).
template <typename Condition>
bool WaitUntil(Condition done)
{
    for (int i = 0; i < 3000; ++i) {
        if (done())
            return true;
        Sleep(10);
    }
    return done();
}

// The visible settings dialog with its controls created, or none.
HWND WaitForSettingsDialog(DWORD processId);

std::string ControlText(HWND dialog, int id);
bool IsChecked(HWND dialog, int id);

// Typing that must not raise a warning: returns once the dialog has handled
// the key, false if it did not (for example because a warning box is up).
bool TypeKey(HWND dialog, int id, char key);
// Typing that may raise a warning: queued, the dialog handles it later.
void PostKey(HWND dialog, int id, char key);
// Replaces the whole entry; the dialog handles it before this returns.
bool SetText(HWND dialog, int id, const char* text);
void SelectAll(HWND dialog, int id);
// Puts `text` on the clipboard and pastes it over the whole entry (queued).
bool PostPaste(HWND dialog, int id, const char* text);
// A button click that must not raise a warning.
bool Click(HWND dialog, int id);
void PostClick(HWND dialog, int id);

struct WarningBox {
    bool Shown;
    std::string Text;
    bool Owned;        // has an owner window
    bool WarningIcon;  // shows the system's warning icon
};
// Waits for the warning box with this caption, reads it and presses its OK.
WarningBox AnswerWarning(const char* caption);
// True when a warning box with this caption is showing now.
bool WarningShowing(const char* caption);

// RunConfigDialog on a thread of this program; the test drives it from its
// own thread. A run still open at the end is cancelled.
class DialogRun {
public:
    DialogRun();
    ~DialogRun();
    DialogRun(const DialogRun&) = delete;
    DialogRun& operator=(const DialogRun&) = delete;

    HWND Dialog() const { return DialogWindow; }
    // Waits for the dialog to end; its result, or -100 if it did not end.
    INT_PTR Finish();

private:
    static DWORD WINAPI RunDialog(LPVOID self);
    HANDLE Thread;
    HWND DialogWindow;
    INT_PTR Result;
};

// The stand-alone dialog program, started from beside the test program.
class DialogProcess {
public:
    DialogProcess();
    ~DialogProcess();
    DialogProcess(const DialogProcess&) = delete;
    DialogProcess& operator=(const DialogProcess&) = delete;

    HWND Dialog() const { return DialogWindow; }
    // Waits for the process to end; its exit code, or 0xDEAD if it did not end.
    DWORD Finish();

private:
    PROCESS_INFORMATION Process;
    HWND DialogWindow;
};
