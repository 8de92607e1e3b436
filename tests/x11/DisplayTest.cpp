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
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "render/Renderer.h"
#include "settings/MemoryStore.h"

namespace {

const char* SaverPath = nullptr;
Display* Dpy = nullptr;
typedef std::chrono::steady_clock Clock;
typedef std::vector<std::pair<const char*, std::uint32_t>> Settings;
const std::uint32_t FAST = 1000;  // images per second: ticks 1 ms apart

void SleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

Bitmap Expected(std::uint32_t seed, int width, int height, std::uint32_t ticks, Settings settings)
{
    MemoryStore store;
    settings.push_back({"ImagesPerSec", FAST});
    for (const auto& s : settings)
        store.WriteValue(s.first, s.second);
    Bitmap bitmap(width, height);
    RunRender({seed, static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height), ticks}, store, nullptr,
              &bitmap);
    return bitmap;
}

// The window's pixels as 0x00BBGGRR (a 24-bit true-colour display).
Bitmap Grab(Window window)
{
    XWindowAttributes a;
    XGetWindowAttributes(Dpy, window, &a);
    Bitmap b(a.width, a.height);
    XImage* image = XGetImage(Dpy, window, 0, 0, a.width, a.height, AllPlanes, ZPixmap);
    for (int y = 0; image && y < a.height; y++)
        for (int x = 0; x < a.width; x++) {
            unsigned long p = XGetPixel(image, x, y);
            b.Pixels[static_cast<std::size_t>(y) * a.width + x] =
                ((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16);
        }
    if (image)
        XDestroyImage(image);
    return b;
}

bool Same(const Bitmap& a, const Bitmap& b) { return a.Width == b.Width && a.Pixels == b.Pixels; }

// A white, mapped window that no window manager moves.
Window MakeWindow(int width, int height)
{
    XSetWindowAttributes a;
    a.background_pixel = WhitePixel(Dpy, DefaultScreen(Dpy));
    a.override_redirect = True;
    Window w = XCreateWindow(Dpy, DefaultRootWindow(Dpy), 0, 0, width, height, 0, CopyFromParent, InputOutput,
                             CopyFromParent, CWBackPixel | CWOverrideRedirect, &a);
    XSelectInput(Dpy, w, StructureNotifyMask);
    XMapRaised(Dpy, w);
    XEvent e;
    do
        XWindowEvent(Dpy, w, StructureNotifyMask, &e);
    while (e.type != MapNotify);
    return w;
}

// Starts the saver on `w` (0: with the arguments alone).
pid_t Start(Window w, std::vector<std::string> args)
{
    if (w != 0)
        args.insert(args.begin(), {"-window-id", std::to_string(w)});
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

bool Eventually(const std::function<bool()>& condition, int ms = 15000)
{
    for (auto end = Clock::now() + std::chrono::milliseconds(ms); !condition(); SleepMs(5))
        if (Clock::now() > end)
            return false;
    return true;
}

// The exit status, or -1 (and the process killed) if it runs beyond `ms`.
int WaitExit(pid_t pid, int ms)
{
    int status = 0;
    if (!Eventually([&] { return waitpid(pid, &status, WNOHANG) != 0; }, ms)) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
        return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

bool Changing(Window w, int ms)
{
    Bitmap before = Grab(w);
    SleepMs(ms);
    return !Same(before, Grab(w));
}

// Waits for `expected`, checks that it stays (no tick beyond the last), ends the saver.
void ExpectPicture(pid_t pid, Window w, const Bitmap& expected, const std::string& name)
{
    if (Eventually([&] { return Same(Grab(w), expected); })) {
        SleepMs(30);
        EXPECT_TRUE(Same(Grab(w), expected)) << name << ": drawn beyond the last tick";
    } else {
        ADD_FAILURE() << name << ": the picture differs from the renderer's";
    }
    kill(pid, SIGTERM);
    EXPECT_EQ(WaitExit(pid, 2000), 0) << name;
}

TEST(Display, PicturesEqualTheRenderer)
{
    const std::uint32_t ZOOMS[] = {2 | 128 | 256, 16 | 32 | 512, 8 | 64, 4 | 128 | 512};
    struct Case {
        std::string Name;
        std::uint32_t Ticks;
        Settings Values;
        bool NoShm;
    };
    std::vector<Case> cases = {{"pixels", 300, {{"RadiusFactor", 0}}, false},
                               {"joined lines across a pause", 365, {{"RadiusFactor", 0}, {"JoinTheDots", 1}}, false},
                               {"circles without MIT-SHM", 150, {{"ColourOption", 50}}, true}};
    // Every shape with and without zoom, every rotation with and without zoom.
    for (std::uint32_t i = 0; i < 16; i++) {
        std::uint32_t shape = 2u << (i % 8), rotation = 2u << (i % 3), zoom = i < 8 ? 0 : ZOOMS[i % 4];
        cases.push_back({"shape " + std::to_string(shape) + " rotation " + std::to_string(rotation) + " zoom " +
                             std::to_string(zoom),
                         200, {{"ObjectShape", shape}, {"ObjectRotation", rotation}, {"ZoomOption", zoom},
                               {"RadiusFactor", 15}}, false});
    }
    std::uint32_t seed = 10;
    for (const Case& c : cases) {
        Window w = MakeWindow(200, 150);
        std::vector<std::string> args = {"-seed", std::to_string(++seed), "-max-ticks", std::to_string(c.Ticks),
                                         "-images-per-sec", std::to_string(FAST)};
        for (const auto& s : c.Values)
            args.insert(args.end(), {std::string("-") + s.first, std::to_string(s.second)});
        if (c.NoShm)
            args.push_back("-no-shm");
        ExpectPicture(Start(w, args), w, Expected(seed, 200, 150, c.Ticks, c.Values), c.Name);
        XDestroyWindow(Dpy, w);
    }
}

TEST(Display, RootWindow)
{
    Window root = DefaultRootWindow(Dpy);
    Bitmap before = Grab(root);
    pid_t pid = Start(0, {"-root", "-seed", "3", "-max-ticks", "100", "-images-per-sec", "1000"});
    ExpectPicture(pid, root, Expected(3, before.Width, before.Height, 100, {}), "root");
}

TEST(Display, ResizeMidFigureGivesTheNewSizesFigure)
{
    Window w = MakeWindow(200, 150);
    pid_t pid = Start(w, {"-seed", "5", "-max-ticks", "380", "-images-per-sec", "1000"});
    ASSERT_TRUE(Eventually([&] { return Grab(w).Pixels[0] != 0xFFFFFF; }));  // erased: running
    XResizeWindow(Dpy, w, 240, 180);
    XSync(Dpy, False);
    ExpectPicture(pid, w, Expected(5, 240, 180, 380, {}), "resized");
    XDestroyWindow(Dpy, w);
}

TEST(Display, ExposeRepaints)
{
    Window w = MakeWindow(200, 150);
    Bitmap expected = Expected(6, 200, 150, 120, {});
    pid_t pid = Start(w, {"-seed", "6", "-max-ticks", "120", "-images-per-sec", "1000"});
    ASSERT_TRUE(Eventually([&] { return Same(Grab(w), expected); }));
    XDestroyWindow(Dpy, MakeWindow(300, 200));  // the server paints the background, then sends Expose
    XSync(Dpy, False);
    ExpectPicture(pid, w, expected, "after covering");
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
        pid_t pid = Start(w, {"-images-per-sec", "1000"});
        ASSERT_TRUE(Eventually([&] { return Changing(w, 20); })) << c.Name;
        // A second without change follows each figure; 40 ms without one is in it.
        if (c.InPause) {
            ASSERT_TRUE(Eventually([&] { return !Changing(w, 40); })) << c.Name;
        }
        kill(pid, c.Signal);
        EXPECT_EQ(WaitExit(pid, 500), 0) << c.Name;  // well within the pause: served at once
    }
    pid_t pid = Start(w, {"-images-per-sec", "1000"});
    ASSERT_TRUE(Eventually([&] { return Changing(w, 20); }));
    XDestroyWindow(Dpy, w);
    XSync(Dpy, False);
    EXPECT_EQ(WaitExit(pid, 2000), 0) << "window destroyed";
}

TEST(Display, BadCommandLineDrawsNothing)
{
    Window w = MakeWindow(60, 40);
    for (const auto& args : {std::vector<std::string>{"-bogus"}, {"-settings", "/nonexistent/orbilux"}}) {
        EXPECT_EQ(WaitExit(Start(w, args), 5000), 2) << args[0];
        EXPECT_EQ(Grab(w).Pixels, std::vector<Colour>(60 * 40, 0xFFFFFF)) << args[0];
    }
    XDestroyWindow(Dpy, w);
}

}  // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (argc < 2 || !getenv("DISPLAY") || !*getenv("DISPLAY")) {
        std::printf("no DISPLAY (or no saver path): skipped\n");
        return 77;
    }
    SaverPath = argv[1];
    Dpy = XOpenDisplay(nullptr);
    if (!Dpy)
        return 1;
    unsetenv("XSCREENSAVER_WINDOW");  // the saver must use the window each test names
    int result = RUN_ALL_TESTS();
    XCloseDisplay(Dpy);
    return result;
}
