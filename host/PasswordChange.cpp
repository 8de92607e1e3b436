#include "host/PasswordChange.h"

namespace {
typedef DWORD(WINAPI* PwdChangePasswordProc)(LPCSTR provider, HWND owner, DWORD reserved1, DWORD reserved2);
}

void ChangeSaverPassword(HWND owner)
{
    HMODULE library = LoadLibraryA("MPR.DLL");
    if (library == nullptr)
        return;
    FARPROC entry = GetProcAddress(library, "PwdChangePasswordA");
    if (entry != nullptr)
        reinterpret_cast<PwdChangePasswordProc>(reinterpret_cast<void (*)()>(entry))("SCRSAVE", owner, 0, 0);
    FreeLibrary(library);
}
