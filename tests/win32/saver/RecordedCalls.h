// Win32 calls of the host library, recorded by replacing them in this test
// program's import table: pens and brushes made, posts, default processing
// and sleeps.
#pragma once
#include <windows.h>

#include <vector>

struct CallRecord {
    HWND Window;
    UINT Message;
    WPARAM WParam;
    LPARAM LParam;
};

struct RecordedCallsRecord {
    std::vector<HGDIOBJ> Pens;     // every pen CreatePen returned
    std::vector<HGDIOBJ> Brushes;  // every brush CreateSolidBrush returned
    std::vector<CallRecord> Posts;     // PostMessageA
    std::vector<CallRecord> Defaults;  // DefWindowProcA
    std::vector<DWORD> Sleeps;         // Sleep, in milliseconds
};
extern RecordedCallsRecord RecordedCalls;

// Installs the replacements (once) and clears the records.
void StartRecordingCalls();

// How many calls to DefWindowProcA had this window and message (and wParam,
// unless it is ANY_WPARAM).
const WPARAM ANY_WPARAM = static_cast<WPARAM>(-1);
int DefaultCalls(HWND window, UINT message, WPARAM wParam = ANY_WPARAM);
