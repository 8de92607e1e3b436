// The X11 saver on a real X server: its pictures equal the renderer's, and it
// serves the root window, resizes, exposures, signals and destruction.
// GoogleTest first: Xlib's macros (None, Bool) would break its headers.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "render/Renderer.h"
#include "settings/MemoryStore.h"

namespace {

const char* SaverPath = nullptr;
Display* Dpy = nullptr;

struct Setting {
    const char* Name;
    std::uint32_t Value;
};

typedef std::chrono::steady_clock Clock;

void SleepMs(int ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

Bitmap Expected(std::uint32_t seed, int width, int height, std::uint32_t ticks, const std::vector<Setting>& settings)
{
    MemoryStore store;
    for (const Setting& s : settings)
        store.WriteValue(s.Name, s.Value);
    Bitmap bitmap(width, height);
    RunRender({seed, static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height), ticks}, store, nullptr,
              &bitmap);
    return bitmap;
}

int Shift(unsigned long mask)
{
    int shift = 0;
    while (mask && !(mask & 1)) {
        mask >>= 1;
        shift++;
    }
    return shift;
}

// The window's pixels as 0x00BBGGRR (a 24-bit true-colour display).
Bitmap Grab(Window window)
{
    XWindowAttributes a;
    XGetWindowAttributes(Dpy, window, &a);
    Bitmap b(a.width, a.height);
    XImage* image = XGetImage(Dpy, window, 0, 0, static_cast<unsigned>(a.width), static_cast<unsigned>(a.height),
                              AllPlanes, ZPixmap);
    if (!image)
        return b;
    int r = Shift(image->red_mask), g = Shift(image->green_mask), bl = Shift(image->blue_mask);
    for (int y = 0; y < a.height; y++)
        for (int x = 0; x < a.width; x++) {
            unsigned long p = XGetPixel(image, x, y);
            b.Pixels[static_cast<std::size_t>(y) * a.width + x] =
                ((p >> r) & 0xFF) | (((p >> g) & 0xFF) << 8) | (((p >> bl) & 0xFF) << 16);
        }
    XDestroyImage(image);
    return b;
}

bool Same(const Bitmap& a, const Bitmap& b)
{
    return a.Width == b.Width && a.Height == b.Height && a.Pixels == b.Pixels;
}

// A white, mapped window that no window manager moves.
Window MakeWindow(int width, int height)
{
    XSetWindowAttributes a;
    a.background_pixel = WhitePixel(Dpy, DefaultScreen(Dpy));
    a.override_redirect = True;
    Window w = XCreateWindow(Dpy, DefaultRootWindow(Dpy), 0, 0, static_cast<unsigned>(width),
                             static_cast<unsigned>(height), 0, CopyFromParent, InputOutput, CopyFromParent,
                             CWBackPixel | CWOverrideRedirect, &a);
    XSelectInput(Dpy, w, StructureNotifyMask);
    XMapRaised(Dpy, w);
    XEvent e;
    do
        XWindowEvent(Dpy, w, StructureNotifyMask, &e);
    while (e.type != MapNotify);
    return w;
}

pid_t Start(std::vector<std::string> args)
{
    pid_t pid = fork();
    if (pid == 0) {
        std::vector<char*> argv{const_cast<char*>(SaverPath)};
        for (std::string& a : args)
            argv.push_back(&a[0]);
        argv.push_back(nullptr);
        execv(SaverPath, argv.data());
        _exit(127);
    }
    return pid;
}

std::vector<std::string> On(Window w, std::vector<std::string> more)
{
    more.insert(more.begin(), {"-window-id", std::to_string(w)});
    return more;
}

// The exit status, or -1 (and the process killed) when it is still running
// after `ms` milliseconds.
int WaitExit(pid_t pid, int ms)
{
    auto end = Clock::now() + std::chrono::milliseconds(ms);
    int status = 0;
    while (waitpid(pid, &status, WNOHANG) == 0) {
        if (Clock::now() > end) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            return -1;
        }
        SleepMs(1);
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

bool Eventually(const std::function<bool()>& condition, int ms = 15000)
{
    auto end = Clock::now() + std::chrono::milliseconds(ms);
    while (!condition()) {
        if (Clock::now() > end)
            return false;
        SleepMs(5);
    }
    return true;
}

bool Changing(Window w, int ms)
{
    Bitmap before = Grab(w);
    SleepMs(ms);
    return !Same(before, Grab(w));
}

// Waits for `expected` and checks that it stays (no tick beyond the last).
void ExpectPicture(Window w, const Bitmap& expected, const std::string& name)
{
    Bitmap got(0, 0);
    bool equal = Eventually([&] { return Same(got = Grab(w), expected); });
    if (!equal && got.Width == expected.Width && got.Height == expected.Height) {
        int differ = 0;
        for (std::size_t i = 0; i < got.Pixels.size(); i++)
            differ += got.Pixels[i] != expected.Pixels[i];
        ADD_FAILURE() << name << ": " << differ << " pixels differ";
    } else {
        EXPECT_TRUE(equal) << name << ": got " << got.Width << "x" << got.Height;
    }
    if (equal) {
        SleepMs(30);
        EXPECT_TRUE(Same(Grab(w), expected)) << name << ": drawn beyond the last tick";
    }
}

void Stop(pid_t pid)
{
    kill(pid, SIGTERM);
    EXPECT_EQ(WaitExit(pid, 2000), 0);
}

const std::uint32_t FAST = 1000;  // images per second: the tests' ticks take 1 ms

TEST(Display, PicturesEqualTheRenderer)
{
    const std::uint32_t ALL_SHAPES[] = {2, 4, 8, 16, 32, 64, 128, 256};
    const std::uint32_t ZOOMS[] = {2 | 128 | 256, 16 | 32 | 512, 8 | 64, 4 | 128 | 512};
    struct Case {
        std::string Name;
        std::uint32_t Seed, Ticks;
        std::vector<Setting> Settings;
        bool NoShm;
    };
    std::vector<Case> cases = {
        {"pixels", 11, 300, {{"RadiusFactor", 0}}, false},
        {"joined lines across a pause", 12, 365, {{"RadiusFactor", 0}, {"JoinTheDots", 1}}, false},
        {"circles without MIT-SHM", 13, 150, {{"ColourOption", 50}}, true},
    };
    for (int i = 0; i < 16; i++) {
        std::uint32_t shape = ALL_SHAPES[i % 8], rotation = 2u << (i % 3), zoom = i < 8 ? 0 : ZOOMS[i % 4];
        cases.push_back({"shape " + std::to_string(shape) + " rotation " + std::to_string(rotation) + " zoom " +
                             std::to_string(zoom),
                         20u + i, 200, {{"ObjectShape", shape}, {"ObjectRotation", rotation}, {"ZoomOption", zoom},
                                        {"RadiusFactor", 15}}, false});
    }
    for (const Case& c : cases) {
        const int width = 200, height = 150;
        Window w = MakeWindow(width, height);
        std::vector<Setting> settings = c.Settings;
        settings.push_back({"ImagesPerSec", FAST});
        std::vector<std::string> args = On(w, {"-seed", std::to_string(c.Seed), "-max-ticks", std::to_string(c.Ticks)});
        for (const Setting& s : settings)
            args.insert(args.end(), {std::string("-") + s.Name, std::to_string(s.Value)});
        if (c.NoShm)
            args.push_back("-no-shm");
        pid_t pid = Start(args);
        ExpectPicture(w, Expected(c.Seed, width, height, c.Ticks, settings), c.Name);
        Stop(pid);
        XDestroyWindow(Dpy, w);
        XSync(Dpy, False);
    }
}

TEST(Display, RootWindow)
{
    Window root = DefaultRootWindow(Dpy);
    Bitmap before = Grab(root);
    pid_t pid = Start({"-root", "-seed", "3", "-max-ticks", "100", "-images-per-sec", "1000"});
    ExpectPicture(root, Expected(3, before.Width, before.Height, 100, {{"ImagesPerSec", FAST}}), "root");
    Stop(pid);
}

TEST(Display, ResizeMidFigureGivesTheNewSizesFigure)
{
    Window w = MakeWindow(200, 150);
    pid_t pid = Start(On(w, {"-seed", "5", "-max-ticks", "380", "-images-per-sec", "1000"}));
    ASSERT_TRUE(Eventually([&] { return Grab(w).Pixels[0] != 0xFFFFFF; }));  // erased: running
    XResizeWindow(Dpy, w, 240, 180);
    XSync(Dpy, False);
    ExpectPicture(w, Expected(5, 240, 180, 380, {{"ImagesPerSec", FAST}}), "resized");
    Stop(pid);
    XDestroyWindow(Dpy, w);
}

TEST(Display, ExposeRepaints)
{
    Window w = MakeWindow(200, 150);
    pid_t pid = Start(On(w, {"-seed", "6", "-max-ticks", "120", "-images-per-sec", "1000"}));
    Bitmap expected = Expected(6, 200, 150, 120, {{"ImagesPerSec", FAST}});
    ExpectPicture(w, expected, "before covering");
    Window cover = MakeWindow(300, 200);
    XDestroyWindow(Dpy, cover);  // the server paints the background, then sends Expose
    XSync(Dpy, False);
    ExpectPicture(w, expected, "after covering");
    Stop(pid);
    XDestroyWindow(Dpy, w);
}

TEST(Display, SignalsAndDestructionEndIt)
{
    Window w = MakeWindow(200, 150);
    const struct {
        const char* Name;
        int Signal;
        bool InPause;
    } cases[] = {{"SIGTERM while ticking", SIGTERM, false}, {"SIGTERM in the pause", SIGTERM, true},
                 {"SIGINT while ticking", SIGINT, false}};
    for (const auto& c : cases) {
        pid_t pid = Start(On(w, {"-images-per-sec", "1000"}));
        ASSERT_TRUE(Eventually([&] { return Changing(w, 20); })) << c.Name;
        // A second without change follows each figure; 40 ms without one is in it.
        if (c.InPause) {
            ASSERT_TRUE(Eventually([&] { return !Changing(w, 40); })) << c.Name;
        }
        auto sent = Clock::now();
        kill(pid, c.Signal);
        // Well within the pause's remaining second: served at once.
        EXPECT_EQ(WaitExit(pid, 500), 0) << c.Name;
        std::printf("%s: ended after %lld ms\n", c.Name,
                    static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                               Clock::now() - sent).count()));
    }

