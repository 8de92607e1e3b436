#include "Support.h"

#include <cstring>
#include <vector>

std::string SaverPath()
{
    // The build gives a Unix path; Wine sees the Unix root as drive Z.
    std::string path = "Z:" ORBILUX_SCR_PATH;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

void PumpMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

bool SaverProcess::StartLine(const std::string& commandLine)
{
    Close();
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    // The environment with WINEDLLOVERRIDES replaced, when asked for.
    std::vector<char> environment;
    if (!DllOverrides.empty()) {
        char* strings = GetEnvironmentStringsA();
        for (const char* entry = strings; *entry; entry += std::strlen(entry) + 1)
            if (_strnicmp(entry, "WINEDLLOVERRIDES=", 17) != 0)
                environment.insert(environment.end(), entry, entry + std::strlen(entry) + 1);
        FreeEnvironmentStringsA(strings);
        std::string overrides = "WINEDLLOVERRIDES=" + DllOverrides;
        environment.insert(environment.end(), overrides.c_str(), overrides.c_str() + overrides.size() + 1);
        environment.push_back('\0');
    }
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    return CreateProcessA(Program.c_str(), line.data(), nullptr, nullptr, FALSE, 0,
                          environment.empty() ? nullptr : environment.data(),
                          Folder.empty() ? nullptr : Folder.c_str(), &startup, &Info) != FALSE;
}

bool SaverProcess::Running() const
{
    return Info.hProcess != nullptr && WaitForSingleObject(Info.hProcess, 0) == WAIT_TIMEOUT;
}

DWORD SaverProcess::WaitExit(DWORD timeoutMs)
{
    DWORD code = STILL_ACTIVE;
    if (PumpUntil([this] { return !Running(); }, timeoutMs) && Info.hProcess != nullptr)
        GetExitCodeProcess(Info.hProcess, &code);
    return code;
}

void SaverProcess::Close()
{
    if (Info.hProcess == nullptr)
        return;
    if (Running()) {
        TerminateProcess(Info.hProcess, 99);
        WaitForSingleObject(Info.hProcess, 10000);
    }
    CloseHandle(Info.hProcess);
    CloseHandle(Info.hThread);
    Info = {};
}

namespace {

struct FindRecord {
    DWORD ProcessId;
    const char* ClassName;
    HWND Found;
};

BOOL CALLBACK FindProcessWindow(HWND window, LPARAM lParam)
{
    FindRecord* find = reinterpret_cast<FindRecord*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char name[64] = "";
    GetClassNameA(window, name, sizeof(name));
    if (owner == find->ProcessId && IsWindowVisible(window) && lstrcmpA(name, find->ClassName) == 0)
        find->Found = window;
    return find->Found == nullptr;
}

void SendOneInput(INPUT input)
{
    SendInput(1, &input, sizeof(input));
}

}  // namespace

HWND SaverProcess::FindTopWindow(const char* className) const
{
    FindRecord find = {Info.dwProcessId, className, nullptr};
    EnumWindows(FindProcessWindow, reinterpret_cast<LPARAM>(&find));
    return find.Found;
}

HWND SaverProcess::WaitForFullScreen()
{
    HWND found = nullptr;
    PumpUntil([&] {
        HWND window = FindTopWindow("WindowsScreenSaverClass");
        if (window != nullptr && GetForegroundWindow() == window)
            found = window;
        return found != nullptr || !Running();
    });
    return found;
}

void PressKey(WORD key)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    SendOneInput(input);
    input.ki.dwFlags = KEYEVENTF_KEYUP;
    SendOneInput(input);
}

void ClickButton(DWORD downFlag, DWORD upFlag)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = downFlag;
    SendOneInput(input);
    input.mi.dwFlags = upFlag;
    SendOneInput(input);
}

void SetWin95Family(const std::string& programName, bool on)
{
    std::string key = "Software\\Wine\\AppDefaults\\" + programName;
    HKEY appKey = nullptr;
    if (!on) {
        RegDeleteKeyA(HKEY_CURRENT_USER, key.c_str());
    } else if (RegCreateKeyA(HKEY_CURRENT_USER, key.c_str(), &appKey) == ERROR_SUCCESS) {
        RegSetValueExA(appKey, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>("win98"), 6);
        RegCloseKey(appKey);
    }
}
