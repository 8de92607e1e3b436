// What the stand-in libraries and the tests share: one named block of memory
// in the wineserver, written by the stand-ins inside the saver's process and
// read by the test that started it. Every field starts at zero.
#pragma once
#include <windows.h>

#define STAND_IN_RECORD_NAME "OrbiluxStandInRecord"

enum { StandInMaxCalls = 16 };

// One call of VerifyScreenSavePwd, as the stand-in saw it.
struct VerifyCallRecord {
    DWORD Window;          // the window handed in
    LONG Running;          // SPI_GETSCREENSAVERRUNNING during the call
    LONG TicksAtReturn;    // TicksHandled when the call returned
};

struct StandInRecord {
    // Answers of VerifyScreenSavePwd, one character per call; the last one
    // repeats, and an empty script accepts (the benchmark leaves it empty).
    //   '0' refuse      '1' accept
    //   'k' refuse, after sending a close and posting a key press to the window
    char VerifyAnswers[32];

    // PASSWORD.CPL stand-in.
    volatile LONG PasswordAttached;    // loads of the library
    volatile LONG PasswordFreed;       // FreeLibrary calls that unloaded it
    volatile LONG RunningAtAttach;     // SPI_GETSCREENSAVERRUNNING when it was loaded
    volatile LONG VerifyCalls;
    VerifyCallRecord Calls[StandInMaxCalls];
    // Messages the saver window handled, seen through a subclass that the
    // stand-in puts on the window when it first sees it.
    volatile LONG TicksHandled;        // WM_TIMER
    volatile LONG ClosesHandled;       // WM_CLOSE
    volatile DWORD FirstTickTime;      // GetTickCount at the first and the last WM_TIMER
    volatile DWORD LastTickTime;

    // MPR.DLL stand-in, and the library without either entry point (both
    // built from MprStandIn.cpp).
    volatile LONG LibraryAttached;
    volatile LONG LibraryFreed;        // FreeLibrary calls that unloaded it
    volatile LONG ChangeCalls;
    char ChangeProvider[32];           // "(null)" for a null pointer
    DWORD ChangeOwner;
    DWORD ChangeArgument3;
    DWORD ChangeArgument4;
};

// Maps the record, creating it when it does not exist yet. Returns null on
// failure. The mapping stays open for the life of the process.
inline StandInRecord* OpenStandInRecord()
{
    HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                        sizeof(StandInRecord), STAND_IN_RECORD_NAME);
    return mapping ? static_cast<StandInRecord*>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(StandInRecord)))
                   : nullptr;
}
