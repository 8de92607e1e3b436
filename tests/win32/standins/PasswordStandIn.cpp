// Stand-in for the system's PASSWORD.CPL: VerifyScreenSavePwd answers as the
// test scripted it in the shared record and records every call. It also
// counts the saver window's ticks and closes through a subclass, so a test
// can tell when a close request has been handled and whether the figure runs.
#include <cstdio>
#include <cstring>

#include "StandInRecord.h"

namespace {

StandInRecord* Record;
HHOOK MessageHook;
HWND WatchedWindow;
WNDPROC SaverProc;

LRESULT CALLBACK WatchProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = CallWindowProcA(SaverProc, window, message, wParam, lParam);
    if (message == WM_TIMER) {
        Record->LastTickTime = GetTickCount();
        if (InterlockedIncrement(&Record->TicksHandled) == 1)
            Record->FirstTickTime = Record->LastTickTime;
    } else if (message == WM_CLOSE) {
        InterlockedIncrement(&Record->ClosesHandled);
    }
    return result;
}

// Puts the watch on the first saver window that this thread takes a message
// for; the window exists only after the library has been loaded.
LRESULT CALLBACK GetMessageHook(int code, WPARAM wParam, LPARAM lParam)
{
    const MSG* message = reinterpret_cast<const MSG*>(lParam);
    char className[64] = "";
    if (code == HC_ACTION && !WatchedWindow && GetClassNameA(message->hwnd, className, sizeof className) &&
        lstrcmpA(className, "WindowsScreenSaverClass") == 0) {
        WatchedWindow = message->hwnd;
        SaverProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(WatchedWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WatchProc)));
    }
    return CallNextHookEx(MessageHook, code, wParam, lParam);
}

LONG ScreenSaverRunning()
{
    BOOL running = FALSE;
    SystemParametersInfoA(SPI_GETSCREENSAVERRUNNING, 0, &running, 0);
    return running ? 1 : 0;
}

// Leaves the tick summary beside the library for scripts that cannot read the
// shared record (the benchmark).
void WriteTickSummary(HMODULE module)
{
    char path[MAX_PATH + 16];
    DWORD length = GetModuleFileNameA(module, path, MAX_PATH);
    FILE* file = length > 0 && length < MAX_PATH ? std::fopen(std::strcat(path, ".ticks"), "w") : nullptr;
    if (!file)
        return;
    std::fprintf(file, "%ld %lu %lu\n", static_cast<long>(Record->TicksHandled),
                 static_cast<unsigned long>(Record->FirstTickTime), static_cast<unsigned long>(Record->LastTickTime));
    std::fclose(file);
}

}  // namespace

extern "C" BOOL WINAPI VerifyScreenSavePwd(HWND window)
{
    LONG call = InterlockedIncrement(&Record->VerifyCalls) - 1;
    LONG scripted = static_cast<LONG>(strnlen(Record->VerifyAnswers, sizeof Record->VerifyAnswers));
    char answer = scripted == 0 ? '1' : Record->VerifyAnswers[call < scripted ? call : scripted - 1];
    VerifyCallRecord unrecorded;
    VerifyCallRecord& entry = call < StandInMaxCalls ? Record->Calls[call] : unrecorded;
    entry.Window = static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(window));
    entry.Running = ScreenSaverRunning();
    if (answer == 'k') {
        SendMessageA(window, WM_CLOSE, 0, 0);
        PostMessageA(window, WM_KEYDOWN, VK_SPACE, 1);
    }
    entry.TicksAtReturn = Record->TicksHandled;
    return answer == '1';
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
        UnhookWindowsHookEx(MessageHook);
        // A live subclass would now point into freed code.
        if (WatchedWindow && IsWindow(WatchedWindow))
            SetWindowLongPtrA(WatchedWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SaverProc));
        WriteTickSummary(instance);
        InterlockedIncrement(&Record->PasswordFreed);
    }
    return TRUE;
}
