// Stand-in for the system's PASSWORD.CPL: VerifyScreenSavePwd answers as the
// test scripted it in the shared record and records every call. It also
// watches the saver window's ticks and closes through a subclass, so a test
// can tell when a close request has been handled and whether the figure runs.
#include "StandInRecord.h"
#include <cstdio>

namespace {

StandInRecord* Record;
HHOOK MessageHook;
HWND WatchedWindow;
WNDPROC SaverProc;

LRESULT CALLBACK WatchProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = CallWindowProcA(SaverProc, window, message, wParam, lParam);
    if (message == WM_TIMER) {
        DWORD now = GetTickCount();
        if (InterlockedIncrement(&Record->TicksHandled) == 1)
            Record->FirstTickTime = now;
        Record->LastTickTime = now;
    } else if (message == WM_CLOSE) {
        InterlockedIncrement(&Record->ClosesHandled);
    } else if (message == WM_MOUSEMOVE) {
        InterlockedIncrement(&Record->MovesHandled);
    }
    return result;
}

// Puts the watch on the first saver window that this thread takes a message
// for; the window exists only after the library has been loaded.
LRESULT CALLBACK GetMessageHook(int code, WPARAM wParam, LPARAM lParam)
{
    const MSG* message = reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && !WatchedWindow && message->hwnd) {
        char className[64] = "";
        GetClassNameA(message->hwnd, className, sizeof className);
        if (lstrcmpA(className, "WindowsScreenSaverClass") == 0) {
            WatchedWindow = message->hwnd;
            SaverProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
                WatchedWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WatchProc)));
        }
    }
    return CallNextHookEx(MessageHook, code, wParam, lParam);
}

LONG ScreenSaverRunning()
{
    BOOL running = FALSE;
    SystemParametersInfoA(SPI_GETSCREENSAVERRUNNING, 0, &running, 0);
    return running ? 1 : 0;
}

char ScriptedAnswer(LONG call)
{
    LONG length = 0;
    while (length < static_cast<LONG>(sizeof Record->VerifyAnswers) && Record->VerifyAnswers[length])
        ++length;
    if (length == 0)
        return '1';
    return Record->VerifyAnswers[call < length ? call : length - 1];
}

// Leaves the tick summary beside the library for scripts that cannot read the
// shared record (the benchmark).
void WriteTickSummary(HMODULE module)
{
    char path[MAX_PATH + 16];
    DWORD length = GetModuleFileNameA(module, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return;
    lstrcatA(path, ".ticks");
    FILE* file = std::fopen(path, "w");
    if (!file)
        return;
    std::fprintf(file, "%ld %lu %lu\n", static_cast<long>(Record->TicksHandled),
                 static_cast<unsigned long>(Record->FirstTickTime),
                 static_cast<unsigned long>(Record->LastTickTime));
    std::fclose(file);
}

// Moves the pointer and runs a message loop, as a modal dialog would, until
// the saver window has handled the move (or two seconds have passed).
void MoveAndPump(int x, int y)
{
    LONG moves = Record->MovesHandled;
    SetCursorPos(x, y);
    DWORD start = GetTickCount();
    while (Record->MovesHandled == moves && GetTickCount() - start < 2000) {
        MSG message;
        if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        } else {
            Sleep(1);
        }
    }
}

} // namespace

extern "C" BOOL WINAPI VerifyScreenSavePwd(HWND window)
{
    LONG call = InterlockedIncrement(&Record->VerifyCalls) - 1;
    LONG depth = InterlockedIncrement(&Record->VerifyDepth);
    char answer = ScriptedAnswer(call);
    VerifyCallRecord* entry = call < StandInMaxCalls ? &Record->Calls[call] : nullptr;
    if (entry) {
        entry->Window = static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(window));
        entry->Running = ScreenSaverRunning();
        entry->Depth = depth;
        GetCursorPos(&entry->Cursor);
    }

    BOOL accepted = FALSE;
    switch (answer) {
    case '1':
        accepted = TRUE;
        break;
    case 'k':
        PostMessageA(window, WM_KEYDOWN, VK_SPACE, 1);
        break;
    case 'n':
        // Requests that arrive while the check runs, as from the system's
        // own password dialog: none of them may close or ask again.
        SendMessageA(window, WM_CLOSE, 0, 0);
        if (entry)
            entry->AliveAfterClose = IsWindow(window) ? 1 : 0;
        SendMessageA(window, WM_KEYDOWN, VK_SPACE, 1);
        SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, 0);
        accepted = TRUE;
        break;
    case 'm':
        MoveAndPump(600, 600);
        break;
    default:
        break;
    }

    if (entry)
        entry->TicksAtReturn = Record->TicksHandled;
    InterlockedDecrement(&Record->VerifyDepth);
    return accepted;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    if (reason == DLL_PROCESS_ATTACH) {
        Record = OpenStandInRecord();
        if (!Record)
            return FALSE;
        Record->RunningAtAttach = ScreenSaverRunning();
        InterlockedIncrement(&Record->PasswordAttached);
        MessageHook = SetWindowsHookExA(WH_GETMESSAGE, GetMessageHook, nullptr, GetCurrentThreadId());
    } else if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
        // Freed by the saver, not torn down with the process.
        if (MessageHook)
            UnhookWindowsHookEx(MessageHook);
        // A live subclass would now point into freed code.
        if (WatchedWindow && IsWindow(WatchedWindow))
            SetWindowLongPtrA(WatchedWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SaverProc));
        WriteTickSummary(instance);
        InterlockedIncrement(&Record->PasswordFreed);
    }
    return TRUE;
}
