// The real orbilux.scr full screen: its window, its picture on the screen,
// one instance at a time, and the input that ends it.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <vector>

#include "SaverProcess.h"

namespace {

// The screen's pixels as 0x00RRGGBB.
struct Screenshot {
    int Width = 0;
    int Height = 0;
    std::vector<DWORD> Pixels;
    DWORD At(int x, int y) const { return Pixels[static_cast<size_t>(y) * Width + x]; }
};

Screenshot CaptureScreen()
{
    Screenshot shot;
    shot.Width = GetSystemMetrics(SM_CXSCREEN);
    shot.Height = GetSystemMetrics(SM_CYSCREEN);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = shot.Width;
    info.bmiHeader.biHeight = -shot.Height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, shot.Width, shot.Height, screen, 0, 0, SRCCOPY);
    GdiFlush();
    const DWORD* pixels = static_cast<const DWORD*>(bits);
    shot.Pixels.assign(pixels, pixels + static_cast<size_t>(shot.Width) * shot.Height);
    for (DWORD& pixel : shot.Pixels)
        pixel &= 0x00FFFFFF;
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return shot;
}

// Colours on the screen, and whether any lit pixel lies on the outer frame.
struct FigureView {
    std::set<DWORD> Colours;
    long Black = 0;
    long Lit = 0;
    bool OnFrame = false;
};

FigureView Look(const Screenshot& shot)
{
    FigureView view;
    for (int y = 0; y < shot.Height; y++) {
        for (int x = 0; x < shot.Width; x++) {
            DWORD pixel = shot.At(x, y);
            if (pixel == 0) {
                view.Black++;
                continue;
            }
            view.Lit++;
            view.Colours.insert(pixel);
            if (x == 0 || y == 0 || x == shot.Width - 1 || y == shot.Height - 1)
                view.OnFrame = true;
        }
    }
    return view;
}

// A running full-screen saver started over a white backdrop of the test's own.
class FullScreenSaver : public ::testing::Test {
protected:
    void Start()
    {
        Backdrop = CreateTestWindow("Backdrop", WS_POPUP | WS_VISIBLE, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                                    GetSystemMetrics(SM_CYSCREEN));
        SetCursorPos(300, 200);
        PumpMessages();
        Saver.reset(new SaverProcess("/s"));
        Window = WaitForFullScreenSaver();
        ASSERT_NE(Window, nullptr);
    }
    void TearDown() override
    {
        Saver.reset();
        if (Backdrop != nullptr)
            DestroyWindow(Backdrop);
        Backdrop = nullptr;
        PumpMessages();
    }
    std::unique_ptr<SaverProcess> Saver;
    HWND Backdrop = nullptr;
    HWND Window = nullptr;
};

void SendKey(WORD key, DWORD flags)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = flags;
    SendInput(1, &input, sizeof(input));
}

void SendMouse(DWORD flags, DWORD data = 0)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    input.mi.mouseData = data;
    SendInput(1, &input, sizeof(input));
}

}  // namespace

TEST_F(FullScreenSaver, CoversTheScreenOnTopAndDrawsADriftingFigure)
{
    Start();
    RECT rect;
    GetWindowRect(Window, &rect);
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.top, 0);
    EXPECT_EQ(rect.right, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(rect.bottom, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_TRUE(GetWindowLongA(Window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    char title[64] = "";
    GetWindowTextA(Window, title, sizeof(title));
    EXPECT_STREQ(title, "Screen Saver");

    // The white backdrop gives way to black, then points in several colours
    // appear, none on the window's outer one-pixel frame.
    FigureView view;
    bool drawn = PumpUntil([&] {
        view = Look(CaptureScreen());
        return view.Colours.count(0xFFFFFF) == 0 && view.Colours.size() >= 3;
    });
    EXPECT_TRUE(drawn) << view.Colours.size() << " colours, " << view.Lit << " lit, " << view.Black << " black";
    EXPECT_GT(view.Black, view.Lit);
    EXPECT_FALSE(view.OnFrame);
}

TEST_F(FullScreenSaver, SecondInstanceFrontsTheFirstAndEnds)
{
    Start();
    SetForegroundWindow(Backdrop);
    PumpMessages();
    SaverProcess second("/s");
    EXPECT_EQ(second.WaitExit(), 0u);
    EXPECT_EQ(CountFullScreenSavers(), 1);
    EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == Window; }));
    EXPECT_TRUE(Saver->Running());
}

TEST_F(FullScreenSaver, KeyPressEndsTheRun)
{
    Start();
    SendKey('Q', 0);
    SendKey('Q', KEYEVENTF_KEYUP);
    EXPECT_EQ(Saver->WaitExit(), 0u);
}

TEST_F(FullScreenSaver, EachMouseButtonEndsTheRun)
{
    const DWORD downs[] = {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_MIDDLEDOWN};
    const DWORD ups[] = {MOUSEEVENTF_LEFTUP, MOUSEEVENTF_RIGHTUP, MOUSEEVENTF_MIDDLEUP};
    for (int button = 0; button < 3; button++) {
        Start();
        SendMouse(downs[button]);
        SendMouse(ups[button]);
        EXPECT_EQ(Saver->WaitExit(), 0u) << "button " << button;
        TearDown();
    }
}

TEST_F(FullScreenSaver, LosingActivationEndsTheRun)
{
    Start();
    // Wine does not tell a window of another process that it lost the
    // foreground, so the message the system sends then is posted here.
    PostMessageA(Window, WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_EQ(Saver->WaitExit(), 0u);
}

TEST_F(FullScreenSaver, MouseTravelOfFiveEndsTheRun)
{
    Start();
    // Three across and two down from where the pointer stood at creation.
    SetCursorPos(303, 202);
    EXPECT_EQ(Saver->WaitExit(), 0u);
}
