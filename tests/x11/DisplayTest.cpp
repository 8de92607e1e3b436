// The X11 saver on a real X server: its pictures equal the renderer's on a
// window of the test's, on the root window, after a resize and after an
// exposure; signals and the window's end stop it; bad input draws nothing.
// GoogleTest first: Xlib's macros (None, Bool) would break its headers.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "render/Renderer.h"
#include "settings/MemoryStore.h"

namespace {

const char* SaverPath = nullptr;
Display* Dpy = nullptr;
typedef std::vector<std::pair<std::string, std::uint32_t>> Settings;

void SleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

bool Eventually(const std::function<bool()>& condition, int ms = 15000)
{
    for (auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms); !condition(); SleepMs(5))
        if (std::chrono::steady_clock::now() > end)
            return false;
    return true;
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
            b.Pixels[static_cast<std::size_t>(y) * a.width + x] = ((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16);
        }
    if (image)
        XDestroyImage(image);
    return b;
}

bool Same(const Bitmap& a, const Bitmap& b) { return a.Width == b.Width && a.Pixels == b.Pixels; }

bool Changing(Window w, int ms)
{
    Bitmap before = Grab(w);
    SleepMs(ms);
    return !Same(before, Grab(w));
}

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

// Starts the saver on `w` (0: with the arguments alone), its standard error
// going to the file `errors` when there is one.
pid_t Start(Window w, std::vector<std::string> args, const std::string& errors = "")
{
    if (w != 0)
        args.insert(args.begin(), {"-window-id", std::to_string(w)});
    pid_t pid = fork();
    if (pid == 0) {
        if (!errors.empty())
            dup2(open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 2);
        std::vector<char*> argv{const_cast<char*>(SaverPath)};
        for (std::string& a : args)
            argv.push_back(&a[0]);
        argv.push_back(nullptr);
        execv(SaverPath, argv.data());
        _exit(127);
    }
    return pid;
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

enum Action { ON_WINDOW, ON_ROOT, RESIZE, COVER };

TEST(Display, PicturesEqualTheRenderer)
{
    struct Case {
        std::string Name;
        std::uint32_t Ticks;
        Settings Values;
        Action Do;
    };
    std::vector<Case> cases = {{"pixels", 300, {{"RadiusFactor", 0}}, ON_WINDOW},
                               {"joined lines across a pause", 365, {{"RadiusFactor", 0}, {"JoinTheDots", 1}}, ON_WINDOW},
                               {"root window", 100, {}, ON_ROOT},
                               {"resized mid-figure", 380, {}, RESIZE},
                               {"repainted after covering", 120, {{"ColourOption", 50}}, COVER}};
    // Every shape with and without zoom, every rotation with and without zoom.
    const std::uint32_t ZOOMS[] = {2 | 128 | 256, 16 | 32 | 512, 8 | 64, 4 | 128 | 512};
    for (std::uint32_t i = 0; i < 16; i++) {
        std::uint32_t shape = 2u << (i % 8), rotation = 2u << (i % 3), zoom = i < 8 ? 0 : ZOOMS[i % 4];
        cases.push_back({"shape " + std::to_string(shape) + " rotation " + std::to_string(rotation) + " zoom " +
                             std::to_string(zoom), 200,
                         {{"ObjectShape", shape}, {"ObjectRotation", rotation}, {"ZoomOption", zoom}, {"RadiusFactor", 15}},
                         ON_WINDOW});
    }
    std::uint32_t seed = 10;
    for (Case& c : cases) {
        Window w = c.Do == ON_ROOT ? DefaultRootWindow(Dpy) : MakeWindow(200, 150);
        std::vector<std::string> args = {"-seed", std::to_string(++seed), "-max-ticks", std::to_string(c.Ticks),
                                         "-images-per-sec", "1000"};
        if (c.Do == ON_ROOT)
            args.push_back("-root");
        for (const auto& s : c.Values)
            args.insert(args.end(), {"-" + s.first, std::to_string(s.second)});
        pid_t pid = Start(c.Do == ON_ROOT ? 0 : w, args);
        if (c.Do == RESIZE) {
            ASSERT_TRUE(Eventually([&] { return Grab(w).Pixels[0] != 0xFFFFFF; }));  // erased: running
            XResizeWindow(Dpy, w, 240, 180);
            XSync(Dpy, False);
        }
        Bitmap size = Grab(w);
        MemoryStore store;
        c.Values.push_back({"ImagesPerSec", 1000});
        for (const auto& s : c.Values)
            store.WriteValue(s.first.c_str(), s.second);
        Bitmap expected(size.Width, size.Height);
        RunRender({seed, static_cast<std::uint32_t>(size.Width), static_cast<std::uint32_t>(size.Height), c.Ticks},
                  store, nullptr, &expected);
        if (c.Do == COVER) {
            ASSERT_TRUE(Eventually([&] { return Same(Grab(w), expected); }));
            XDestroyWindow(Dpy, MakeWindow(300, 200));  // the server paints the background, then sends Expose
            XSync(Dpy, False);
        }
        // The picture comes and stays: no tick beyond the last.
        if (Eventually([&] { return Same(Grab(w), expected); })) {
            SleepMs(30);
            EXPECT_TRUE(Same(Grab(w), expected)) << c.Name << ": drawn beyond the last tick";
        } else {
            ADD_FAILURE() << c.Name << ": the picture differs from the renderer's";
        }
        kill(pid, SIGTERM);
        EXPECT_EQ(WaitExit(pid, 2000), 0) << c.Name;
        if (c.Do != ON_ROOT)
            XDestroyWindow(Dpy, w);
    }
}

TEST(Display, SignalsAndDestructionEndIt)
{
    Window w = MakeWindow(200, 150);
    const struct {
        const char* Name;
        int Signal;  // 0: destroy the window
        bool InPause;
    } cases[] = {{"SIGTERM while ticking", SIGTERM, false}, {"SIGTERM in the pause", SIGTERM, true},
                 {"SIGINT while ticking", SIGINT, false}, {"window destroyed", 0, false}};
    for (const auto& c : cases) {
        pid_t pid = Start(w, {"-images-per-sec", "1000"});
        ASSERT_TRUE(Eventually([&] { return Changing(w, 20); })) << c.Name;
        // A second without change follows each figure; 40 ms without one is in it.
        if (c.InPause) {
            ASSERT_TRUE(Eventually([&] { return !Changing(w, 40); })) << c.Name;
        }
        if (c.Signal == 0) {
            XDestroyWindow(Dpy, w);
            XSync(Dpy, False);
        }
        kill(pid, c.Signal);
        EXPECT_EQ(WaitExit(pid, 500), 0) << c.Name;  // well within the pause: served at once
    }
}

TEST(Display, BadInputGetsOneMessageAndDrawsNothing)
{
    Window w = MakeWindow(60, 40);
    const std::string errors = testing::TempDir() + "orbilux-display-errors";
    const struct {
        std::vector<std::string> Args;
        const char* Message;
    } cases[] = {{{"-bogus"}, "orbilux: unknown option '-bogus' (try -help)"},
                 {{"-seed", "12x"}, "orbilux: -seed: expected a number"},
                 {{"-seed"}, "orbilux: -seed: missing value"},
                 {{"-settings", "/nonexistent/orbilux"}, "cannot read settings file '/nonexistent/orbilux': No such"},
                 {{"-settings", "/"}, "cannot read settings file '/': Is a directory"}};
    for (const auto& c : cases) {
        EXPECT_EQ(WaitExit(Start(w, c.Args, errors), 5000), 2) << c.Message;
        std::ifstream in(errors);
        std::string line, more;
        EXPECT_TRUE(std::getline(in, line) && line.find(c.Message) != std::string::npos && !std::getline(in, more))
            << line << "\n" << more;
        EXPECT_EQ(Grab(w).Pixels, std::vector<Colour>(60 * 40, 0xFFFFFF)) << c.Message;
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
