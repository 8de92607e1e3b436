// Process entry of orbilux.scr.
#include <windows.h>

#include "host/CommandLine.h"

namespace {

// Takes nothing from the runtime's start-up: the command line and module
// handle are read here, and the mode's result ends the process.
[[noreturn]] void SaverMain()
{
    const char* tail = CommandLineTail(GetCommandLineA());
    int code = DispatchCommandLine(GetModuleHandleA(nullptr), tail);
    ExitProcess(static_cast<UINT>(code));
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    SaverMain();
}
