#include "SaverProcess.h"
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

const char DesktopKey[] = "Control Panel\\Desktop";
const char PasswordFlag[] = "ScreenSaveUsePassword";
const char AppDefaultsKey[] = "Software\\Wine\\AppDefaults\\orbilux.scr";

// The current environment with WINEDLLOVERRIDES replaced, as a block for
// CreateProcessA.
std::vector<char> EnvironmentWithOverrides(const std::string& overrides)
{
    std::vector<char> block;
    char* strings = GetEnvironmentStringsA();
    for (const char* entry = strings; *entry; entry += std::strlen(entry) + 1) {
        if (_strnicmp(entry, "WINEDLLOVERRIDES=", 17) != 0)
            block.insert(block.end(), entry, entry + std::strlen(entry) + 1);
    }
    FreeEnvironmentStringsA(strings);
    std::string line = "WINEDLLOVERRIDES=" + overrides;
    block.insert(block.end(), line.c_str(), line.c_str() + line.size() + 1);
    block.push_back('\0');
    return block;
}

} // namespace

void SetWin95Family(bool on)
{
    if (!on) {
        RegDeleteKeyA(HKEY_CURRENT_USER, AppDefaultsKey);
        return;
    }
    HKEY key;
    if (RegCreateKeyA(HKEY_CURRENT_USER, AppDefaultsKey, &key) != ERROR_SUCCESS)
        return;
    static const char version[] = "win98";
    RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version), sizeof version);
    RegCloseKey(key);
}

void RemovePasswordFlag()
{
    HKEY key;
    if (RegOpenKeyA(HKEY_CURRENT_USER, DesktopKey, &key) != ERROR_SUCCESS)
        return;
    RegDeleteValueA(key, PasswordFlag);
    RegCloseKey(key);
}

void SetPasswordFlag(DWORD type, const void* data, DWORD size)
{
    HKEY key;
    if (RegCreateKeyA(HKEY_CURRENT_USER, DesktopKey, &key) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key, PasswordFlag, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
}

void SetPasswordFlag(DWORD value)
{
    SetPasswordFlag(REG_DWORD, &value, sizeof value);
}

bool ScreenSaverRunning()
{
    // This process's own copy of the value would not see the saver's changes.
    char commandLine[] = "probe";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION probe = {};
    if (!CreateProcessA(RUNNING_PROBE_PATH, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &probe))
        return false;
    DWORD exitCode = 2;
    if (WaitForSingleObject(probe.hProcess, 10000) == WAIT_OBJECT_0)
        GetExitCodeProcess(probe.hProcess, &exitCode);
    CloseHandle(probe.hProcess);
    CloseHandle(probe.hThread);
    return exitCode == 1;
}

void ClearScreenSaverRunning()
{
    BOOL previous;
    SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, FALSE, &previous, 0);
}

StandInRecord& FreshStandInRecord()
{
    static StandInRecord* record = OpenStandInRecord();
    if (!record) {
        std::fprintf(stderr, "cannot map the stand-in record\n");
        ExitProcess(3);
    }
    ZeroMemory(record, sizeof *record);
    return *record;
}

void PressKey()
{
    INPUT keys[2] = {};
    keys[0].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = VK_SPACE;
    keys[1] = keys[0];
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof keys[0]);
}

SaverProcess::SaverProcess()
{
    static int runs;
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    folder_ = std::string(temp) + "orbilux-password-" + std::to_string(GetCurrentProcessId()) + "-" +
              std::to_string(++runs);
    CreateDirectoryA(folder_.c_str(), nullptr);
}

SaverProcess::~SaverProcess()
{
    Close();
    const char* names[] = {"orbilux.scr", "PASSWORD.CPL", "PASSWORD.CPL.ticks", "MPR.DLL"};
    for (const char* name : names)
        DeleteFileA((folder_ + "\\" + name).c_str());
    RemoveDirectoryA(folder_.c_str());
}

void SaverProcess::Close()
{
    if (!process_.hProcess)
        return;
    if (Running()) {
        TerminateProcess(process_.hProcess, 99);
        WaitForSingleObject(process_.hProcess, 10000);
    }
    CloseHandle(process_.hProcess);
    CloseHandle(process_.hThread);
    process_ = {};
}

bool SaverProcess::AddFile(const char* source, const char* name)
{
    return CopyFileA(source, (folder_ + "\\" + name).c_str(), FALSE) != FALSE;
}

bool SaverProcess::Start(const std::string& tail, const std::string& dllOverrides)
{
    Close();
    std::string program = folder_ + "\\orbilux.scr";
    std::string commandLine = "\"" + program + "\" " + tail;
    std::vector<char> commandBuffer(commandLine.begin(), commandLine.end());
    commandBuffer.push_back('\0');
    std::vector<char> environment;
    if (!dllOverrides.empty())
        environment = EnvironmentWithOverrides(dllOverrides);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    return CreateProcessA(program.c_str(), commandBuffer.data(), nullptr, nullptr, FALSE, 0,
                          environment.empty() ? nullptr : environment.data(), folder_.c_str(), &startup,
                          &process_) != FALSE;
}

HWND SaverProcess::WaitForSaverWindow()
{
    HWND found = nullptr;
    WaitUntil([&] {
        HWND window = FindWindowA("WindowsScreenSaverClass", "Screen Saver");
        DWORD owner = 0;
        if (window)
            GetWindowThreadProcessId(window, &owner);
        // Input reaches it only once it is in front.
        if (window && owner == process_.dwProcessId && IsWindowVisible(window) &&
            GetForegroundWindow() == window)
            found = window;
        return found != nullptr || !Running();
    });
    return found;
}

bool SaverProcess::Running()
{
    return process_.hProcess && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

bool SaverProcess::WaitForExit(DWORD& exitCode)
{
    if (!process_.hProcess || WaitForSingleObject(process_.hProcess, 10000) != WAIT_OBJECT_0)
        return false;
    return GetExitCodeProcess(process_.hProcess, &exitCode) != FALSE;
}
