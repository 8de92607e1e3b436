#include "host/CommandLine.h"

#include "hostrules/CommandLineScan.h"
#include "host/FaultGuard.h"
#include "host/HostState.h"
#include "host/PasswordChange.h"
#include "host/PasswordVerifier.h"
#include "host/SaverWindow.h"
#include "settings/win32/ConfigDialog.h"

namespace {

const DWORD WIN95_FAMILY = 1;  // VER_PLATFORM_WIN32_WINDOWS

void DetectPlatform()
{
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    HostState.IsWin95Family = GetVersionExA(&version) && version.dwPlatformId == WIN95_FAMILY ? 1 : 0;
}

const char* NextChar(const char* p)
{
    return CharNextA(p);
}

HWND WindowFromNumber(DWORD number)
{
    return reinterpret_cast<HWND>(static_cast<ULONG_PTR>(number));
}

int RunPreview(std::uint32_t window)
{
    HWND parent = WindowFromNumber(window);
    if (parent == nullptr || !IsWindow(parent))
        return NO_USABLE_MODE;
    return RunSaverWindow(parent);
}

int RunPasswordChange(std::uint32_t window)
{
    if (HostState.IsWin95Family != 1)
        return NO_USABLE_MODE;
    HWND owner = WindowFromNumber(window);
    if (owner == nullptr || !IsWindow(owner))
        owner = GetForegroundWindow();
    ChangeSaverPassword(owner);
    return 0;
}

int RunMode(const char* tail)
{
    ModeChoice choice = ScanMode(tail);
    switch (choice.Mode) {
    case SaverMode::ConfigDialog:
        return static_cast<int>(
            RunConfigDialog(HostState.Instance, choice.DialogOwned ? GetForegroundWindow() : nullptr));
    case SaverMode::FullScreen: return RunSaverWindow(nullptr);
    case SaverMode::Preview: return RunPreview(choice.Window);
    case SaverMode::ChangePassword: return RunPasswordChange(choice.Window);
    default: return NO_USABLE_MODE;
    }
}

struct DispatchRecord {
    HINSTANCE Instance;
    const char* Tail;
};

int GuardedDispatch(void* context)
{
    const DispatchRecord* dispatch = static_cast<const DispatchRecord*>(context);
    HostState.Instance = dispatch->Instance;
    DetectPlatform();
    return RunMode(dispatch->Tail);
}

}  // namespace

const char* CommandLineTail(const char* commandLine)
{
    return TailAfterProgramName(commandLine, NextChar);
}

int DispatchCommandLine(HINSTANCE instance, const char* tail)
{
    DispatchRecord dispatch = {instance, tail};
    int result = 0;
    if (RunGuarded(GuardedDispatch, &dispatch, result))
        return result;
    // The system's filter chose to handle the fault here: give the system its
    // normal state back before the process ends.
    SetScreenSaverRunning(0);
    return FAULT_EXIT_CODE;
}
