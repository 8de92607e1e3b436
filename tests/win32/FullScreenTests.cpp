// The real orbilux.scr full screen: its window, its picture on the screen,
// one instance at a time. (The input that ends it: see the mode tests.)
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "Support.h"

namespace {

// Colours on the screen, how many pixels are black and lit, and whether a lit
// pixel lies on the outer frame.
struct FigureView {
    std::set<DWORD> Colours;
    long Black = 0;
    bool OnFrame = false;
};

FigureView LookAtScreen()
{
    int width = GetSystemMetrics(SM_CXSCREEN);
    int height = GetSystemMetrics(SM_CYSCREEN);
    std::vector<DWORD> pixels(static_cast<size_t>(width) * height);
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(info.bmiHeader), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};  // top-down
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    GetDIBits(memory, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
    DeleteDC(memory);
    DeleteObject(bitmap);
    ReleaseDC(nullptr, screen);
    FigureView view;
    for (size_t i = 0; i < pixels.size(); i++) {
        int x = static_cast<int>(i % width), y = static_cast<int>(i / width);
        if ((pixels[i] & 0xFFFFFF) == 0) {
            view.Black++;
        } else {
            view.Colours.insert(pixels[i] & 0xFFFFFF);
            view.OnFrame = view.OnFrame || x == 0 || y == 0 || x == width - 1 || y == height - 1;
        }
    }
    return view;
}

}  // namespace

// Over a backdrop of the test's own.
TEST(FullScreenSaver, CoversTheScreenOnTopDrawsADriftingFigureAndRunsOnce)
{
    RECT rect, screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    HWND backdrop = CreateWindowExA(0, "STATIC", "Backdrop", WS_POPUP | WS_VISIBLE, 0, 0, screen.right,
                                    screen.bottom, nullptr, nullptr, nullptr, nullptr);
    PumpMessages();
    SaverProcess saver("/s");
    HWND window = saver.WaitForFullScreen();
    ASSERT_NE(window, nullptr);
    GetWindowRect(window, &rect);
    EXPECT_TRUE(EqualRect(&rect, &screen));
    EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    char title[64] = "";
    GetWindowTextA(window, title, sizeof(title));
    EXPECT_STREQ(title, "Screen Saver");

    // A second saver leaves the first in front and ends. (Handing the
    // foreground to another window first would be a loss of activation,
    // which rightly closes the first saver.)
    SaverProcess second("/s");
    EXPECT_EQ(second.WaitExit(), 0u);
    EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == window; }));
    EXPECT_EQ(FindWindowExA(nullptr, window, "WindowsScreenSaverClass", nullptr), nullptr) << "a second window";
    EXPECT_TRUE(saver.Running());

    // The backdrop gives way to black, then points in several colours appear,
    // none on the window's outer one-pixel frame.
    FigureView view;
    bool drawn = PumpUntil([&] {
        view = LookAtScreen();
        return view.Black * 2 > screen.right * screen.bottom && view.Colours.size() >= 3;
    });
    EXPECT_TRUE(drawn) << view.Colours.size() << " colours, " << view.Black << " black";
    EXPECT_FALSE(view.OnFrame);
    DestroyWindow(backdrop);
}
