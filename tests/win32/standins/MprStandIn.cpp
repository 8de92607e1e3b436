// Stand-in for the system's MPR.DLL: PwdChangePasswordA records its four
// arguments and shows nothing. Built with WITHOUT_ENTRY it is a library that
// loads but lacks the entry point the saver looks for.
#include "StandInRecord.h"

namespace {
StandInRecord* Record;
}

#ifndef WITHOUT_ENTRY
extern "C" DWORD WINAPI PwdChangePasswordA(LPCSTR provider, HWND owner, DWORD argument3, DWORD argument4)
{
    InterlockedIncrement(&Record->ChangeCalls);
    lstrcpynA(Record->ChangeProvider, provider ? provider : "(null)", sizeof Record->ChangeProvider);
    Record->ChangeOwner = static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(owner));
    Record->ChangeArgument3 = argument3;
    Record->ChangeArgument4 = argument4;
    return 0;
}
#endif

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved)
{
    if (reason == DLL_PROCESS_ATTACH && (Record = OpenStandInRecord()) != nullptr)
        InterlockedIncrement(&Record->LibraryAttached);
    else if (reason == DLL_PROCESS_DETACH && reserved == nullptr)  // freed by the saver
        InterlockedIncrement(&Record->LibraryFreed);
    return reason != DLL_PROCESS_ATTACH || Record != nullptr;
}
