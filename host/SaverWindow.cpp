#include "host/SaverWindow.h"

#include "host/AnimationProc.h"
#include "hostrules/CloseRules.h"
#include "host/HostState.h"
#include "host/PasswordVerifier.h"
#include "host/SaverDefaultProc.h"
#include "hostrules/ScreenRect.h"
#include "resources/resource.h"

namespace {

typedef HANDLE(WINAPI* ImmAssociateContextProc)(HWND window, HANDLE context);

const DWORD FULL_SCREEN_EX_STYLE = WS_EX_TOPMOST;
const DWORD FULL_SCREEN_STYLE = WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
const DWORD PREVIEW_STYLE = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN;

// Detaches the window from the input method, when one is already loaded, so
// key presses reach the saver as keys.
void DetachInputMethod(HWND window)
{
    HostState.ImeLibrary = GetModuleHandleA("IMM32.DLL");
    if (HostState.ImeLibrary == nullptr)
        return;
    HostState.AssociateContext = GetProcAddress(HostState.ImeLibrary, "ImmAssociateContext");
    if (HostState.AssociateContext == nullptr)
        return;
    HostState.SavedInputContext = reinterpret_cast<ImmAssociateContextProc>(
        reinterpret_cast<void (*)()>(HostState.AssociateContext))(window, nullptr);
}

void ReattachInputMethod(HWND window)
{
    if (HostState.ImeLibrary != nullptr && HostState.AssociateContext != nullptr &&
        HostState.SavedInputContext != nullptr)
        reinterpret_cast<ImmAssociateContextProc>(reinterpret_cast<void (*)()>(HostState.AssociateContext))(
            window, HostState.SavedInputContext);
}

// In the preview, help and context-menu requests belong to the parent.
LRESULT ForwardToParent(HWND window, UINT message, LPARAM lParam)
{
    HWND parent = GetParent(window);
    if (parent != nullptr && IsWindow(parent))
        PostMessageA(parent, message, reinterpret_cast<WPARAM>(parent), lParam);
    return 1;
}

static_assert(CMD_NEXTWINDOW == SC_NEXTWINDOW && CMD_PREVWINDOW == SC_PREVWINDOW && CMD_SCREENSAVE == SC_SCREENSAVE,
              "the close rules' system commands");

// A full-screen saver already running: brings it to the front.
bool FrontRunningSaver()
{
    HWND running = FindWindowA(SAVER_CLASS_NAME, FULL_SCREEN_TITLE);
    if (running == nullptr || !IsWindow(running))
        return false;
    SetForegroundWindow(running);
    return true;
}

}  // namespace

ATOM RegisterSaverClass()
{
    WNDCLASSA windowClass;
    windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_OWNDC;
    windowClass.lpfnWndProc = SaverWindowProc;
    windowClass.cbClsExtra = 0;
    windowClass.cbWndExtra = 0;
    windowClass.hInstance = HostState.Instance;
    windowClass.hIcon = LoadIconA(HostState.Instance, MAKEINTRESOURCEA(IDI_ORBILUX));
    windowClass.hCursor = nullptr;
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszMenuName = nullptr;
    windowClass.lpszClassName = SAVER_CLASS_NAME;
    return RegisterClassA(&windowClass);
}

HWND CreateSaverWindow(HWND parent, int width, int height, int x, int y)
{
    bool preview = HostState.IsPreview == 1;
    HostState.SaverWindow = CreateWindowExA(
        preview ? 0 : FULL_SCREEN_EX_STYLE, SAVER_CLASS_NAME, preview ? PREVIEW_TITLE : FULL_SCREEN_TITLE,
        preview ? PREVIEW_STYLE : FULL_SCREEN_STYLE, x, y, width, height, parent, nullptr, HostState.Instance, nullptr);
    return HostState.SaverWindow;
}

int RunSaverWindow(HWND parent)
{
    int width = 0;
    int height = 0;
    int x = 0;
    int y = 0;
    if (parent != nullptr) {
        RECT client = {0, 0, 0, 0};
        GetClientRect(parent, &client);
        width = client.right;
        height = client.bottom;
        HostState.IsPreview = 1;
    } else {
        // Every monitor, so none goes on showing (and taking input for) the
        // desktop while the saver runs.
        ScreenMetrics metrics = {GetSystemMetrics(SM_XVIRTUALSCREEN),  GetSystemMetrics(SM_YVIRTUALSCREEN),
                                 GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN),
                                 GetSystemMetrics(SM_CXSCREEN),        GetSystemMetrics(SM_CYSCREEN)};
        ScreenRect screen = FullScreenRect(metrics);
        x = screen.X;
        y = screen.Y;
        width = screen.Width;
        height = screen.Height;
        if (FrontRunningSaver())
            return 0;
        LoadPasswordVerifier();
    }

    MSG message = {};
    int result = SAVER_WINDOW_FAILED;
    if (RegisterSaverClass() != 0 && CreateSaverWindow(parent, width, height, x, y) != nullptr) {
        if (parent == nullptr)
            SetForegroundWindow(HostState.SaverWindow);
        while (GetMessageA(&message, nullptr, 0, 0) > 0) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        result = static_cast<int>(message.wParam);
    }
    UnloadPasswordVerifier();
    return result;
}

LRESULT CALLBACK SaverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        DetachInputMethod(window);
        GetCursorPos(&HostState.ReferencePoint);
        if (HostState.IsPreview == 0)
            HideCursor();
        break;
    case WM_DESTROY:
        ReattachInputMethod(window);
        PostQuitMessage(0);
        break;
    case WM_SETTEXT:
        // The title is how a running saver is found; it never changes.
        return 0;
    case WM_PAINT:
        if (HostState.CloseGranted == 1)
            return DefWindowProcA(window, message, wParam, lParam);
        if (HostState.IsPreview == 0)
            HideCursor();
        break;
    case WM_HELP:
    case WM_CONTEXTMENU:
        if (HostState.IsPreview == 1)
            return ForwardToParent(window, message, lParam);
        break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        if (HostState.CloseGranted == 1)
            return DefWindowProcA(window, message, wParam, lParam);
        break;
    case WM_SYSCOMMAND:
        if (SwallowsSystemCommand(HostState.IsPreview != 0, wParam))
            return 0;
        break;
    case WM_TIMER:
        // Once the close is granted, queued ticks draw nothing more.
        if (HostState.CloseGranted == 1)
            return 0;
        Sleep(0);
        break;
    default: break;
    }
    return AnimationProc(window, message, wParam, lParam);
}
