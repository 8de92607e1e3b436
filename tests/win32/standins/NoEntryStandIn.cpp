// A library that loads but lacks the entry point the saver looks for; the
// tests copy it as PASSWORD.CPL or as MPR.DLL.
#include "StandInRecord.h"

namespace {
StandInRecord* Record;
}

extern "C" DWORD WINAPI StandInWithoutEntry(void)
{
    return 0;
}

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved)
{
    if (reason == DLL_PROCESS_ATTACH) {
        Record = OpenStandInRecord();
        if (!Record)
            return FALSE;
        InterlockedIncrement(&Record->NoEntryAttached);
    } else if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
        InterlockedIncrement(&Record->NoEntryFreed);
    }
    return TRUE;
}
