#include "RecordedCalls.h"

#include "ImportHook.h"

DECLARE_IMPORT(CreatePen, 12);
DECLARE_IMPORT(CreateSolidBrush, 4);
DECLARE_IMPORT(PostMessageA, 16);
DECLARE_IMPORT(DefWindowProcA, 16);
DECLARE_IMPORT(Sleep, 4);

RecordedCallsRecord RecordedCalls;

namespace {

decltype(&CreatePen) RealCreatePen = nullptr;
decltype(&CreateSolidBrush) RealCreateSolidBrush = nullptr;
decltype(&PostMessageA) RealPostMessageA = nullptr;
decltype(&DefWindowProcA) RealDefWindowProcA = nullptr;
decltype(&Sleep) RealSleep = nullptr;

HPEN WINAPI RecordCreatePen(int style, int width, COLORREF colour)
{
    HPEN pen = RealCreatePen(style, width, colour);
    RecordedCalls.Pens.push_back(pen);
    return pen;
}

HBRUSH WINAPI RecordCreateSolidBrush(COLORREF colour)
{
    HBRUSH brush = RealCreateSolidBrush(colour);
    RecordedCalls.Brushes.push_back(brush);
    return brush;
}

BOOL WINAPI RecordPostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    RecordedCalls.Posts.push_back({window, message, wParam, lParam});
    return RealPostMessageA(window, message, wParam, lParam);
}

LRESULT WINAPI RecordDefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    RecordedCalls.Defaults.push_back({window, message, wParam, lParam});
    // System commands would switch windows or start a screen saver.
    if (message == WM_SYSCOMMAND)
        return 0;
    return RealDefWindowProcA(window, message, wParam, lParam);
}

// The figure's one-second pause is recorded, not waited for.
void WINAPI RecordSleep(DWORD milliseconds)
{
    RecordedCalls.Sleeps.push_back(milliseconds);
    if (milliseconds == 0)
        RealSleep(0);
}

}  // namespace

void StartRecordingCalls()
{
    if (RealCreatePen == nullptr) {
        RealCreatePen = PatchImport(Import_CreatePen, &RecordCreatePen);
        RealCreateSolidBrush = PatchImport(Import_CreateSolidBrush, &RecordCreateSolidBrush);
        RealPostMessageA = PatchImport(Import_PostMessageA, &RecordPostMessageA);
        RealDefWindowProcA = PatchImport(Import_DefWindowProcA, &RecordDefWindowProcA);
        RealSleep = PatchImport(Import_Sleep, &RecordSleep);
    }
    RecordedCalls = RecordedCallsRecord();
}

int DefaultCalls(HWND window, UINT message, WPARAM wParam)
{
    int count = 0;
    for (const CallRecord& call : RecordedCalls.Defaults)
        if (call.Window == window && call.Message == message && (wParam == ANY_WPARAM || call.WParam == wParam))
            count++;
    return count;
}
