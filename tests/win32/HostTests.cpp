// The host library inside the test program, for what a saver process does not
// show: the full screen's rectangle and GDI objects over many ticks, also when
// GDI calls fail.
#include <gtest/gtest.h>

#include <vector>

#include "Support.h"
#include "animation/AnimationState.h"
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
IMPORT(GetDC, 4);
IMPORT(LineTo, 12);
IMPORT(Arc, 36);
IMPORT(Sleep, 4);
IMPORT(GetSystemMetrics, 4);
IMPORT(SetForegroundWindow, 4);

namespace {

template <typename F> F PatchImport(F& entry, F replacement)
{
    DWORD protection = 0;
    VirtualProtect(&entry, sizeof(entry), PAGE_READWRITE, &protection);
    F previous = entry;
    entry = replacement;
    VirtualProtect(&entry, sizeof(entry), protection, &protection);
    return previous;
}

// A run: the metrics reported (virtual screen x, y, width, height, primary width,
// height), the window expected (x, y, width, height) and the GDI calls failing as
// it ticks: every PenFails-th CreatePen, DcFails-th GetDC, all LineTo and Arc.
struct HostRun {
    const char* Name;
    int Metrics[6], Expected[4], PenFails, DcFails;
    bool DrawFails;
};
const HostRun* Current;
bool Faulting;
int PenCalls, DcCalls;
std::vector<HGDIOBJ> Pens;  // every pen CreatePen returned
HGDIOBJ Background;
decltype(&CreatePen) RealCreatePen;
decltype(&GetDC) RealGetDC;
decltype(&LineTo) RealLineTo;
decltype(&Arc) RealArc;
decltype(&GetSystemMetrics) RealGetSystemMetrics;

HPEN WINAPI FaultyCreatePen(int style, int width, COLORREF colour)
{
    if (Faulting && Current->PenFails && ++PenCalls % Current->PenFails == 0)
        return nullptr;
    Pens.push_back(RealCreatePen(style, width, colour));
    return static_cast<HPEN>(Pens.back());
}
HDC WINAPI FaultyGetDC(HWND window)
{
    return Faulting && Current->DcFails && ++DcCalls % Current->DcFails == 0 ? nullptr : RealGetDC(window);
}
BOOL WINAPI FaultyLineTo(HDC dc, int x, int y)
{
    return !(Faulting && Current->DrawFails) && RealLineTo(dc, x, y);
}
BOOL WINAPI FaultyArc(HDC dc, int l, int t, int r, int b, int xs, int ys, int xe, int ye)
{
    return !(Faulting && Current->DrawFails) && RealArc(dc, l, t, r, b, xs, ys, xe, ye);
}
int WINAPI ReportedMetrics(int index)
{
    const int indices[] = {SM_XVIRTUALSCREEN,  SM_YVIRTUALSCREEN, SM_CXVIRTUALSCREEN,
                           SM_CYVIRTUALSCREEN, SM_CXSCREEN,       SM_CYSCREEN};
    for (int i = 0; i < 6; i++)
        if (index == indices[i])
            return Current->Metrics[i];
    return RealGetSystemMetrics(index);
}
void WINAPI SkipSleep(DWORD) {}  // the one-second pause between figures

bool CloseAsked(HWND window, MSG message = {})
{
    return PeekMessageA(&message, window, WM_CLOSE, WM_CLOSE, PM_REMOVE) != 0;
}

// Where RunSaverWindow brings its window to the front, before its loop: ticks over
// several figures, checks what they left, then travel of 4 and 5 pixels and a key.
BOOL WINAPI TickAndInspect(HWND window)
{
    const int* e = Current->Expected;
    RECT rect;
    GetWindowRect(window, &rect);
    EXPECT_TRUE(rect.left == e[0] && rect.top == e[1] && rect.right - rect.left == e[2] &&
                rect.bottom - rect.top == e[3] && AnimationState.DrawWidth + 2 == e[2] &&
                AnimationState.DrawHeight + 2 == e[3])
        << "the window or the figure's fit";
    Background = reinterpret_cast<HGDIOBJ>(AnimationState.BackgroundBrush);
    const int ticks = 6 * 360 + 100;
    Faulting = true;
    for (int i = 0; i < ticks; i++)
        SendMessageA(window, WM_TIMER, 1, 0);
    Faulting = false;
    EXPECT_EQ(Pens.size(), size_t(ticks - (Current->PenFails ? ticks / Current->PenFails : 0))) << "the figure stopped";
    HDC dc = GetDC(window);
    EXPECT_EQ(GetDC(window), dc) << "the window has no DC of its own, each tick would get one anew";
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), GetStockObject(BLACK_PEN)) << "a tick's pen left selected";
    int lit = 0, black = 0;  // the background is black, the figure's points are not
    for (int i = 0; i < e[2] * e[3]; i++) {
        COLORREF colour = GetPixel(dc, i % e[2], i / e[2]);
        lit += colour != CLR_INVALID && colour != 0;
        black += colour == 0;
    }
    ReleaseDC(window, dc);
    // A failed GetDC at a figure's end leaves the old figure standing.
    EXPECT_TRUE((lit > 0 || Current->DrawFails) && (black > lit || Current->DcFails)) << lit << " lit, " << black;
    for (HGDIOBJ pen : Pens)
        EXPECT_EQ(GetObjectType(pen), 0u) << "a pen left behind";
    EXPECT_EQ(GetObjectType(Background), static_cast<DWORD>(OBJ_BRUSH));
    while (CloseAsked(window)) {}
    for (int travel : {4, 5}) {
        SetCursorPos(400 + travel, 300);
        SendMessageA(window, WM_MOUSEMOVE, 0, 0);
        EXPECT_EQ(CloseAsked(window), travel == 5) << "travel " << travel;
    }
    SendMessageA(window, WM_KEYDOWN, 'Q', 0);
    return TRUE;
}

}  // namespace

