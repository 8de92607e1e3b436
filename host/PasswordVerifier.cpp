#include "host/PasswordVerifier.h"

#include "hostrules/CloseRules.h"
#include "host/HostState.h"
#include "host/SaverDefaultProc.h"

namespace {

const UINT SPI_SCREENSAVERRUNNING_ID = 97;

// Reads ScreenSaveUsePassword; a missing, unreadable or oversized value means
// no password. A shorter value fills the low bytes; the rest stay zero.
bool PasswordWanted(HKEY desktop)
{
    DWORD value = 0;
    DWORD size = sizeof(value);
    LONG status =
        RegQueryValueExA(desktop, "ScreenSaveUsePassword", nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size);
    return status == ERROR_SUCCESS && value != 0;
}

}  // namespace

void SetScreenSaverRunning(UINT on)
{
    if (HostState.IsWin95Family != 1)
        return;
    UINT previous = 0;
    SystemParametersInfoA(SPI_SCREENSAVERRUNNING_ID, on, &previous, 0);
}

void LoadPasswordVerifier()
{
    if (HostState.IsWin95Family != 1)
        return;
    if (HostState.PasswordLibrary != nullptr)
        UnloadPasswordVerifier();
    HKEY desktop = nullptr;
    if (RegOpenKeyA(HKEY_CURRENT_USER, "Control Panel\\Desktop", &desktop) != ERROR_SUCCESS)
        return;
    if (PasswordWanted(desktop)) {
        HostState.PasswordLibrary = LoadLibraryA("PASSWORD.CPL");
        if (HostState.PasswordLibrary != nullptr) {
            HostState.VerifyPassword = GetProcAddress(HostState.PasswordLibrary, "VerifyScreenSavePwd");
            if (HostState.VerifyPassword != nullptr)
                SetScreenSaverRunning(1);
            else
                UnloadPasswordVerifier();
        }
    }
    RegCloseKey(desktop);
}

void UnloadPasswordVerifier()
{
    if (HostState.IsWin95Family != 1)
        return;
    if (HostState.PasswordLibrary == nullptr)
        return;
    FreeLibrary(HostState.PasswordLibrary);
    HostState.PasswordLibrary = nullptr;
    if (HostState.VerifyPassword != nullptr) {
        HostState.VerifyPassword = nullptr;
        SetScreenSaverRunning(0);
    }
}

DWORD VerifyBeforeClose(HWND window)
{
    CloseVerdict verdict = JudgeClose(HostState.Verifying == 1, HostState.CloseGranted == 1,
                                      HostState.VerifyPassword != nullptr, HostState.LastVerifyTime, GetTickCount());
    if (verdict == CloseVerdict::Refuse)
        return 0;
    if (verdict == CloseVerdict::Grant) {
        HostState.CloseGranted = 1;
        return 1;
    }
    HostState.Verifying = 1;
    // Ticks already queued would draw behind the password dialog.
    MSG pending;
    PeekMessageA(&pending, window, WM_TIMER, WM_TIMER, PM_REMOVE | PM_NOYIELD);
    PeekMessageA(&pending, window, WM_TIMER, WM_TIMER, PM_REMOVE | PM_NOYIELD);
    // Any non-zero answer grants the close; kept as 1, the flag's one "granted" value.
    HostState.CloseGranted = SendMessageA(window, WM_SAVERVERIFY, 0, 0) != 0 ? 1 : 0;
    HostState.Verifying = 0;
    if (HostState.CloseGranted == 0)
        HideCursor();
    HostState.LastVerifyTime = GetTickCount();
    return HostState.CloseGranted;
}
