// The settings dialog as a process of its own, as the saver's "/c" runs it:
// the exit code is the dialog's result (1 after OK, 0 after Cancel).
#include <windows.h>

#include "settings/ConfigDialog.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    return static_cast<int>(RunConfigDialog(instance, nullptr));
}
