// The host library inside a test program, for what a saver process does not
// show from the outside: the full screen's rectangle, and GDI objects over many
// ticks, also when GDI calls fail.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
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

// GDI calls that fail on purpose: every PenFails-th CreatePen, every
// DcFails-th GetDC (0: none), and every LineTo and Arc when DrawFails.
int PenFails, DcFails, PenCalls, DcCalls;
bool DrawFails;
std::vector<HGDIOBJ> Pens;  // every pen CreatePen returned
decltype(&CreatePen) RealCreatePen;
decltype(&GetDC) RealGetDC;
decltype(&LineTo) RealLineTo;
decltype(&Arc) RealArc;
HPEN WINAPI FaultyCreatePen(int style, int width, COLORREF colour)
{
    if (PenFails && ++PenCalls % PenFails == 0)
        return nullptr;
    Pens.push_back(RealCreatePen(style, width, colour));
    return static_cast<HPEN>(Pens.back());
}
HDC WINAPI FaultyGetDC(HWND window)
{
    return DcFails && ++DcCalls % DcFails == 0 ? nullptr : RealGetDC(window);
}
BOOL WINAPI FaultyLineTo(HDC dc, int x, int y)
{
    return !DrawFails && RealLineTo(dc, x, y);
}
BOOL WINAPI FaultyArc(HDC dc, int l, int t, int r, int b, int xs, int ys, int xe, int ye)
{
    return !DrawFails && RealArc(dc, l, t, r, b, xs, ys, xe, ye);
}

void WINAPI SkipSleep(DWORD) {}  // the one-second pause between figures

void ResetHost()
{
    ResetHostState();
    ResetAnimationState(AnimationState);
    HostState.Instance = GetModuleHandleA(nullptr);
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

// Ticks over several figures draw and leave no GDI object behind, and GDI
// calls that fail neither stop the figure nor the closing on input nor leak.
TEST(SaverHost, TicksDrawAndLeaveNoPenBehindAlsoWhenGdiFails)
{
    const struct { const char* Name; int PenFails, DcFails; bool DrawFails; } rows[] = {
        {"no fault", 0, 0, false}, {"no pen every 3rd tick", 3, 0, false},
        {"no DC every 4th tick", 0, 4, false}, {"lines and arcs fail", 0, 0, true},
    };
    RealCreatePen = PatchImport(ImportCreatePen, &FaultyCreatePen);
    RealGetDC = PatchImport(ImportGetDC, &FaultyGetDC);
    RealLineTo = PatchImport(ImportLineTo, &FaultyLineTo);
    RealArc = PatchImport(ImportArc, &FaultyArc);
    auto realSleep = PatchImport(ImportSleep, &SkipSleep);
    RegisterSaverClass();  // once per process
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        Pens.clear();
        PenFails = row.PenFails, DcFails = row.DcFails, DrawFails = row.DrawFails, PenCalls = DcCalls = 0;
        ResetHost();
        HWND window = CreateSaverWindow(nullptr, 200, 100);  // full screen, so that input closes
        ASSERT_NE(window, nullptr);
        HGDIOBJ background = reinterpret_cast<HGDIOBJ>(AnimationState.BackgroundBrush);
        const int ticks = 6 * 360 + 100;
        for (int i = 0; i < ticks; i++)
            SendMessageA(window, WM_TIMER, 1, 0);
        PenFails = DcFails = 0, DrawFails = false;
        EXPECT_EQ(Pens.size(), size_t(ticks - (row.PenFails ? ticks / row.PenFails : 0))) << "the figure stopped";
        HDC dc = GetDC(window);
        EXPECT_EQ(GetDC(window), dc) << "the window has no DC of its own, each tick would get one anew";
        EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), GetStockObject(BLACK_PEN)) << "a tick's pen left selected";
        int lit = 0, black = 0;  // the background is black, the figure's points are not
        for (int i = 0; i < 200 * 100; i++) {
            COLORREF colour = GetPixel(dc, i % 200, i / 200);
            lit += colour != CLR_INVALID && colour != 0;
            black += colour == 0;
        }
        ReleaseDC(window, dc);
        EXPECT_TRUE((lit > 0 || row.DrawFails) && (black > lit || row.DcFails)) << lit << " lit, " << black << " black";
        for (HGDIOBJ pen : Pens)
            ASSERT_EQ(GetObjectType(pen), 0u) << "a pen left behind";
        MSG message;
        while (PeekMessageA(&message, window, WM_CLOSE, WM_CLOSE, PM_REMOVE)) {
        }
        SendMessageA(window, WM_KEYDOWN, 'Q', 0);
        EXPECT_TRUE(PeekMessageA(&message, window, WM_CLOSE, WM_CLOSE, PM_REMOVE)) << "a key does not close";
        EXPECT_EQ(GetObjectType(background), static_cast<DWORD>(OBJ_BRUSH));
        DestroyWindow(window);
        EXPECT_EQ(GetObjectType(background), 0u);
    }
    PatchImport(ImportSleep, realSleep);
    PatchImport(ImportArc, RealArc);
    PatchImport(ImportLineTo, RealLineTo);
    PatchImport(ImportGetDC, RealGetDC);
    PatchImport(ImportCreatePen, RealCreatePen);
}
