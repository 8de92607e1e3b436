// orbilux.scr run as the system would on the Windows 95 family, in a folder
// of its own beside the stand-in libraries, and what the stand-ins recorded.
#pragma once
#include <string>

#include "StandInRecord.h"
#include "Support.h"

class SaverFolder : public SaverProcess {
public:
    SaverFolder();
    ~SaverFolder();
    // Copies a built file into the folder under the given name.
    bool AddFile(const char* source, const char* name);
};

// "Control Panel\Desktop" "ScreenSaveUsePassword" written with the type and
// bytes given, or removed (null data).
void SetPasswordFlag(DWORD type, const void* data, DWORD size);
void SetPasswordFlag(DWORD value);

// SPI_GETSCREENSAVERRUNNING as a new process sees it (each process keeps
// its own copy once read), and switching it off after a run.
bool ScreenSaverRunning();
void ClearScreenSaverRunning();

// The shared record, zeroed, for a new run.
StandInRecord& FreshStandInRecord();
