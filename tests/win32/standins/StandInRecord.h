// One named block of memory in the wineserver, written by the stand-ins
// inside the saver's process and read by the test that started it. Every
// field starts at zero.
#pragma once
#include <windows.h>

struct StandInRecord {
    // VerifyScreenSavePwd's answers, one per call, the last repeating; empty
    // accepts. '0' refuses, '1' accepts, 'k' refuses after sending a close and posting a key.
    char VerifyAnswers[32];
    // PASSWORD.CPL: loads, unloads by the saver, the saver-running state at load;
    // its calls, and the first call's window, saver-running state and ticks at return.
    volatile LONG PasswordAttached, PasswordFreed, RunningAtAttach, VerifyCalls, FirstRunning, FirstTicksAtReturn;
    volatile DWORD FirstWindow;
    // WM_TIMER and WM_CLOSE the saver window handled; GetTickCount at the first and last tick.
    volatile LONG TicksHandled, ClosesHandled;
    volatile DWORD FirstTickTime, LastTickTime;
    // MPR.DLL (or the library without its entry point): loads, unloads by the
    // saver, and PwdChangePasswordA's calls and arguments.
    volatile LONG LibraryAttached, LibraryFreed, ChangeCalls;
    char ChangeProvider[32];
    DWORD ChangeOwner, ChangeArgument3, ChangeArgument4;
};

// Maps the record, creating it if needed; null on failure. It stays mapped.
inline StandInRecord* OpenStandInRecord()
{
    HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(StandInRecord),
                                        "OrbiluxStandInRecord");
    return mapping ? static_cast<StandInRecord*>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0)) : nullptr;
}
