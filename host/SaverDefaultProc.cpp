#include "host/SaverDefaultProc.h"

#include "host/AnimationProc.h"
#include "hostrules/CloseRules.h"
#include "host/HostState.h"
#include "host/PasswordVerifier.h"

namespace {

void RequestClose(HWND window)
{
    PostMessageA(window, WM_CLOSE, 0, 0);
}

static_assert(MSG_ACTIVATEAPP == WM_ACTIVATEAPP && MSG_KEYDOWN == WM_KEYDOWN && MSG_SYSKEYDOWN == WM_SYSKEYDOWN &&
                  MSG_LBUTTONDOWN == WM_LBUTTONDOWN && MSG_RBUTTONDOWN == WM_RBUTTONDOWN &&
                  MSG_MBUTTONDOWN == WM_MBUTTONDOWN,
              "the close rules' message numbers");

void CheckMouseTravel(HWND window)
{
    POINT now = {0, 0};
    GetCursorPos(&now);
    ScreenPoint reference = {HostState.ReferencePoint.x, HostState.ReferencePoint.y};
    if (TravelAsksToClose(reference, {now.x, now.y}, HostState.MouseThreshold)) {
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
        return reinterpret_cast<VerifyScreenSavePwdProc>(reinterpret_cast<void (*)()>(HostState.VerifyPassword))(
            window);
    }
    if (HostState.Verifying == 1)
        return DefWindowProcA(window, message, wParam, lParam);

    switch (message) {
    case WM_SHOWWINDOW:
        if (wParam != 0)
            HideCursor();
        break;
    case WM_SETCURSOR: HideCursor(); return 1;
    case WM_MOUSEMOVE: CheckMouseTravel(window); break;
    default:
        if (InputAsksToClose(message, wParam))
            RequestClose(window);
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
