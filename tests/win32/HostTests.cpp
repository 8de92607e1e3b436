// The host library inside a test program, for what a saver process does not
// show from the outside: the full screen's rectangle, GDI objects over many
// ticks, and the fault guard, whose fault runs in a child that Wine takes for
// Windows 98.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "Support.h"
#include "animation/AnimationState.h"
#include "host/CommandLine.h"
#include "host/HostState.h"
#include "host/SaverWindow.h"

// Calls of the host library linked into this program go through its import
// table entries, which the tests rewrite: `__imp__Name@args` on i686, `__imp_Name` on x86_64.
#if defined(__i386__)
#define IMPORT(name, args) extern "C" decltype(&name) Import##name __asm__("__imp__" #name "@" #args)
#else
#define IMPORT(name, args) extern "C" decltype(&name) Import##name __asm__("__imp_" #name)
#endif
IMPORT(CreatePen, 12);
IMPORT(Sleep, 4);
IMPORT(GetSystemMetrics, 4);
IMPORT(SetForegroundWindow, 4);

namespace {

template <typename F>
F PatchImport(F& entry, F replacement)
{
    DWORD protection = 0;
    VirtualProtect(&entry, sizeof(entry), PAGE_READWRITE, &protection);
    F previous = entry;
    entry = replacement;
    VirtualProtect(&entry, sizeof(entry), protection, &protection);
    return previous;
}

std::vector<HGDIOBJ> Pens;  // every pen CreatePen returned
decltype(&CreatePen) RealCreatePen = nullptr;
HPEN WINAPI RecordCreatePen(int style, int width, COLORREF colour)
{
    Pens.push_back(RealCreatePen(style, width, colour));
    return static_cast<HPEN>(Pens.back());
}

void WINAPI SkipSleep(DWORD) {}  // the one-second pause between figures

void ResetHost()
{
    ResetHostState();
    ResetAnimationState(AnimationState);
    HostState.Instance = GetModuleHandleA(nullptr);
}

BOOL SaverRunning()
{
    BOOL running = FALSE;
    SystemParametersInfoA(SPI_GETSCREENSAVERRUNNING, 0, &running, 0);
    return running;
}

int FilterCalls = 0;
LONG WINAPI CountingFilter(EXCEPTION_POINTERS* pointers)
{
    FilterCalls += pointers->ExceptionRecord->ExceptionCode == EXCEPTION_ACCESS_VIOLATION;
    return EXCEPTION_EXECUTE_HANDLER;
}

// The scan faults on a tail that is no readable text. Exit codes: 10 the
// state could not be set (or this is not the 95 family), 11 the filter was
// not asked, 12 wrong exit code of the guarded run, 13 the state stayed on.
int FaultInDispatch()
{
    SetUnhandledExceptionFilter(CountingFilter);
    UINT previous = 0;
    SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, 1, &previous, 0);
    if (!SaverRunning())
        return 10;
    int result = DispatchCommandLine(GetModuleHandleA(nullptr), reinterpret_cast<const char*>(16));
    return FilterCalls != 1 ? 11 : result != FAULT_EXIT_CODE ? 12 : SaverRunning() ? 13 : 0;
}

// The metrics a system reports: virtual screen x, y, width, height, then the
// primary screen's width and height.
const int* Reported = nullptr;
decltype(&GetSystemMetrics) RealGetSystemMetrics = nullptr;
int WINAPI ReportedMetrics(int index)
{
    const int indices[] = {SM_XVIRTUALSCREEN, SM_YVIRTUALSCREEN, SM_CXVIRTUALSCREEN,
                           SM_CYVIRTUALSCREEN, SM_CXSCREEN,       SM_CYSCREEN};
    for (int i = 0; i < 6; i++)
        if (index == indices[i])
            return Reported[i];
    return RealGetSystemMetrics(index);
}

// Called where RunSaverWindow brings its new window to the front, before its
// loop: records the window's rectangle, the figure's fit and whether mouse
// travel of 4 and then 5 pixels asks to close; then lets the run end.
int Seen[8];
BOOL WINAPI InspectFullScreen(HWND window)
{
    RECT rect;
    GetWindowRect(window, &rect);
    int seen[] = {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                  AnimationState.DrawWidth + 2, AnimationState.DrawHeight + 2, 0, 0};
    for (int travel : {4, 5}) {
        SetCursorPos(400 + travel, 300);
        SendMessageA(window, WM_MOUSEMOVE, 0, 0);
        MSG message;
        seen[2 + travel] = PeekMessageA(&message, window, WM_CLOSE, WM_CLOSE, PM_NOREMOVE) != 0;
    }
    std::copy(seen, seen + 8, Seen);
    PostMessageA(window, WM_CLOSE, 0, 0);
    return TRUE;
}

}  // namespace

