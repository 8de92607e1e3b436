// The real orbilux.scr full screen: its window, its fixed title, its picture
// on the screen, one instance at a time. (The input that ends it: the mode tests.)
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "Support.h"

namespace {

// The screen's lit colours, its black pixel count, and whether a lit pixel
// lies on the outer frame.
struct ScreenView {
    std::set<DWORD> Colours;
    long Black = 0;
    bool LitFrame = false;
};

ScreenView LookAtScreen(int width, int height)
{
    std::vector<DWORD> pixels(static_cast<size_t>(width) * height);
    BITMAPINFO info = {{sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};  // top-down
    HDC screen = GetDC(nullptr), memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    GetDIBits(memory, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
    DeleteDC(memory);
    DeleteObject(bitmap);
    ReleaseDC(nullptr, screen);
    ScreenView view;
    for (size_t i = 0; i < pixels.size(); i++) {
        int x = static_cast<int>(i % width), y = static_cast<int>(i / width);
        if ((pixels[i] & 0xFFFFFF) == 0) {
            view.Black++;
            continue;
        }
        view.Colours.insert(pixels[i] & 0xFFFFFF);
        view.LitFrame = view.LitFrame || x == 0 || y == 0 || x == width - 1 || y == height - 1;
    }
    return view;
}

}  // namespace

// Over a backdrop of the test's own.
TEST(FullScreenSaver, CoversTheScreenOnTopDrawsADriftingFigureAndRunsOnce)
{
    RECT rect, screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    HWND backdrop = CreateWindowExA(0, "STATIC", "Backdrop", WS_POPUP | WS_VISIBLE, 0, 0, screen.right, screen.bottom,
                                    nullptr, nullptr, nullptr, nullptr);
    PumpMessages();
    SaverProcess saver, second;
    ASSERT_TRUE(saver.Start("/s"));
    HWND window = saver.WaitForFullScreen();
    ASSERT_NE(window, nullptr);
    GetWindowRect(window, &rect);
    EXPECT_TRUE(EqualRect(&rect, &screen));
    EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    SetWindowTextA(window, "Something else");
    EXPECT_EQ(FindWindowA("WindowsScreenSaverClass", "Screen Saver"), window) << "the title changed";

    // A second saver leaves the first in front and ends. (Handing the
    // foreground to another window first would be a loss of activation,
    // which rightly closes the first saver.)
    second.Start("/s");
    EXPECT_EQ(second.WaitExit(), 0u);
    EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == window; }));
    EXPECT_EQ(FindWindowExA(nullptr, window, "WindowsScreenSaverClass", nullptr), nullptr) << "a second window";
    EXPECT_TRUE(saver.Running());

    // The backdrop gives way to black, then points in several colours appear,
    // none on the window's outer one-pixel frame.
    ScreenView view;
    EXPECT_TRUE(PumpUntil([&] {
        view = LookAtScreen(screen.right, screen.bottom);
        return view.Black * 2 > screen.right * screen.bottom && view.Colours.size() >= 3;
    })) << view.Colours.size() << " colours, " << view.Black << " black";
    EXPECT_FALSE(view.LitFrame);
    DestroyWindow(backdrop);
}
