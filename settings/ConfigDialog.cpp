// Placeholder until the settings dialog lands.
#include "settings/ConfigDialog.h"

INT_PTR CALLBACK ConfigDialogProc(HWND, UINT, WPARAM, LPARAM) { return 0; }
INT_PTR RunConfigDialog(HWND) { return 0; }
