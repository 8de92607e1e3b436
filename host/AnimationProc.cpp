#include "host/AnimationProc.h"

#include <ctime>

#include "animation/AnimationDriver.h"
#include "host/GdiSurface.h"
#include "host/SaverDefaultProc.h"
#include "settings/win32/RegistryStore.h"
#include "settings/Settings.h"

namespace {

// What the driver needs of the saver window, for the length of one message.
class WindowAnimationHost : public AnimationHost {
public:
    // `tickDc` is the device context of the tick being drawn, if any.
    WindowAnimationHost(HWND window, HDC tickDc) : Window(window), TickDc(tickDc) {}

    std::uintptr_t CreateBackgroundBrush() override
    {
        return reinterpret_cast<std::uintptr_t>(CreateSolidBrush(RGB(0, 0, 0)));
    }

    void DeleteBackgroundBrush(std::uintptr_t brush) override { DeleteObject(reinterpret_cast<HBRUSH>(brush)); }

    std::uint32_t StartTimer(std::uint32_t milliseconds) override
    {
        return static_cast<std::uint32_t>(SetTimer(Window, ANIMATION_TIMER_ID, milliseconds, nullptr));
    }

    void StopTimer() override { KillTimer(Window, ANIMATION_TIMER_ID); }

    void Sleep(std::uint32_t milliseconds) override { ::Sleep(milliseconds); }

    // The erase goes through the window's own procedure, with the tick's DC.
    void Erase(DrawSurface&) override { SendMessageA(Window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(TickDc), 0); }

    void ClientSize(std::int32_t& width, std::int32_t& height) override
    {
        RECT rect = {0, 0, 0, 0};
        GetClientRect(Window, &rect);
        width = rect.right;
        height = rect.bottom;
    }

    std::uint32_t ClockSeconds() override { return static_cast<std::uint32_t>(std::time(nullptr)); }

private:
    HWND Window;
    HDC TickDc;
};

void Tick(HWND window)
{
    HDC dc = GetDC(window);
    GdiSurface surface(dc);
    WindowAnimationHost host(window, dc);
    AnimationTick(AnimationState, surface, host);
    ReleaseDC(window, dc);
}

}  // namespace

LRESULT AnimationProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    WindowAnimationHost host(window, nullptr);
    switch (message) {
    case WM_CREATE: AnimationCreate(AnimationState, host, RegistryStore()); break;
    case WM_DESTROY: AnimationDestroy(AnimationState, host); break;
    case WM_SIZE: AnimationSize(AnimationState, LOWORD(lParam), HIWORD(lParam)); return 0;
    case WM_CLOSE: AnimationClose(AnimationState, host); break;
    case WM_ERASEBKGND: {
        GdiSurface surface(reinterpret_cast<HDC>(wParam));
        AnimationErase(AnimationState, surface, host);
        return 0;
    }
    case WM_TIMER:
        // Any timer identifier draws a point.
        Tick(window);
        return 0;
    default: break;
    }
    return SaverDefaultProc(window, message, wParam, lParam);
}

void ResumeAnimation(HWND window)
{
    AnimationState.TimerId =
        static_cast<std::uint32_t>(SetTimer(window, ANIMATION_TIMER_ID, Settings.TimerInterval, nullptr));
}
