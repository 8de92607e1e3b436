// The fault guard around the mode dispatch: a fault below it goes to the
// system's unhandled-exception filter, and the handled fault switches the
// saver-running state off. The fault runs in a second process of this
// program that Wine takes for Windows 98.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "host/CommandLine.h"
#include "host/FaultGuard.h"
#include "ImportHook.h"
#include "Support.h"

DECLARE_IMPORT(GetSystemMetrics, 4);

namespace {

const char* CHILD_SWITCH = "--fault-in-dispatch";
int FilterCalls = 0;
DWORD FilterCode = 0;

LONG WINAPI RecordingFilter(EXCEPTION_POINTERS* pointers)
{
    FilterCalls++;
    FilterCode = pointers->ExceptionRecord->ExceptionCode;
    return EXCEPTION_EXECUTE_HANDLER;
}

int WINAPI FaultingGetSystemMetrics(int)
{
    *static_cast<volatile int*>(nullptr) = 1;
    return 0;
}

BOOL SaverRunning()
{
    BOOL running = FALSE;
    SystemParametersInfoA(SPI_GETSCREENSAVERRUNNING, 0, &running, 0);
    return running;
}

// The full-screen mode faults when it asks for the screen size. (Wine drops
// faults raised in window procedures that it calls back from its own
// dispatch, so the fault is injected where the host calls the system.)
// Exit codes: 10 the state could not be set (or this is not the 95 family,
// where the call fails), 11 the filter was not asked, 12 wrong exit code of
// the guarded run, 13 the state stayed on.
int FaultInDispatch()
{
    SetUnhandledExceptionFilter(RecordingFilter);
    UINT previous = 0;
    SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, 1, &previous, 0);
    if (!SaverRunning())
        return 10;
    PatchImport(Import_GetSystemMetrics, &FaultingGetSystemMetrics);
    int result = DispatchCommandLine(GetModuleHandleA(nullptr), "/s");
    if (FilterCalls != 1 || FilterCode != EXCEPTION_ACCESS_VIOLATION)
        return 11;
    return result != FAULT_EXIT_CODE ? 12 : SaverRunning() ? 13 : 0;
}

}  // namespace

TEST(FaultGuard, HandledFaultReachesTheFilterAndSwitchesTheSaverRunningStateOff)
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, sizeof(path));
    std::string program = path;
    std::string name = program.substr(program.find_last_of("\\/") + 1);
    SetWin95Family(name, true);
    SaverProcess child;
    child.Program = program;
    ASSERT_TRUE(child.StartLine("\"" + program + "\" " + CHILD_SWITCH));
    EXPECT_EQ(child.WaitExit(60000), 0u);
    SetWin95Family(name, false);
    // Never leave the state on for later tests sharing this Wine server.
    UINT previous = 0;
    SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, 0, &previous, 0);
}

int main(int argc, char** argv)
{
    if (argc > 1 && std::string(argv[1]) == CHILD_SWITCH)
        return FaultInDispatch();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
