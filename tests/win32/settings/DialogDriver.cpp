#include "DialogDriver.h"

#include <cstring>

#include "host/HostState.h"
#include "settings/ConfigDialog.h"

namespace {

// Sent messages wait for the dialog; the limit only keeps a broken run from
// hanging when a warning box blocks the dialog's thread.
const UINT SEND_LIMIT_MS = 20000;

bool SendToControl(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(GetDlgItem(dialog, id), message, wParam, lParam, SMTO_NORMAL, SEND_LIMIT_MS,
                               &result) != 0;
}

struct StaticTexts {
    std::string Text;
    bool WarningIcon;
};

BOOL CALLBACK ReadBoxChild(HWND child, LPARAM param)
{
    StaticTexts* texts = reinterpret_cast<StaticTexts*>(param);
    char className[32] = "";
    GetClassNameA(child, className, sizeof className);
    if (lstrcmpiA(className, "Static") != 0)
        return TRUE;
    if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
        HICON icon = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
        texts->WarningIcon = icon != nullptr && icon == LoadIconA(nullptr, IDI_WARNING);
        return TRUE;
    }
    char text[256] = "";
    GetWindowTextA(child, text, sizeof text);
    if (text[0] != '\0')
        texts->Text = text;
    return TRUE;
}

}  // namespace

HWND WaitForSettingsDialog(DWORD processId)
{
    HWND dialog = nullptr;
    WaitUntil([&] {
        dialog = FindWindowA("#32770", DIALOG_CAPTION);
        DWORD owner = 0;
        if (dialog != nullptr)
            GetWindowThreadProcessId(dialog, &owner);
        return dialog != nullptr && owner == processId && IsWindowVisible(dialog) &&
               GetDlgItem(dialog, 1040) != nullptr;
    });
    if (dialog != nullptr && !IsWindowVisible(dialog))
        return nullptr;
    return dialog;
}

std::string ControlText(HWND dialog, int id)
{
    char text[64] = "";
    DWORD_PTR length = 0;
    SendMessageTimeoutA(GetDlgItem(dialog, id), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                        SMTO_NORMAL, SEND_LIMIT_MS, &length);
    return text;
}

bool IsChecked(HWND dialog, int id)
{
    DWORD_PTR state = 0;
    SendMessageTimeoutA(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0, SMTO_NORMAL, SEND_LIMIT_MS, &state);
    return state == BST_CHECKED;
}

bool TypeKey(HWND dialog, int id, char key)
{
    return SendToControl(dialog, id, WM_CHAR, static_cast<unsigned char>(key), 1);
}

void PostKey(HWND dialog, int id, char key)
{
    PostMessageA(GetDlgItem(dialog, id), WM_CHAR, static_cast<unsigned char>(key), 1);
}

bool SetText(HWND dialog, int id, const char* text)
{
    return SendToControl(dialog, id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

void SelectAll(HWND dialog, int id)
{
    SendToControl(dialog, id, EM_SETSEL, 0, -1);
}

bool PostPaste(HWND dialog, int id, const char* text)
{
    size_t size = std::strlen(text) + 1;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    if (memory == nullptr)
        return false;
    std::memcpy(GlobalLock(memory), text, size);
    GlobalUnlock(memory);
    if (!OpenClipboard(nullptr)) {
        GlobalFree(memory);
        return false;
    }
    EmptyClipboard();
    bool placed = SetClipboardData(CF_TEXT, memory) != nullptr;
    CloseClipboard();
    if (!placed) {
        GlobalFree(memory);
        return false;
    }
    SelectAll(dialog, id);
    return PostMessageA(GetDlgItem(dialog, id), WM_PASTE, 0, 0) != 0;
}

bool Click(HWND dialog, int id)
{
    return SendToControl(dialog, id, BM_CLICK, 0, 0);
}

void PostClick(HWND dialog, int id)
{
    PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

WarningBox AnswerWarning(const char* caption)
{
    WarningBox box = {false, "", false, false};
    HWND window = nullptr;
    if (!WaitUntil([&] {
            window = FindWindowA("#32770", caption);
            return window != nullptr && IsWindowVisible(window);
        }))
        return box;
    box.Shown = true;
    box.Owned = GetWindow(window, GW_OWNER) != nullptr;
    StaticTexts texts = {"", false};
    EnumChildWindows(window, ReadBoxChild, reinterpret_cast<LPARAM>(&texts));
    box.Text = texts.Text;
    box.WarningIcon = texts.WarningIcon;
    PostMessageA(window, WM_COMMAND, IDOK, 0);
    WaitUntil([&] { return !IsWindow(window); });
    return box;
}

bool WarningShowing(const char* caption)
{
    HWND window = FindWindowA("#32770", caption);
    return window != nullptr && IsWindowVisible(window);
}

namespace {

// Answers any warning box left open by a failed test so the dialog can end.
void DismissWarnings()
{
    const char* const captions[] = {"Images Per Second", "Circle Radius"};
    for (const char* caption : captions) {
        HWND box = FindWindowA("#32770", caption);
        if (box != nullptr)
            PostMessageA(box, WM_COMMAND, IDOK, 0);
    }
}

}  // namespace

DialogRun::DialogRun() : Thread(nullptr), DialogWindow(nullptr), Result(-100)
{
    HostState.Instance = GetModuleHandleA(nullptr);
    Thread = CreateThread(nullptr, 0, RunDialog, this, 0, nullptr);
    if (Thread != nullptr)
        DialogWindow = WaitForSettingsDialog(GetCurrentProcessId());
}

DialogRun::~DialogRun()
{
    if (Thread == nullptr)
        return;
    if (WaitForSingleObject(Thread, 0) != WAIT_OBJECT_0) {
        DismissWarnings();
        if (DialogWindow != nullptr)
            PostMessageA(DialogWindow, WM_COMMAND, IDCANCEL, 0);
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

DialogProcess::DialogProcess() : Process(), DialogWindow(nullptr)
{
    char path[MAX_PATH] = "";
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    while (length > 0 && path[length - 1] != '\\' && path[length - 1] != '/')
        --length;
    path[length] = '\0';
    lstrcatA(path, "orbilux_config_dialog_app.exe");
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessA(path, nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &Process))
        return;
    DialogWindow = WaitForSettingsDialog(Process.dwProcessId);
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
    if (Process.hProcess == nullptr || WaitForSingleObject(Process.hProcess, 30000) != WAIT_OBJECT_0)
        return code;
    GetExitCodeProcess(Process.hProcess, &code);
    return code;
}
