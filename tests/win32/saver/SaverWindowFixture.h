// A saver window created inside the test program through the host library,
// with every process-wide record fresh and some of the host's Win32 calls
// recorded by replacing them in this program's import table.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

struct CallRecord {
    HWND Window;
    UINT Message;
    WPARAM WParam;
    LPARAM LParam;
};

struct RecordedCallsRecord {
    std::vector<HGDIOBJ> Pens;         // every pen CreatePen returned
    std::vector<HGDIOBJ> Brushes;      // every brush CreateSolidBrush returned
    std::vector<CallRecord> Posts;     // PostMessageA
    std::vector<CallRecord> Defaults;  // DefWindowProcA
};
extern RecordedCallsRecord RecordedCalls;

// Where the pointer stands when each window is created: the reference point
// of mouse travel.
const POINT START_POINT = {400, 300};

class SaverWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Creates the full-screen window, or the preview in a parent of its own.
    void CreateSaver(bool preview = false);
    // Moves the pointer and sends the window the move it causes.
    void MoveMouseTo(int x, int y);
    // Removes a queued WM_CLOSE of the window; true when there was one.
    bool TakeCloseRequest();
    // DefWindowProcA calls for this window with the message and wParam.
    int DefaultCalls(UINT message, WPARAM wParam) const;

    HWND Window = nullptr;
    HWND Parent = nullptr;
};
