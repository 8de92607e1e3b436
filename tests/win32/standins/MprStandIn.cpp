// Stand-in for the system's MPR.DLL: PwdChangePasswordA records its four
// arguments and the foreground window, and shows nothing.
#include "StandInRecord.h"

namespace {
StandInRecord* Record;
}

extern "C" DWORD WINAPI PwdChangePasswordA(LPCSTR provider, HWND owner, DWORD argument3, DWORD argument4)
{
    InterlockedIncrement(&Record->ChangeCalls);
    lstrcpynA(Record->ChangeProvider, provider ? provider : "(null)", sizeof Record->ChangeProvider);
    Record->ChangeOwner = static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(owner));
    Record->ChangeArgument3 = argument3;
    Record->ChangeArgument4 = argument4;
    Record->ChangeForeground = static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(GetForegroundWindow()));
    return 0;
}

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved)
{
    if (reason == DLL_PROCESS_ATTACH) {
        Record = OpenStandInRecord();
        if (!Record)
            return FALSE;
        InterlockedIncrement(&Record->MprAttached);
    } else if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
        InterlockedIncrement(&Record->MprFreed);
    }
    return TRUE;
}
