#include "Support.h"


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
    std::string line = commandLine;  // CreateProcessA may write to it
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    return CreateProcessA(Program.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr,
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
    TerminateProcess(Info.hProcess, 99);  // fails harmlessly once it has ended
    WaitForSingleObject(Info.hProcess, 10000);
    CloseHandle(Info.hProcess);
    CloseHandle(Info.hThread);
    Info = {};
}

HWND SaverProcess::FindTopWindow(const char* className) const
{
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, className, nullptr)) != nullptr) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == Info.dwProcessId && IsWindowVisible(window))
            return window;
    }
    return nullptr;
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
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_KEYBOARD;
    input[0].ki.wVk = input[1].ki.wVk = key;
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof(INPUT));
}

void ClickButton(DWORD downFlag, DWORD upFlag)
{
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = downFlag;
    input[1].mi.dwFlags = upFlag;
    SendInput(2, input, sizeof(INPUT));
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
