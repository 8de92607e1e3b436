#include "SaverProcess.h"

#include <vector>

namespace {

const char* TEST_WINDOW_CLASS = "OrbiluxSaverTestWindow";
std::vector<RecordedMessage> Recorded;

LRESULT CALLBACK TestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_HELP:
    case WM_CONTEXTMENU:
    case WM_PARENTNOTIFY:
        Recorded.push_back({message, wParam, lParam, window});
        return 0;
    case WM_ERASEBKGND: {
        RECT client;
        GetClientRect(window, &client);
        HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(GetWindowLongPtrA(window, GWLP_USERDATA)));
        FillRect(reinterpret_cast<HDC>(wParam), &client, brush);
        DeleteObject(brush);
        return 1;
    }
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

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
    if (owner == find->ProcessId && IsWindowVisible(window) && lstrcmpA(name, find->ClassName) == 0) {
        find->Found = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK CountSavers(HWND window, LPARAM lParam)
{
    char name[64] = "";
    char title[64] = "";
    GetClassNameA(window, name, sizeof(name));
    GetWindowTextA(window, title, sizeof(title));
    if (lstrcmpA(name, "WindowsScreenSaverClass") == 0 && lstrcmpA(title, "Screen Saver") == 0)
        ++*reinterpret_cast<int*>(lParam);
    return TRUE;
}

}  // namespace

std::string SaverPath()
{
    // The build gives a Unix path; Wine sees the Unix root as drive Z.
    std::string path = ORBILUX_SCR_PATH;
    if (!path.empty() && path[0] == '/') {
        for (char& c : path)
            if (c == '/')
                c = '\\';
        path = "Z:" + path;
    }
    return path;
}

SaverProcess::SaverProcess(const std::string& tail)
{
    Start("\"" + SaverPath() + "\" " + tail);
}

SaverProcess::SaverProcess(const std::string& commandLine, bool)
{
    Start(commandLine);
}

void SaverProcess::Start(const std::string& commandLine)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    if (CreateProcessA(SaverPath().c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &info)) {
        CloseHandle(info.hThread);
        Process = info.hProcess;
        ProcessId = info.dwProcessId;
    }
}

SaverProcess::~SaverProcess()
{
    if (Process == nullptr)
        return;
    Kill();
    CloseHandle(Process);
}

bool SaverProcess::Running() const
{
    return Process != nullptr && WaitForSingleObject(Process, 0) == WAIT_TIMEOUT;
}

DWORD SaverProcess::WaitExit(DWORD timeoutMs)
{
    if (Process == nullptr)
        return STILL_ACTIVE;
    PumpUntil([this] { return !Running(); }, timeoutMs);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(Process, &code);
    return code;
}

void SaverProcess::Kill()
{
    if (Running()) {
        TerminateProcess(Process, 99);
        WaitForSingleObject(Process, 10000);
    }
}

HWND SaverProcess::FindTopWindow(const char* className) const
{
    FindRecord find = {ProcessId, className, nullptr};
    EnumWindows(FindProcessWindow, reinterpret_cast<LPARAM>(&find));
    return find.Found;
}

void PumpMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

HWND WaitForFullScreenSaver(DWORD timeoutMs)
{
    HWND found = nullptr;
    PumpUntil([&found] {
        found = FindWindowA("WindowsScreenSaverClass", "Screen Saver");
        return found != nullptr && IsWindowVisible(found);
    }, timeoutMs);
    return found;
}

int CountFullScreenSavers()
{
    int count = 0;
    EnumWindows(CountSavers, reinterpret_cast<LPARAM>(&count));
    return count;
}

HWND CreateTestWindow(const char* title, DWORD style, int x, int y, int width, int height, COLORREF colour)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = TestWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = TEST_WINDOW_CLASS;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    RegisterClassA(&windowClass);  // fails harmlessly when already registered
    HWND window = CreateWindowExA(0, TEST_WINDOW_CLASS, title, style, x, y, width, height, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(window, GWLP_USERDATA, static_cast<LONG_PTR>(colour));
    InvalidateRect(window, nullptr, TRUE);
    PumpMessages();
    return window;
}

std::vector<RecordedMessage> TakeRecordedMessages()
{
    std::vector<RecordedMessage> taken;
    taken.swap(Recorded);
    return taken;
}
