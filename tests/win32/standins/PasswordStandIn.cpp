// Stand-in for the system's PASSWORD.CPL: VerifyScreenSavePwd answers as the
// test scripted it (with a flood of input or a fault on the way) and records
// every call. It also counts the saver window's
// ticks and closes through a subclass, so a test can tell when a close has
// been handled and whether the figure runs.
#include <cstdio>
#include <cstring>
#include <initializer_list>

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
    }
    if (message == WM_CLOSE)
        InterlockedIncrement(&Record->ClosesHandled);
    return result;
}

// Watches the first saver window that this thread takes a message for; the
// window exists only after the library has been loaded.
LRESULT CALLBACK GetMessageHook(int code, WPARAM wParam, LPARAM lParam)
{
    HWND window = reinterpret_cast<const MSG*>(lParam)->hwnd;
    char name[64] = "";
    if (code == HC_ACTION && !WatchedWindow && GetClassNameA(window, name, sizeof name) &&
        lstrcmpA(name, "WindowsScreenSaverClass") == 0) {
        WatchedWindow = window;
        SaverProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WatchProc)));
    }
    return CallNextHookEx(MessageHook, code, wParam, lParam);
}

LONG ScreenSaverRunning()
{
    BOOL running = FALSE;
    SystemParametersInfoA(SPI_GETSCREENSAVERRUNNING, 0, &running, 0);
    return running ? 1 : 0;
}

// The tick summary beside the library, for the benchmark script.
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

LONG WINAPI CountingFilter(EXCEPTION_POINTERS*)
{
    InterlockedIncrement(&Record->FilterCalls);
    return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

extern "C" BOOL WINAPI VerifyScreenSavePwd(HWND window)
{
    LONG call = InterlockedIncrement(&Record->VerifyCalls) - 1;
    LONG scripted = static_cast<LONG>(strnlen(Record->VerifyAnswers, sizeof Record->VerifyAnswers));
    char answer = scripted == 0 ? '1' : Record->VerifyAnswers[call < scripted ? call : scripted - 1];
    if (call == 0) {
        Record->FirstWindow = static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(window));
        Record->FirstRunning = ScreenSaverRunning();
    }
    if (answer == 'f') {
        SetUnhandledExceptionFilter(CountingFilter);
        *static_cast<volatile int*>(nullptr) = 1;
    }
    if (answer == 'k') {  // the first half of the flood is handled inside, as a modal loop of our own would
        SendMessageA(window, WM_CLOSE, 0, 0);
        for (int i = 0; i < 2 * FLOOD; i++) {
            SetCursorPos(i * 37 % 640, i * 17 % 480);
            for (UINT message : {WM_KEYDOWN, WM_LBUTTONDOWN, WM_ACTIVATEAPP, WM_MOUSEMOVE, WM_CLOSE})
                PostMessageA(window, message, 0, 0);
            for (MSG m; i == FLOOD - 1 && PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE);)
                DispatchMessageA(&m);
        }
    }
    if (call == 0)
        Record->FirstTicksAtReturn = Record->TicksHandled;
    return answer == '1';
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    if (reason == DLL_PROCESS_ATTACH) {
        if (!(Record = OpenStandInRecord()))
            return FALSE;
        Record->RunningAtAttach = ScreenSaverRunning();
        InterlockedIncrement(&Record->PasswordAttached);
        MessageHook = SetWindowsHookExA(WH_GETMESSAGE, GetMessageHook, nullptr, GetCurrentThreadId());
    } else if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {  // freed by the saver
        UnhookWindowsHookEx(MessageHook);
        // A live subclass would now point into freed code.
        if (WatchedWindow && IsWindow(WatchedWindow))
            SetWindowLongPtrA(WatchedWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SaverProc));
        WriteTickSummary(instance);
        InterlockedIncrement(&Record->PasswordFreed);
    }
    return TRUE;
}
