#include "DialogDriver.h"

#include <cstring>

#include "host/HostState.h"
#include "settings/ConfigDialog.h"

namespace {

// Only keeps a broken run from hanging on a warning box.
const UINT SEND_LIMIT_MS = 20000;

DWORD_PTR Send(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam, bool* handled = nullptr)
{
    DWORD_PTR result = 0;
    bool done = SendMessageTimeoutA(GetDlgItem(dialog, id), message, wParam, lParam, SMTO_NORMAL, SEND_LIMIT_MS,
                                    &result) != 0;
    if (handled != nullptr)
        *handled = done;
    return result;
}

bool Sent(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam)
{
    bool handled = false;
    Send(dialog, id, message, wParam, lParam, &handled);
    return handled;
}

BOOL CALLBACK ReadBoxChild(HWND child, LPARAM param)
{
    WarningBox* box = reinterpret_cast<WarningBox*>(param);
    char text[256] = "";
    GetClassNameA(child, text, sizeof text);
    if (lstrcmpiA(text, "Static") != 0)
        return TRUE;
    if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
        HICON icon = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
        box->WarningIcon = icon != nullptr && icon == LoadIconA(nullptr, IDI_WARNING);
    } else if (GetWindowTextA(child, text, sizeof text) > 0) {
        box->Text = text;
    }
    return TRUE;
}

// The visible dialog of that process, once its controls exist.
HWND WaitForSettingsDialog(DWORD processId)
{
    HWND dialog = nullptr;
    bool found = WaitUntil([&] {
        dialog = FindWindowA("#32770", "Orbilux Setup - Version 1.9");
        DWORD owner = 0;
        GetWindowThreadProcessId(dialog, &owner);
        return dialog != nullptr && owner == processId && IsWindowVisible(dialog) &&
               GetDlgItem(dialog, 1040) != nullptr;
    });
    return found ? dialog : nullptr;
}

// Answers any warning box a failed test left open, so the dialog can end.
void DismissWarnings()
{
    for (const char* caption : {"Images Per Second", "Circle Radius"}) {
        HWND box = FindWindowA("#32770", caption);
        if (box != nullptr)
            PostMessageA(box, WM_COMMAND, IDOK, 0);
    }
}

}  // namespace

std::string ControlText(HWND dialog, int id)
{
    char text[64] = "";
    Send(dialog, id, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

bool IsChecked(HWND dialog, int id)
{
    return Send(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool TypeKey(HWND dialog, int id, char key)
{
    return Sent(dialog, id, WM_CHAR, static_cast<unsigned char>(key), 1);
}

bool SetText(HWND dialog, int id, const char* text)
{
    return Sent(dialog, id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

bool Click(HWND dialog, int id)
{
    return Sent(dialog, id, BM_CLICK, 0, 0);
}

void SelectAll(HWND dialog, int id)
{
    Sent(dialog, id, EM_SETSEL, 0, -1);
}

void PostKey(HWND dialog, int id, char key)
{
    PostMessageA(GetDlgItem(dialog, id), WM_CHAR, static_cast<unsigned char>(key), 1);
}

bool PostPaste(HWND dialog, int id, const char* text)
{
    size_t size = std::strlen(text) + 1;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    if (memory == nullptr || !OpenClipboard(nullptr))
        return false;
    std::memcpy(GlobalLock(memory), text, size);
    GlobalUnlock(memory);
    EmptyClipboard();
    bool placed = SetClipboardData(CF_TEXT, memory) != nullptr;  // the clipboard owns it now
    CloseClipboard();
    SelectAll(dialog, id);
    return placed && PostMessageA(GetDlgItem(dialog, id), WM_PASTE, 0, 0) != 0;
}

WarningBox AnswerWarning(const char* caption)
{
    WarningBox box = {false, "", false, false};
    HWND window = nullptr;
    box.Shown = WaitUntil([&] {
        window = FindWindowA("#32770", caption);
        return window != nullptr && IsWindowVisible(window);
    });
    if (!box.Shown)
        return box;
    box.Owned = GetWindow(window, GW_OWNER) != nullptr;
    EnumChildWindows(window, ReadBoxChild, reinterpret_cast<LPARAM>(&box));
    PostMessageA(window, WM_COMMAND, IDOK, 0);
    WaitUntil([&] { return !IsWindow(window); });
    return box;
}

DialogRun::DialogRun() : Thread(nullptr), Window(nullptr), Result(-100)
{
    HostState.Instance = GetModuleHandleA(nullptr);
    Thread = CreateThread(nullptr, 0, RunDialog, this, 0, nullptr);
    if (Thread != nullptr)
        Window = WaitForSettingsDialog(GetCurrentProcessId());
}

DialogRun::~DialogRun()
{
    if (Thread == nullptr)
        return;
    if (WaitForSingleObject(Thread, 0) != WAIT_OBJECT_0) {
        DismissWarnings();
        PostMessageA(Window, WM_COMMAND, IDCANCEL, 0);
        WaitForSingleObject(Thread, 30000);
    }
    CloseHandle(Thread);
}

DWORD WINAPI DialogRun::RunDialog(LPVOID self)
{
    static_cast<DialogRun*>(self)->Result = RunConfigDialog(nullptr);
    return 0;
}

INT_PTR DialogRun::Finish()
{
    if (Thread == nullptr || WaitForSingleObject(Thread, 30000) != WAIT_OBJECT_0)
        return -100;
    return Result;
}

DialogProcess::DialogProcess() : Process(), Window(nullptr)
{
    char path[MAX_PATH + 40] = "";
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    while (length > 0 && path[length - 1] != '\\' && path[length - 1] != '/')
        --length;
    lstrcpyA(path + length, "orbilux_config_dialog_app.exe");
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (CreateProcessA(path, nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &Process))
        Window = WaitForSettingsDialog(Process.dwProcessId);
}

DialogProcess::~DialogProcess()
{
    if (Process.hProcess == nullptr)
        return;
    if (WaitForSingleObject(Process.hProcess, 0) != WAIT_OBJECT_0) {
        DismissWarnings();
        TerminateProcess(Process.hProcess, 0xDEAD);
        WaitForSingleObject(Process.hProcess, 30000);
    }
    CloseHandle(Process.hThread);
    CloseHandle(Process.hProcess);
}

DWORD DialogProcess::Finish()
{
    DWORD code = 0xDEAD;
    if (Process.hProcess != nullptr && WaitForSingleObject(Process.hProcess, 30000) == WAIT_OBJECT_0)
        GetExitCodeProcess(Process.hProcess, &code);
    return code;
}
