// The real orbilux.scr full screen: its window, its picture on the screen,
// one instance at a time, and the input that ends it.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <set>
#include <vector>

#include "Support.h"

namespace {

// Colours on the screen, and whether any lit pixel lies on the outer frame.
struct FigureView {
    std::set<DWORD> Colours;
    long Black = 0;
    long Lit = 0;
    bool OnFrame = false;
};

FigureView LookAtScreen()
{
    int width = GetSystemMetrics(SM_CXSCREEN);
    int height = GetSystemMetrics(SM_CYSCREEN);
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(info.bmiHeader), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};  // top-down
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    GdiFlush();
    FigureView view;
    for (int y = 0; y < height; y++) {
        for (int x = 0; x < width; x++) {
            DWORD pixel = static_cast<const DWORD*>(bits)[y * width + x] & 0xFFFFFF;
            if (pixel == 0) {
                view.Black++;
                continue;
            }
            view.Lit++;
            view.Colours.insert(pixel);
            view.OnFrame = view.OnFrame || x == 0 || y == 0 || x == width - 1 || y == height - 1;
        }
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return view;
}

// A full-screen saver started over a light backdrop of the test's own, with
// the pointer at 300,200.
class FullScreenSaver : public ::testing::Test {
protected:
    void Start()
    {
        Backdrop = CreateWindowExA(0, "STATIC", "Backdrop", WS_POPUP | WS_VISIBLE, 0, 0,
                                   GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr,
                                   nullptr, GetModuleHandleA(nullptr), nullptr);
        SetCursorPos(300, 200);
        PumpMessages();
        Saver.reset(new SaverProcess("/s"));
        Window = Saver->WaitForFullScreen();
        ASSERT_NE(Window, nullptr);
    }
    void TearDown() override
    {
        Saver.reset();
        DestroyWindow(Backdrop);
        PumpMessages();
    }
    std::unique_ptr<SaverProcess> Saver;
    HWND Backdrop = nullptr;
    HWND Window = nullptr;
};

}  // namespace

TEST_F(FullScreenSaver, CoversTheScreenOnTopAndDrawsADriftingFigure)
{
    Start();
    RECT rect, screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    GetWindowRect(Window, &rect);
    EXPECT_TRUE(EqualRect(&rect, &screen));
    EXPECT_TRUE(GetWindowLongA(Window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    char title[64] = "";
    GetWindowTextA(Window, title, sizeof(title));
    EXPECT_STREQ(title, "Screen Saver");

    // The backdrop gives way to black, then points in several colours appear,
    // none on the window's outer one-pixel frame.
    FigureView view;
    bool drawn = PumpUntil([&] {
        view = LookAtScreen();
        return view.Black > view.Lit && view.Colours.size() >= 3;
    });
    EXPECT_TRUE(drawn) << view.Colours.size() << " colours, " << view.Lit << " lit, " << view.Black << " black";
    EXPECT_FALSE(view.OnFrame);
}

TEST_F(FullScreenSaver, SecondInstanceFrontsTheFirstAndEnds)
{
    Start();
    SetForegroundWindow(Backdrop);
    PumpMessages();
    SaverProcess second("/s");
    EXPECT_EQ(second.WaitExit(), 0u);
    EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == Window; }));
    EXPECT_EQ(FindWindowExA(nullptr, Window, "WindowsScreenSaverClass", nullptr), nullptr) << "a second window";
    EXPECT_TRUE(Saver->Running());
}

TEST_F(FullScreenSaver, KeyButtonsLostActivationAndTravelOfFiveEndTheRun)
{
    const std::pair<const char*, std::function<void(HWND)>> inputs[] = {
        {"key", [](HWND) { PressKey('Q'); }},
        {"left", [](HWND) { ClickButton(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP); }},
        {"right", [](HWND) { ClickButton(MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP); }},
        {"middle", [](HWND) { ClickButton(MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP); }},
        // Wine does not tell a window of another process that it lost the
        // foreground, so the message the system sends then is posted here.
        {"activation", [](HWND window) { PostMessageA(window, WM_ACTIVATEAPP, FALSE, 0); }},
        // Three across and two down from where the pointer stood at creation.
        {"travel 5", [](HWND) { SetCursorPos(303, 202); }},
    };
    for (const auto& input : inputs) {
        Start();
        input.second(Window);
        EXPECT_EQ(Saver->WaitExit(), 0u) << input.first;
        TearDown();
    }
}