// The full screen covers the virtual screen where the system reports one.
TEST(SaverHost, FullScreenTakesTheVirtualScreen)
{
    const int rows[][10] = {
        // reported metrics                  expected x, y, width, height
        {-1280, 0, 2304, 1024, 1024, 768, /**/ -1280, 0, 2304, 1024},  // a monitor left of the primary
        {0, 0, 0, 0, 800, 600, /**/ 0, 0, 800, 600},                   // no virtual screen reported
    };
    RealGetSystemMetrics = PatchImport(ImportGetSystemMetrics, &ReportedMetrics);
    auto realFront = PatchImport(ImportSetForegroundWindow, &InspectFullScreen);
    auto realSleep = PatchImport(ImportSleep, &SkipSleep);
    for (int i = 0; i < 2; i++) {
        Reported = rows[i];
        ResetHost();
        UnregisterClassA("WindowsScreenSaverClass", HostState.Instance);  // each run registers it
        SetCursorPos(400, 300);
        std::fill(Seen, Seen + 8, -1);
        EXPECT_EQ(RunSaverWindow(nullptr), 0);
        int w = rows[i][8], h = rows[i][9];
        int expected[] = {rows[i][6], rows[i][7], w, h, w, h, 0, 1};
        for (int k = 0; k < 8; k++)
            EXPECT_EQ(Seen[k], expected[k]) << "row " << i << ", value " << k;
    }
    PatchImport(ImportSleep, realSleep);
    PatchImport(ImportSetForegroundWindow, realFront);
    PatchImport(ImportGetSystemMetrics, RealGetSystemMetrics);
}

TEST(SaverHost, TicksOfSeveralFiguresDrawAndLeaveNoPenBehind)
{
    if (RealCreatePen == nullptr) {
        RealCreatePen = PatchImport(ImportCreatePen, &RecordCreatePen);
        PatchImport(ImportSleep, &SkipSleep);
    }
    Pens.clear();
    ResetHost();
    HostState.IsPreview = 1;
    HWND parent = CreateWindowExA(0, "STATIC", "parent", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, 0, 0, 0, 0);
    RegisterSaverClass();  // already registered when the test is repeated
    HWND window = CreateSaverWindow(parent, 200, 100);
    ASSERT_NE(window, nullptr);
    HGDIOBJ background = reinterpret_cast<HGDIOBJ>(AnimationState.BackgroundBrush);
    for (int i = 0; i < 6 * 360 + 100; i++)
        SendMessageA(window, WM_TIMER, 1, 0);
    ASSERT_EQ(Pens.size(), 6u * 360 + 100);
    HDC dc = GetDC(window);
    EXPECT_EQ(GetDC(window), dc) << "the window has no DC of its own, each tick would get one anew";
    int lit = 0, black = 0;  // the background is black, the figure's points are not
    for (int i = 0; i < 200 * 100; i++) {
        COLORREF colour = GetPixel(dc, i % 200, i / 200);
        lit += colour != CLR_INVALID && colour != 0;
        black += colour == 0;
    }
    ReleaseDC(window, dc);
    EXPECT_TRUE(lit > 0 && black > lit) << lit << " lit, " << black << " black";
    for (HGDIOBJ pen : Pens)
        ASSERT_EQ(GetObjectType(pen), 0u) << "a pen left behind";
    EXPECT_EQ(GetObjectType(background), static_cast<DWORD>(OBJ_BRUSH));
    DestroyWindow(window);
    EXPECT_EQ(GetObjectType(background), 0u);
    DestroyWindow(parent);
}

TEST(SaverHost, HandledFaultReachesTheFilterAndSwitchesTheSaverRunningStateOff)
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, sizeof(path));
    std::string name = path;
    name.erase(0, name.find_last_of("\\/") + 1);
    SetWin95Family(name, true);
    EXPECT_EXIT(std::exit(FaultInDispatch()), ::testing::ExitedWithCode(0), "");
    SetWin95Family(name, false);
    UINT previous = 0;  // never leave the state on for later tests sharing this wineserver
    SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, 0, &previous, 0);
}
