#include "SaverWindowFixture.h"

#include "ImportHook.h"
#include "animation/AnimationState.h"
#include "host/HostState.h"
#include "host/SaverWindow.h"
#include "settings/Settings.h"

DECLARE_IMPORT(CreatePen, 12);
DECLARE_IMPORT(CreateSolidBrush, 4);
DECLARE_IMPORT(PostMessageA, 16);
DECLARE_IMPORT(DefWindowProcA, 16);
DECLARE_IMPORT(Sleep, 4);

RecordedCallsRecord RecordedCalls;

namespace {

decltype(&CreatePen) RealCreatePen = nullptr;
decltype(&CreateSolidBrush) RealCreateSolidBrush = nullptr;
decltype(&PostMessageA) RealPostMessageA = nullptr;
decltype(&DefWindowProcA) RealDefWindowProcA = nullptr;

HPEN WINAPI RecordCreatePen(int style, int width, COLORREF colour)
{
    HPEN pen = RealCreatePen(style, width, colour);
    RecordedCalls.Pens.push_back(pen);
    return pen;
}

HBRUSH WINAPI RecordCreateSolidBrush(COLORREF colour)
{
    HBRUSH brush = RealCreateSolidBrush(colour);
    RecordedCalls.Brushes.push_back(brush);
    return brush;
}

BOOL WINAPI RecordPostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    RecordedCalls.Posts.push_back({window, message, wParam, lParam});
    return RealPostMessageA(window, message, wParam, lParam);
}

LRESULT WINAPI RecordDefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    RecordedCalls.Defaults.push_back({window, message, wParam, lParam});
    // System commands would switch windows or start a screen saver.
    return message == WM_SYSCOMMAND ? 0 : RealDefWindowProcA(window, message, wParam, lParam);
}

// The figure's one-second pause between figures is skipped.
void WINAPI SkipSleep(DWORD) {}

}  // namespace

void SaverWindowTest::SetUp()
{
    ResetHostState();
    ResetAnimationState(AnimationState);
    ResetSettings();
    HostState.Instance = GetModuleHandleA(nullptr);
    RegisterSaverClass();  // already registered after the first test: harmless
    if (RealCreatePen == nullptr) {
        RealCreatePen = PatchImport(Import_CreatePen, &RecordCreatePen);
        RealCreateSolidBrush = PatchImport(Import_CreateSolidBrush, &RecordCreateSolidBrush);
        RealPostMessageA = PatchImport(Import_PostMessageA, &RecordPostMessageA);
        RealDefWindowProcA = PatchImport(Import_DefWindowProcA, &RecordDefWindowProcA);
        PatchImport(Import_Sleep, &SkipSleep);
    }
    RecordedCalls = RecordedCallsRecord();
    SetCursorPos(START_POINT.x, START_POINT.y);
}

void SaverWindowTest::TearDown()
{
    if (Window != nullptr && IsWindow(Window))
        DestroyWindow(Window);
    if (Parent != nullptr)
        DestroyWindow(Parent);
    Window = Parent = nullptr;
    // Drop what the windows left behind, the quit message included.
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
}

void SaverWindowTest::CreateSaver(bool preview)
{
    if (preview) {
        Parent = CreateWindowExA(0, "STATIC", "parent", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr,
                                 nullptr, nullptr);
        HostState.IsPreview = 1;
    }
    Window = CreateSaverWindow(Parent, 320, 240);
    ASSERT_NE(Window, nullptr);
}

void SaverWindowTest::MoveMouseTo(int x, int y)
{
    SetCursorPos(x, y);
    POINT now;
    GetCursorPos(&now);
    ASSERT_TRUE(now.x == x && now.y == y);
    SendMessageA(Window, WM_MOUSEMOVE, 0, 0);
}

bool SaverWindowTest::TakeCloseRequest()
{
    MSG message;
    return PeekMessageA(&message, Window, WM_CLOSE, WM_CLOSE, PM_REMOVE) != 0;
}

int SaverWindowTest::DefaultCalls(UINT message, WPARAM wParam) const
{
    int count = 0;
    for (const CallRecord& call : RecordedCalls.Defaults)
        count += call.Window == Window && call.Message == message && call.WParam == wParam;
    return count;
}
