#include "PasswordRun.h"

#include <cstdio>

namespace {
const char* const FOLDER_FILES[] = {"orbilux.scr", "PASSWORD.CPL", "PASSWORD.CPL.ticks", "MPR.DLL"};
}

SaverFolder::SaverFolder()
{
    static int runs;
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    Folder = std::string(temp) + "orbilux-password-" + std::to_string(GetCurrentProcessId()) + "-" +
             std::to_string(++runs);
    CreateDirectoryA(Folder.c_str(), nullptr);
    Program = Folder + "\\orbilux.scr";
    AddFile(SaverPath().c_str(), "orbilux.scr");
}

SaverFolder::~SaverFolder()
{
    Close();
    for (const char* name : FOLDER_FILES)
        DeleteFileA((Folder + "\\" + name).c_str());
    RemoveDirectoryA(Folder.c_str());
}

bool SaverFolder::AddFile(const char* source, const char* name)
{
    return CopyFileA(source, (Folder + "\\" + name).c_str(), FALSE) != FALSE;
}

void SetPasswordFlag(DWORD type, const void* data, DWORD size)
{
    HKEY key;
    if (RegCreateKeyA(HKEY_CURRENT_USER, "Control Panel\\Desktop", &key) != ERROR_SUCCESS)
        return;
    if (data == nullptr)
        RegDeleteValueA(key, "ScreenSaveUsePassword");
    else
        RegSetValueExA(key, "ScreenSaveUsePassword", 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
}

void SetPasswordFlag(DWORD value)
{
    SetPasswordFlag(REG_DWORD, &value, sizeof value);
}

bool ScreenSaverRunning()
{
    SaverProcess probe;
    probe.Program = RUNNING_PROBE_PATH;
    return probe.StartLine("probe") && probe.WaitExit() == 1;
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
