// One named block of memory in the wineserver, written by the stand-ins in the
// saver's process and read by the test that started it; all zero at first.
#pragma once
#include <windows.h>

const int FLOOD = 50;

struct StandInRecord {
    // VerifyScreenSavePwd's answers, one per call, the last repeating; empty accepts. '0' refuses,
    // '1' accepts, 'k' refuses after a close and FLOOD rounds of input, then queues a key; 'f' faults
    // after making its own filter (which counts FilterCalls and has it handled) the system's.
    char VerifyAnswers[32];
    // Loads, unloads by the saver, running state at load; verifier calls; the first's window, state, ticks at return.
    volatile LONG Attached, Freed, RunningAtAttach, VerifyCalls, FirstRunning, FirstTicksAtReturn;
    volatile DWORD FirstWindow;
    // GetTickCount in the saver's process as the first call returns and as the second starts.
    volatile DWORD FirstReturnTime, SecondCallTime;
    // WM_TIMER and posted WM_CLOSE taken from the saver's queue; GetTickCount at the first and last tick.
    volatile LONG TicksHandled, ClosesHandled, FilterCalls;
    volatile DWORD FirstTickTime, LastTickTime;
    // PwdChangePasswordA's calls, provider, owner, and its last two arguments ORed.
    volatile LONG ChangeCalls;
    char ChangeProvider[32];
    DWORD ChangeOwner, ChangeOthers;
};

// Maps the record, creating it if needed; null on failure. It stays mapped.
inline StandInRecord* OpenStandInRecord()
{
    HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(StandInRecord),
                                        "OrbiluxStandInRecord");
    return mapping ? static_cast<StandInRecord*>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0)) : nullptr;
}
