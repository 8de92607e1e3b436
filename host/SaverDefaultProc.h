// The saver window's last stage before DefWindowProcA: turns user input into
// a close request and lets a close proceed only once the password allows it.
#pragma once
#include <windows.h>

// Sent by the saver window to itself to run the password check inside its own
// message handling; the result is non-zero when the password was accepted.
const UINT WM_SAVERVERIFY = 0x8000;

LRESULT SaverDefaultProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Hides the mouse pointer over the saver window.
void HideCursor();
