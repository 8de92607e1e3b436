#include "host/CommandLine.h"

#include "host/FaultGuard.h"
#include "host/HostState.h"
#include "host/PasswordChange.h"
#include "host/PasswordVerifier.h"
#include "host/SaverWindow.h"
#include "settings/ConfigDialog.h"

namespace {

const DWORD WIN95_FAMILY = 1;  // VER_PLATFORM_WIN32_WINDOWS

unsigned char Byte(const char* p)
{
    return static_cast<unsigned char>(*p);
}

void DetectPlatform()
{
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    HostState.IsWin95Family = GetVersionExA(&version) && version.dwPlatformId == WIN95_FAMILY ? 1 : 0;
}

const char* SkipSpaces(const char* p)
{
    while (*p == ' ')
        p++;
    return p;
}

HWND WindowFromNumber(DWORD number)
{
    return reinterpret_cast<HWND>(static_cast<ULONG_PTR>(number));
}

int RunPreview(const char* afterLetter)
{
    HWND parent = WindowFromNumber(ParseWindowHandle(SkipSpaces(afterLetter)));
    if (parent == nullptr || !IsWindow(parent))
        return NO_USABLE_MODE;
    return RunSaverWindow(parent);
}

int RunPasswordChange(const char* afterLetter)
{
    if (HostState.IsWin95Family != 1)
        return NO_USABLE_MODE;
    HWND owner = WindowFromNumber(ParseWindowHandle(SkipSpaces(afterLetter)));
    if (owner == nullptr || !IsWindow(owner))
        owner = GetForegroundWindow();
    ChangeSaverPassword(owner);
    return 0;
}

// The mode scan: spaces, dashes and slashes are skipped; the first other byte
// names the mode, and only a window number behind it is read.
int RunMode(const char* tail)
{
    for (const char* p = tail;; p++) {
        switch (Byte(p)) {
        case ' ':
        case '-':
        case '/':
            continue;
        case '\0':
            return static_cast<int>(RunConfigDialog(HostState.Instance, nullptr));
        case 'c':
        case 'C':
            return static_cast<int>(RunConfigDialog(HostState.Instance, GetForegroundWindow()));
        case 's':
        case 'S':
            return RunSaverWindow(nullptr);
        case 'p':
        case 'P':
        case 'l':
        case 'L':
            return RunPreview(p + 1);
        case 'a':
        case 'A':
            return RunPasswordChange(p + 1);
        default:
            return NO_USABLE_MODE;
        }
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
    const char* p = commandLine;
    if (*p == '"') {
        p = CharNextA(p);
        while (*p != '\0' && *p != '"')
            p = CharNextA(p);
        if (*p == '"')
            p = CharNextA(p);
    } else if (Byte(p) > ' ') {
        while (Byte(p) > ' ')
            p = CharNextA(p);
    }
    while (*p != '\0' && Byte(p) <= ' ')
        p = CharNextA(p);
    return p;
}

DWORD ParseWindowHandle(const char* text)
{
    DWORD value = 0;
    for (const char* p = text; *p >= '0' && *p <= '9'; p++)
        value = value * 10u + static_cast<DWORD>(*p - '0');
    return value;
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
