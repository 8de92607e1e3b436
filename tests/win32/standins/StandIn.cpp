// Stand-in for PASSWORD.CPL and MPR.DLL (built as each, and with WITHOUT_ENTRY
// as a library without their entry points): VerifyScreenSavePwd answers as
// scripted, PwdChangePasswordA shows nothing, both record every call. It also
// counts the ticks and closes the saver's thread takes from its queue.
#include <cstring>
#include <initializer_list>

#include "testkit/win32/StandInRecord.h"
#include "testkit/win32/TickSummary.h"

namespace {

StandInRecord* Record;
HHOOK MessageHook;

LRESULT CALLBACK GetMessageHook(int code, WPARAM wParam, LPARAM lParam)
{
    UINT message = code == HC_ACTION && wParam == PM_REMOVE ? reinterpret_cast<const MSG*>(lParam)->message : 0;
    if (message == WM_TIMER) {
        Record->LastTickTime = GetTickCount();
        if (InterlockedIncrement(&Record->TicksHandled) == 1)
            Record->FirstTickTime = Record->LastTickTime;
    } else if (message == WM_CLOSE) {
        InterlockedIncrement(&Record->ClosesHandled);
    }
    return CallNextHookEx(MessageHook, code, wParam, lParam);
}

LONG ScreenSaverRunning(BOOL running = FALSE)
{
    return SystemParametersInfoA(SPI_GETSCREENSAVERRUNNING, 0, &running, 0) && running;
}

}  // namespace

#ifndef WITHOUT_ENTRY
static LONG WINAPI CountingFilter(EXCEPTION_POINTERS*)
{
    InterlockedIncrement(&Record->FilterCalls);
    return EXCEPTION_EXECUTE_HANDLER;
}

extern "C" BOOL WINAPI VerifyScreenSavePwd(HWND window)
{
    LONG call = InterlockedIncrement(&Record->VerifyCalls) - 1;
    if (call == 1)
        Record->SecondCallTime = GetTickCount();
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
    if (answer == 'k') {  // a flood handled inside, as a modal loop of our own would, then a key queued behind
        SendMessageA(window, WM_CLOSE, 0, 0);
        for (int i = 0; i < FLOOD; i++) {
            SetCursorPos(i * 37 % 640, i * 17 % 480);
            for (UINT message : {WM_KEYDOWN, WM_LBUTTONDOWN, WM_ACTIVATEAPP, WM_MOUSEMOVE, WM_CLOSE})
                PostMessageA(window, message, 0, 0);
        }
        for (MSG m; PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE);)
            DispatchMessageA(&m);
        PostMessageA(window, WM_KEYDOWN, VK_SPACE, 1);
    }
    if (call == 0) {
        Record->FirstTicksAtReturn = Record->TicksHandled;
        Record->FirstReturnTime = GetTickCount();
    }
    return answer == '1';
}

extern "C" DWORD WINAPI PwdChangePasswordA(LPCSTR provider, HWND owner, DWORD argument3, DWORD argument4)
{
    InterlockedIncrement(&Record->ChangeCalls);
    lstrcpynA(Record->ChangeProvider, provider ? provider : "(null)", sizeof Record->ChangeProvider);
    Record->ChangeOwner = static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(owner));
    Record->ChangeOthers = argument3 | argument4;
    return 0;
}
#endif

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    if (reason == DLL_PROCESS_ATTACH) {
        if (!(Record = OpenStandInRecord()))
            return FALSE;
        Record->RunningAtAttach = ScreenSaverRunning();
        InterlockedIncrement(&Record->Attached);
        MessageHook = SetWindowsHookExA(WH_GETMESSAGE, GetMessageHook, nullptr, GetCurrentThreadId());
    } else if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {  // freed by the saver
        UnhookWindowsHookEx(MessageHook);
        WriteTickSummary(instance, *Record);
        InterlockedIncrement(&Record->Freed);
    }
    return TRUE;
}