    pid_t pid = Start(On(w, {"-images-per-sec", "1000"}));
    ASSERT_TRUE(Eventually([&] { return Changing(w, 20); }));
    XDestroyWindow(Dpy, w);
    XSync(Dpy, False);
    EXPECT_EQ(WaitExit(pid, 2000), 0) << "window destroyed";
}

TEST(Display, BadCommandLineDrawsNothing)
{
    Window w = MakeWindow(60, 40);
    const std::vector<std::string> bad[] = {{"-bogus"}, {"-settings", "/nonexistent/orbilux"}};
    for (const auto& args : bad) {
        EXPECT_EQ(WaitExit(Start(On(w, args)), 5000), 2) << args[0];
        Bitmap got = Grab(w);
        EXPECT_EQ(got.Pixels, std::vector<Colour>(got.Pixels.size(), 0xFFFFFF)) << args[0];
    }
    XDestroyWindow(Dpy, w);
}

}  // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    const char* display = std::getenv("DISPLAY");
    if (argc < 2 || !display || !*display) {
        std::printf("no DISPLAY (or no saver path): skipped\n");
        return 77;
    }
    SaverPath = argv[1];
    Dpy = XOpenDisplay(nullptr);
    if (!Dpy) {
        std::printf("cannot open display %s\n", display);
        return 1;
    }
    // The saver must use the window each test names.
    unsetenv("XSCREENSAVER_WINDOW");
    int result = RUN_ALL_TESTS();
    XCloseDisplay(Dpy);
    return result;
}
