// orbilux.scr run as the system would on the Windows 95 family, in a folder
// of its own beside the stand-in libraries, and what the stand-ins recorded.
#pragma once
#include <string>

#include "StandInRecord.h"
#include "Support.h"

class SaverFolder : public SaverProcess {
public:
    SaverFolder()
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
    ~SaverFolder()
    {
        Close();
        for (const char* name : {"orbilux.scr", "PASSWORD.CPL", "PASSWORD.CPL.ticks", "MPR.DLL"})
            DeleteFileA((Folder + "\\" + name).c_str());
        RemoveDirectoryA(Folder.c_str());
    }
    // Copies a built file into the folder under the given name.
    bool AddFile(const char* source, const char* name)
    {
        return CopyFileA(source, (Folder + "\\" + name).c_str(), FALSE) != FALSE;
    }
};

// "Control Panel\Desktop" "ScreenSaveUsePassword" written with the type and
// bytes given, or removed (null data).
inline void SetPasswordFlag(DWORD type, const void* data, DWORD size)
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

// SPI_GETSCREENSAVERRUNNING as a new process sees it: each process keeps its
// own copy of the value once read.
inline bool ScreenSaverRunning()
{
    SaverProcess probe;
    probe.Program = RUNNING_PROBE_PATH;
    return probe.StartLine("probe") && probe.WaitExit() == 1;
}

inline void ClearScreenSaverRunning()
{
    BOOL previous;
    SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, FALSE, &previous, 0);
}

// The shared record, zeroed, for a new run.
inline StandInRecord& FreshStandInRecord()
{
    static StandInRecord* record = OpenStandInRecord();
    if (!record)
        FatalAppExitA(0, "cannot map the stand-in record");
    ZeroMemory(record, sizeof *record);
    return *record;
}
