#include "host/SaverDefaultProc.h"

#include "host/AnimationProc.h"
#include "host/HostState.h"
#include "host/PasswordVerifier.h"

namespace {

void RequestClose(HWND window)
{
    PostMessageA(window, WM_CLOSE, 0, 0);
}

DWORD Distance(LONG a, LONG b)
{
    // Computed in 64 bits: screen coordinates far apart cannot overflow.
    long long d = static_cast<long long>(a) - static_cast<long long>(b);
    return static_cast<DWORD>(d < 0 ? -d : d);
}

// Movement closes only once the pointer has travelled more than the threshold
// from the reference point; jitter that stays close never does.
void CheckMouseTravel(HWND window)
{
    POINT now = {0, 0};
    GetCursorPos(&now);
    DWORD travel = Distance(now.x, HostState.ReferencePoint.x) + Distance(now.y, HostState.ReferencePoint.y);
    if (travel > HostState.MouseThreshold) {
        RequestClose(window);
        HostState.ReferencePoint = now;
    }
}

LRESULT CloseRequested(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (HostState.IsWin95Family != 1 || VerifyBeforeClose(window) != 0)
        return DefWindowProcA(window, message, wParam, lParam);
    // Refused: movement counts from where the pointer stands now.
    GetCursorPos(&HostState.ReferencePoint);
    // The driver stopped its timer on the way here; the figure goes on while
    // the window stays, except inside a running check, which keeps its own.
    if (HostState.Verifying == 0)
        ResumeAnimation(window);
    return 0;
}

}  // namespace

void HideCursor()
{
    SetCursor(nullptr);
}

LRESULT SaverDefaultProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (HostState.IsPreview == 1 || HostState.CloseGranted == 1)
        return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_CLOSE)
        return CloseRequested(window, message, wParam, lParam);
    if (message == WM_SAVERVERIFY) {
        if (HostState.IsWin95Family != 1)
            return DefWindowProcA(window, message, wParam, lParam);
        if (HostState.VerifyPassword == nullptr)
            return 1;
        return reinterpret_cast<VerifyScreenSavePwdProc>(reinterpret_cast<void (*)()>(HostState.VerifyPassword))(window);
    }
    if (HostState.Verifying == 1)
        return DefWindowProcA(window, message, wParam, lParam);

    switch (message) {
    case WM_SHOWWINDOW:
        if (wParam != 0)
            HideCursor();
        break;
    case WM_ACTIVATEAPP:
        if (wParam == 0)
            RequestClose(window);
        break;
    case WM_SETCURSOR:
        HideCursor();
        return 1;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        RequestClose(window);
        break;
    case WM_MOUSEMOVE:
        CheckMouseTravel(window);
        break;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
