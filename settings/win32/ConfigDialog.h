// The settings dialog (template 2003).
#pragma once
#include <windows.h>

// Runs the modal dialog from `instance`'s template; 1 after OK, 0 after
// Cancel, -1 when it cannot be created.
INT_PTR RunConfigDialog(HINSTANCE instance, HWND owner);
INT_PTR CALLBACK ConfigDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
