// The cost floor for the saver benchmark: a full-screen window like the
// saver's that sets one pixel per 20 ms timer tick and does nothing else.
// A key or mouse button ends it; it then prints "ticks first last" (the tick
// count and GetTickCount at the first and the last tick).
#include <windows.h>
#include <cstdio>

namespace {

struct TickerRecord {
    LONG Ticks;
    DWORD FirstTick;
    DWORD LastTick;
};
TickerRecord Ticker;

LRESULT CALLBACK TickerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: SetTimer(window, 1, 20, nullptr); return 0;
    case WM_TIMER: {
        DWORD now = GetTickCount();
        if (Ticker.Ticks++ == 0)
            Ticker.FirstTick = now;
        Ticker.LastTick = now;
        HDC dc = GetDC(window);
        SetPixel(dc, 100 + Ticker.Ticks % 500, 100 + Ticker.Ticks % 300, RGB(200, 120, 40));
        ReleaseDC(window, dc);
        return 0;
    }
    case WM_KEYDOWN:
    case WM_LBUTTONDOWN: DestroyWindow(window); return 0;
    case WM_DESTROY:
        KillTimer(window, 1);
        PostQuitMessage(0);
        return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    WNDCLASSA windowClass = {};
    windowClass.style = CS_OWNDC;
    windowClass.lpfnWndProc = TickerProc;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = "OnePixelTicker";
    if (!RegisterClassA(&windowClass))
        return 1;
    HWND window = CreateWindowExA(WS_EX_TOPMOST, "OnePixelTicker", "One Pixel Ticker", WS_POPUP | WS_VISIBLE, 0, 0,
                                  GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr,
                                  instance, nullptr);
    if (!window)
        return 1;
    SetForegroundWindow(window);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    std::printf("%ld %lu %lu\n", static_cast<long>(Ticker.Ticks), static_cast<unsigned long>(Ticker.FirstTick),
                static_cast<unsigned long>(Ticker.LastTick));
    return 0;
}
