// The Windows 95 family's screen-saver password change.
#pragma once
#include <windows.h>

// Asks MPR.DLL to change the "SCRSAVE" password, owned by `owner`; a missing
// library or entry point does nothing.
void ChangeSaverPassword(HWND owner);
