#include "Support.h"

#include <cstdio>
#include <cstring>
// After windows.h, which it needs.
#include <sddl.h>

std::string SaverPath()
{
    // The build gives a Unix path; Wine sees the Unix root as drive Z.
    std::string path = "Z:" ORBILUX_SCR_PATH;
    for (char& c : path)
        c = c == '/' ? '\\' : c;
    return path;
}

void PumpMessages()
{
    for (MSG message; PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);)
        DispatchMessageA(&message);
}

bool SaverProcess::Start(const std::string& tail)
{
    Close();
    std::string commandLine = "\"" + Program + "\" " + tail;
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    return CreateProcessA(Program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                          Folder.empty() ? nullptr : Folder.c_str(), &startup, &Info) != FALSE;
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
    TerminateProcess(Info.hProcess, 99);  // fails harmlessly once it has ended
    WaitForSingleObject(Info.hProcess, 10000);
    CloseHandle(Info.hProcess);
    CloseHandle(Info.hThread);
    Info = {};
}

HWND SaverProcess::WaitForWindow(const char* className, const char* title)
{
    bool inFront = std::strcmp(className, FULL_SCREEN) == 0;
    HWND found = nullptr;
    PumpUntil([&] {
        while ((found = FindWindowExA(nullptr, found, className, title)) != nullptr) {
            DWORD owner = 0;
            GetWindowThreadProcessId(found, &owner);
            if (owner == Info.dwProcessId && IsWindowVisible(found) && (!inFront || GetForegroundWindow() == found))
                return true;
        }
        return !Running();
    });
    return found;
}

DWORD SaverProcess::Run(const std::string& tail, const char* className, const std::function<void(HWND)>& act,
                        DWORD timeoutMs)
{
    HWND window = nullptr;
    bool ready = Start(tail) && (className == nullptr || (window = WaitForWindow(className)) != nullptr);
    return ready ? (act ? act(window) : void(), WaitExit(timeoutMs)) : STILL_ACTIVE;
}

void PressKey(WORD key)
{
    INPUT input[2] = {};
    for (int i = 0; i < 2; i++)
        input[i].type = INPUT_KEYBOARD, input[i].ki.wVk = key, input[i].ki.dwFlags = i ? KEYEVENTF_KEYUP : 0;
    SendInput(2, input, sizeof(INPUT));
}

void PutValue(const std::string& key, const char* name, DWORD type, const void* data, DWORD size)
{
    HKEY handle = nullptr;
    if (RegCreateKeyA(HKEY_CURRENT_USER, key.c_str(), &handle) != ERROR_SUCCESS)
        return;
    if (data == nullptr)
        RegDeleteValueA(handle, name);
    else
        RegSetValueExA(handle, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(handle);
}

void SetWin95Family(const std::string& programName, bool on)
{
    PutValue("Software\\Wine\\AppDefaults\\" + programName, "Version", REG_SZ, on ? "win98" : nullptr, 6);
}

const char* const VALUE_NAMES[] = {"ImagesPerSec", "RadiusFactor",   "JoinTheDots", "ColourOption",
                                   "ObjectShape",  "ObjectRotation", "ZoomOption"};

void PutSettings(std::initializer_list<DWORD> values)
{
    for (size_t i = 0; i < values.size(); ++i)
        if (DWORD value = values.begin()[i]; value != NOT_STORED)
            PutValue(SETTINGS_KEY, VALUE_NAMES[i], REG_DWORD, &value, sizeof value);
}

std::string StoredSettings()
{
    std::string line;
    for (int i = 0; i < 7; ++i) {
        DWORD value = 0, size = sizeof value;
        char text[16] = " -";
        if (!RegGetValueA(HKEY_CURRENT_USER, SETTINGS_KEY, VALUE_NAMES[i], RRF_RT_REG_DWORD, nullptr, &value, &size))
            std::snprintf(text, sizeof text, i < 4 ? " %lu" : " %lx", value);
        line += text;
    }
    return line.substr(1);
}

bool SetKeyAccess(const char* rights)
{
    HKEY key = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    bool done = RegOpenKeyExA(HKEY_CURRENT_USER, SETTINGS_KEY, 0, WRITE_DAC, &key) == ERROR_SUCCESS &&
        ConvertStringSecurityDescriptorToSecurityDescriptorA((std::string("D:P(A;;") + rights + ";;;WD)").c_str(),
                                                             SDDL_REVISION_1, &descriptor, nullptr) &&
        RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor) == ERROR_SUCCESS;
    LocalFree(descriptor);
    RegCloseKey(key);
    return done;
}