TEST(SaverHost, FullScreenTakesTheVirtualScreenAndLeavesNoGdiObjectAlsoWhenGdiFails)
{
    const HostRun runs[] = {
        {"a monitor left of the primary", {-100, 0, 300, 150, 200, 100}, {-100, 0, 300, 150}, 0, 0, false},
        {"no virtual screen reported", {0, 0, 0, 0, 200, 120}, {0, 0, 200, 120}, 0, 0, false},
        {"no pen every 3rd tick", {0, 0, 0, 0, 200, 100}, {0, 0, 200, 100}, 3, 0, false},
        {"no DC every 4th tick", {0, 0, 0, 0, 200, 100}, {0, 0, 200, 100}, 0, 4, false},
        {"lines and arcs fail", {0, 0, 0, 0, 200, 100}, {0, 0, 200, 100}, 0, 0, true},
    };
    RealCreatePen = PatchImport(ImportCreatePen, &FaultyCreatePen);
    RealGetDC = PatchImport(ImportGetDC, &FaultyGetDC);
    RealLineTo = PatchImport(ImportLineTo, &FaultyLineTo);
    RealArc = PatchImport(ImportArc, &FaultyArc);
    RealGetSystemMetrics = PatchImport(ImportGetSystemMetrics, &ReportedMetrics);
    auto realFront = PatchImport(ImportSetForegroundWindow, &TickAndInspect);
    auto realSleep = PatchImport(ImportSleep, &SkipSleep);
    for (const HostRun& run : runs) {
        SCOPED_TRACE(run.Name);
        Pens.clear(), Current = &run, PenCalls = DcCalls = 0;
        ResetHostState(), ResetAnimationState(AnimationState);
        HostState.Instance = GetModuleHandleA(nullptr);
        UnregisterClassA(FULL_SCREEN, HostState.Instance);  // each run registers it
        SetCursorPos(400, 300);
        EXPECT_EQ(RunSaverWindow(nullptr), 0);
        EXPECT_EQ(GetObjectType(Background), 0u) << "the background brush outlived the window";
    }
    PatchImport(ImportSleep, realSleep);
    PatchImport(ImportSetForegroundWindow, realFront);
    PatchImport(ImportGetSystemMetrics, RealGetSystemMetrics);
    PatchImport(ImportArc, RealArc);
    PatchImport(ImportLineTo, RealLineTo);
    PatchImport(ImportGetDC, RealGetDC);
    PatchImport(ImportCreatePen, RealCreatePen);
}
