// The Windows host's process-wide state.
#pragma once
#include <windows.h>

struct HostStateRecord {
    HINSTANCE Instance;
    DWORD IsWin95Family;  // 1 on the Windows 95 family
    HWND SaverWindow;
    DWORD IsPreview;           // 1 for the preview child window
    HMODULE ImeLibrary;        // IMM32.DLL when already loaded in the process
    FARPROC AssociateContext;  // ImmAssociateContext
    HANDLE SavedInputContext;  // input context detached at WM_CREATE
    DWORD CloseGranted;        // 1 once a close may proceed; never cleared
    DWORD Verifying;           // 1 while the password check runs
    HMODULE PasswordLibrary;   // PASSWORD.CPL
    FARPROC VerifyPassword;    // VerifyScreenSavePwd; none when no password is in use
    DWORD MouseThreshold;      // mouse travel that must be exceeded to close
    DWORD LastVerifyTime;      // tick count when the last check ended; all bits set = never
    POINT ReferencePoint;      // where mouse travel is measured from
};
extern HostStateRecord HostState;

// Puts every field back to its value at process start (for tests that run
// several saver windows in one process).
void ResetHostState();
