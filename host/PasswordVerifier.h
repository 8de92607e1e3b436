// The Windows 95 family's screen-saver password: the verifier library, the
// check before a close, and the system's saver-running state.
#pragma once
#include <windows.h>

// VerifyScreenSavePwd in PASSWORD.CPL: non-zero lets the user leave.
typedef BOOL(WINAPI* VerifyScreenSavePwdProc)(HWND window);

// Loads PASSWORD.CPL when the desktop asks for a password.
void LoadPasswordVerifier();
void UnloadPasswordVerifier();
// Non-zero when the close may proceed.
DWORD VerifyBeforeClose(HWND window);
// Switches SPI_SCREENSAVERRUNNING on (1) or off (0); only on the 95 family.
void SetScreenSaverRunning(UINT on);
