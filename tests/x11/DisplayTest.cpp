// The X11 saver on a real X server: its pictures equal the renderer's on a window of the test's, on
// the root window, after a resize and after an exposure, with no copy of the picture in the server;
// its own window carries the desktop's properties; signals and the window's end stop it.
// GoogleTest first: Xlib's macros (None, Bool) would break its headers.
#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XRes.h>
#include <dirent.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "render/Renderer.h"
#include "settings/MemoryStore.h"

namespace {

const char* SaverPath = nullptr;
Display* Dpy = nullptr;

// Polls every 5 ms for at most about `ms`.
template <typename Condition> bool Eventually(Condition done, int ms = 15000)
{
    for (int waited = 0; !done(); waited += 5, usleep(5000))
        if (waited > ms)
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
    for (std::size_t i = 0; image && i < b.Pixels.size(); i++) {
        unsigned long p = XGetPixel(image, static_cast<int>(i % a.width), static_cast<int>(i / a.width));
        b.Pixels[i] = ((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16);
    }
    if (image)
        XDestroyImage(image);
    return b;
}

bool Same(const Bitmap& a, const Bitmap& b)
{
    return a.Width == b.Width && a.Pixels == b.Pixels;
}

bool Changing(Window w)
{
    Bitmap before = Grab(w);
    usleep(30000);
    return !Same(before, Grab(w));
}

// A white, mapped window (the test display has no window manager).
Window MakeWindow(int width, int height)
{
    Window w = XCreateSimpleWindow(Dpy, DefaultRootWindow(Dpy), 0, 0, width, height, 0, 0, WhitePixel(Dpy, 0));
    XMapRaised(Dpy, w);
    XSync(Dpy, False);
    return w;
}

// The home folder each saver gets (HOME and XDG_CONFIG_HOME under it), never
// the tester's: their settings file would change the pictures.
std::string Home;

// Each running saver's standard output, where it says it stopped.
std::map<pid_t, int> Outputs;

// Starts the saver on `w` (0: with the arguments alone), with its own home
// and `environment` ("NAME=VALUE") added.
pid_t Start(Window w, std::vector<std::string> args, std::vector<std::string> environment = {})
{
    if (w != 0)
        args.insert(args.begin(), {"-window-id", std::to_string(w)});
    int out[2];
    if (pipe(out) != 0)
        return -1;
    pid_t pid = fork();
    if (pid == 0) {
        dup2(out[1], 1);
        close(out[0]);
        close(out[1]);
        environment.insert(environment.begin(), {"HOME=" + Home, "XDG_CONFIG_HOME=" + Home + "/config"});
        for (std::string& e : environment)
            putenv(&e[0]);
        std::vector<char*> argv{const_cast<char*>(SaverPath)};
        for (std::string& a : args)
            argv.push_back(&a[0]);
        argv.push_back(nullptr);
        execv(SaverPath, argv.data());
        _exit(127);
    }
    close(out[1]);
    Outputs[pid] = out[0];
    return pid;
}

// Waits for the saver's "stopped after N ticks" (it has drawn its -max-ticks
// and the server holds the pixels); false if it ends or says nothing within
// a long limit.
bool Stopped(pid_t pid, std::uint32_t ticks)
{
    const std::string expected = "orbilux: stopped after " + std::to_string(ticks) + " ticks\n";
    std::string said;
    pollfd fd = {Outputs[pid], POLLIN, 0};
    char c;
    while (said.size() < expected.size() && poll(&fd, 1, 30000) > 0 && read(fd.fd, &c, 1) == 1)
        said += c;
    return said == expected;
}

// The exit status, or -1 (and the process killed) if it hangs beyond `ms`; `pid` is then 0.
int WaitExit(pid_t& pid, int ms = 15000)
{
    int status = 0;
    bool ended = Eventually([&] { return waitpid(pid, &status, WNOHANG) != 0; }, ms);
    if (!ended) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
    }
    if (Outputs.count(pid)) {
        close(Outputs[pid]);
        Outputs.erase(pid);
    }
    pid = 0;
    return !ended ? -1 : WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// Kills a saver that a failed check left running.
struct Reaper {
    pid_t& Pid;
    ~Reaper()
    {
        if (Pid > 0)
            WaitExit(Pid, 0);
    }
};

// The bytes of pixmaps that the client of process `pid` holds in the server, -1 when it has no
// client there.
long PixmapBytes(pid_t pid)
{
    XResClientIdSpec all = {0, XRES_CLIENT_ID_PID_MASK};
    long count = 0;
    XResClientIdValue* ids = nullptr;
    long bytes = -1;
    if (XResQueryClientIds(Dpy, 1, &all, &count, &ids) != Success)
        return -1;
    for (long i = 0; i < count; i++) {
        unsigned long value = 0;
        if (XResGetClientPid(&ids[i]) == pid && XResQueryClientPixmapBytes(Dpy, ids[i].spec.client, &value))
            bytes = static_cast<long>(value);
    }
    XResClientIdsDestroy(count, ids);
    return bytes;
}

// Covers part of `w` with a window of the test's, then takes it away: the server paints that part
// of `w` white (its background) and sends an Expose.
void Cover(Window w, int x, int y, int width, int height)
{
    Window cover = XCreateSimpleWindow(Dpy, w, x, y, width, height, 0, 0, BlackPixel(Dpy, 0));
    XMapRaised(Dpy, cover);
    XSync(Dpy, False);
    XDestroyWindow(Dpy, cover);
    XSync(Dpy, False);
}

// What a case does besides drawing on a window of its own: these may be combined.
// SELF: the picture is compared with what the saver showed before the cover, as a resize within a
// figure goes where the renderer cannot follow.
enum Action { ON_WINDOW = 0, ON_ROOT = 1, RESIZE = 2, COVER = 4, COVER_EARLY = 8, SELF = 16 };

TEST(Display, PicturesEqualTheRenderer)
{
    struct Case {
        int Do;  // Action bits
        std::uint32_t Ticks;
        std::vector<std::pair<std::string, std::uint32_t>> Values;
    };
    std::vector<Case> cases = {{ON_WINDOW, 300, {{"RadiusFactor", 0}}},                      // pixels
                               {ON_WINDOW, 365, {{"RadiusFactor", 0}, {"JoinTheDots", 1}}},  // joined across a pause
                               {ON_ROOT, 100, {}},
                               {RESIZE, 380, {}},
                               {COVER, 150, {{"ColourOption", 50}}},
                               {COVER, 360, {{"RadiusFactor", 12}}},  // the closed figure, in the pause
                               {COVER, 365, {{"RadiusFactor", 0}, {"JoinTheDots", 1}}},
                               // Joined from where the line stood before the resize.
                               {RESIZE | COVER | SELF, 300, {{"RadiusFactor", 0}, {"JoinTheDots", 1}}},
                               {COVER_EARLY, 400, {{"RadiusFactor", 15}, {"ZoomOption", 4 | 64 | 256}}}};
    // Every shape with and without zoom, every rotation with and without zoom.
    const std::uint32_t ZOOMS[] = {2 | 128 | 256, 16 | 32 | 512, 8 | 64, 4 | 128 | 512};
    for (std::uint32_t i = 0; i < 16; i++)
        cases.push_back({ON_WINDOW,
                         200,
                         {{"ObjectShape", 2u << (i % 8)},
                          {"ObjectRotation", 2u << (i % 3)},
                          {"ZoomOption", i < 8 ? 0 : ZOOMS[i % 4]},
                          {"RadiusFactor", 15}}});
    std::uint32_t seed = 10;
    for (Case& c : cases) {
        Window w = (c.Do & ON_ROOT) ? DefaultRootWindow(Dpy) : MakeWindow(200, 150);
        std::vector<std::string> args = {"-seed", std::to_string(++seed), "-max-ticks", std::to_string(c.Ticks)};
        MemoryStore store;
        c.Values.push_back({"ImagesPerSec", 1000});  // ticks 1 ms apart
        for (const auto& s : c.Values) {
            args.insert(args.end(), {"-" + s.first, std::to_string(s.second)});
            store.WriteValue(s.first.c_str(), s.second);
        }
        if ((c.Do & ON_ROOT))
            args.push_back("-root");
        pid_t pid = Start((c.Do & ON_ROOT) ? 0 : w, args);
        Reaper reaper{pid};
        if (c.Do & (RESIZE | COVER_EARLY)) {
            ASSERT_TRUE(Eventually([&] { return Grab(w).Pixels[0] != 0xFFFFFF; }));  // erased: running
        }
        if (c.Do & RESIZE) {
            // Held still from its first erase (long before the first
            // figure's pause ends) until the server has the new size: the
            // saver reads the resize before its next tick, however long the
            // test takes.
            kill(pid, SIGSTOP);
            XResizeWindow(Dpy, w, 240, 180);
            XSync(Dpy, False);
            kill(pid, SIGCONT);
        }
        if (c.Do & COVER_EARLY)
            Cover(w, 40, 30, 90, 70);
        Bitmap size = Grab(w), expected(size.Width, size.Height);
        ASSERT_TRUE(Stopped(pid, c.Ticks)) << testing::PrintToString(args);
        if (c.Do & SELF) {
            expected = Grab(w);
        } else {
            RunRender({seed, static_cast<std::uint32_t>(size.Width), static_cast<std::uint32_t>(size.Height), c.Ticks},
                      store, nullptr, &expected);
        }
        if (c.Do & COVER) {
            ASSERT_TRUE(Same(Grab(w), expected)) << testing::PrintToString(args);
            Cover(w, 0, 0, size.Width, size.Height / 2);
            Cover(w, size.Width / 3, size.Height / 4, size.Width / 3, size.Height);
        }
        // The picture is there when the saver has stopped, and after a cover
        // once the saver has drawn the exposed parts again.
        EXPECT_TRUE((c.Do & COVER) ? Eventually([&] { return Same(Grab(w), expected); }) : Same(Grab(w), expected))
            << testing::PrintToString(args) << ": the picture differs from the renderer's";
        // Not even a pixmap of a tenth of the window's size: the server keeps no picture either.
        long pixmaps = PixmapBytes(pid);
        EXPECT_TRUE(pixmaps >= 0 && pixmaps < size.Width * size.Height / 10)
            << testing::PrintToString(args) << ": " << pixmaps << " bytes of pixmaps";
        kill(pid, SIGTERM);
        EXPECT_EQ(WaitExit(pid), 0) << testing::PrintToString(args);
        if (!(c.Do & ON_ROOT))
            XDestroyWindow(Dpy, w);
    }
}

// A property of `w` as bytes (format 8) or 32-bit values (format 32, which Xlib widens to signed
// longs), with its type; empty when missing.
std::vector<unsigned long> Property(Window w, const char* name, Atom& type)
{
    std::vector<unsigned long> values;
    int format = 0;
    unsigned long count = 0, left = 0;
    unsigned char* data = nullptr;
    type = 0;
    if (XGetWindowProperty(Dpy, w, XInternAtom(Dpy, name, False), 0, 1 << 16, False, AnyPropertyType, &type, &format,
                           &count, &left, &data) == Success &&
        data) {
        for (unsigned long i = 0; i < count; i++)
            values.push_back(format == 32 ? reinterpret_cast<unsigned long*>(data)[i] & 0xFFFFFFFF : data[i]);
        XFree(data);
    }
    return values;
}

std::string Text(const std::vector<unsigned long>& bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

// The top-level window whose _NET_WM_PID is `pid`, or 0.
Window WindowOf(pid_t pid)
{
    Window root, parent, *children = nullptr, found = 0;
    unsigned count = 0;
    Atom type;
    if (XQueryTree(Dpy, DefaultRootWindow(Dpy), &root, &parent, &children, &count)) {
        for (unsigned i = 0; i < count; i++)
            if (Property(children[i], "_NET_WM_PID", type) ==
                std::vector<unsigned long>{static_cast<unsigned long>(pid)})
                found = children[i];
        XFree(children);
    }
    return found;
}

// Its own window tells the desktop what it is and whose it is (ICCCM, EWMH); a window it is given
// gets nothing of it.
TEST(Display, OwnWindowDescribesItself)
{
    pid_t pid = Start(0, {"-window", "-geometry", "320x200"});
    Reaper reaper{pid};
    Window w = 0;
    ASSERT_TRUE(Eventually([&] { return (w = WindowOf(pid)) != 0; }));
    // It maps the window after setting every property; _NET_WM_PID alone may come first.
    ASSERT_TRUE(Eventually([&] {
        XWindowAttributes a;
        return XGetWindowAttributes(Dpy, w, &a) && a.map_state != IsUnmapped;
    }));
    Atom type, utf8 = XInternAtom(Dpy, "UTF8_STRING", False);
    EXPECT_EQ(Text(Property(w, "WM_CLASS", type)), std::string("orbilux\0Orbilux\0", 16));
    EXPECT_EQ(Text(Property(w, "WM_NAME", type)), "Orbilux");
    EXPECT_EQ(Text(Property(w, "WM_ICON_NAME", type)), "Orbilux");
    EXPECT_EQ(Text(Property(w, "_NET_WM_NAME", type)), "Orbilux");
    EXPECT_EQ(type, utf8);
    char host[256] = {};
    gethostname(host, sizeof host - 1);
    EXPECT_EQ(Text(Property(w, "WM_CLIENT_MACHINE", type)), host);
    // The Windows saver's 32 x 32 icon: width, height, then opaque pixels of several colours.
    std::vector<unsigned long> icon = Property(w, "_NET_WM_ICON", type);
    ASSERT_EQ(icon.size(), 2u + 32 * 32);
    EXPECT_EQ(icon[0], 32u);
    EXPECT_EQ(icon[1], 32u);
    std::vector<unsigned long> colours(icon.begin() + 2, icon.end());
    std::sort(colours.begin(), colours.end());
    EXPECT_GE(std::unique(colours.begin(), colours.end()) - colours.begin(), 4);
    EXPECT_EQ(colours[0] >> 24, 0xFFu);
    kill(pid, SIGTERM);
    EXPECT_EQ(WaitExit(pid), 0);

    Window given = MakeWindow(100, 80);
    pid = Start(given, {});
    ASSERT_TRUE(Eventually([&] { return Grab(given).Pixels[0] != 0xFFFFFF; }));  // erased: running
    EXPECT_TRUE(Property(given, "WM_CLASS", type).empty() && Property(given, "_NET_WM_PID", type).empty());
    kill(pid, SIGTERM);
    EXPECT_EQ(WaitExit(pid), 0);
    XDestroyWindow(Dpy, given);
}

// SIGTERM and SIGINT end it while it ticks and while it waits with nothing
// due (after -max-ticks: only a signal or an event wakes it), with status 0
// and the picture left as it was; so does the window's destruction.
TEST(Display, SignalsAndDestructionEndIt)
{
    Window w = MakeWindow(200, 150);
    MemoryStore store;
    store.WriteValue("ImagesPerSec", 1000);
    Bitmap stopped(200, 150);
    RunRender({7, 200, 150, 100}, store, nullptr, &stopped);
    const struct {
        int Signal;  // 0: the window is destroyed instead
        bool Stopped;
    } cases[] = {{SIGTERM, false}, {SIGTERM, true}, {SIGINT, false}, {SIGINT, true}, {0, false}};
    for (const auto& c : cases) {
        std::vector<std::string> args = {"-seed", "7", "-images-per-sec", "1000"};
        if (c.Stopped)
            args.insert(args.end(), {"-max-ticks", "100"});
        pid_t pid = Start(w, args);
        Reaper reaper{pid};
        ASSERT_TRUE(c.Stopped ? Stopped(pid, 100) : Eventually([&] { return Changing(w); })) << c.Signal;
        if (c.Signal == 0)
            XDestroyWindow(Dpy, w);
        XSync(Dpy, False);
        kill(pid, c.Signal);
        ASSERT_EQ(WaitExit(pid), 0) << c.Signal << (c.Stopped ? " when stopped" : " while ticking");
        EXPECT_TRUE(!c.Stopped || Same(Grab(w), stopped)) << "the picture changed on the way out";
    }
}

// Under XScreenSaver (XSCREENSAVER_WINDOW set) the settings window's line is
// what is drawn, whatever the settings file says; by hand the file counts
// and the options override it; a FIFO at the default path is passed over
// (without blocking) and the defaults are drawn.
TEST(Display, TheSettingsFileCountsOnlyByHand)
{
    std::string folder = Home + "/config/orbilux";
    ASSERT_EQ(std::system(("mkdir -p '" + folder + "'").c_str()), 0);
    std::ofstream(folder + "/settings") << "shape=square\nzoom=low\nobject-size=30\nimages-per-sec=10\n";
    const struct {
        bool UnderXScreenSaver, Fifo;  // Fifo: the settings file is a FIFO, which is refused
        std::vector<std::pair<std::string, std::uint32_t>> Drawn;
    } cases[] = {{true, false, {{"ImagesPerSec", 1000}}},
                 {false, false, {{"ObjectShape", 4}, {"ZoomOption", 2}, {"RadiusFactor", 30}, {"ImagesPerSec", 1000}}},
                 {false, true, {{"ImagesPerSec", 1000}}}};
    for (const auto& c : cases) {
        if (c.Fifo) {
            ASSERT_EQ(unlink((folder + "/settings").c_str()), 0);
            ASSERT_EQ(mkfifo((folder + "/settings").c_str(), 0600), 0);
        }
        Window w = MakeWindow(200, 150);
        // The line the settings window saves for a changed speed alone.
        std::vector<std::string> args = {"--root", "--shape", "circle", "--rotation", "none", "--images-per-sec",
                                         "1000",   "-seed",   "5",      "-max-ticks", "300"};
        std::vector<std::string> environment;
        if (c.UnderXScreenSaver)
            environment.push_back("XSCREENSAVER_WINDOW=" + std::to_string(w));
        else
            args = {"-window-id", std::to_string(w), "-images-per-sec", "1000", "-seed", "5", "-max-ticks", "300"};
        pid_t pid = Start(0, args, environment);
        Reaper reaper{pid};
        ASSERT_TRUE(Stopped(pid, 300)) << c.UnderXScreenSaver;
        MemoryStore store;
        for (const auto& v : c.Drawn)
            store.WriteValue(v.first.c_str(), v.second);
        Bitmap expected(200, 150);
        RunRender({5, 200, 150, 300}, store, nullptr, &expected);
        EXPECT_TRUE(Same(Grab(w), expected)) << (c.UnderXScreenSaver ? "under XScreenSaver"
                                                     : c.Fifo        ? "a FIFO at the default path"
                                                                     : "by hand");
        kill(pid, SIGTERM);
        EXPECT_EQ(WaitExit(pid), 0);
        XDestroyWindow(Dpy, w);
    }
    ASSERT_EQ(std::system(("rm -r '" + Home + "/config'").c_str()), 0);
}

// The home folders of runs that were killed before they could remove theirs.
void RemoveLeftHomes()
{
    DIR* tmp = opendir("/tmp");
    const std::string prefix = "orbilux-x11-display.";
    while (dirent* e = tmp ? readdir(tmp) : nullptr) {
        std::string name = e->d_name;
        int pid = name.compare(0, prefix.size(), prefix) == 0 ? std::atoi(name.c_str() + prefix.size()) : 0;
        if (pid > 0 && kill(pid, 0) != 0 && errno == ESRCH)
            if (std::system(("rm -rf '/tmp/" + name + "'").c_str()) != 0)
                std::printf("cannot remove /tmp/%s\n", name.c_str());
    }
    if (tmp)
        closedir(tmp);
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
    if (!(Dpy = XOpenDisplay(nullptr)))
        return 1;
    unsetenv("XSCREENSAVER_WINDOW");  // the saver must use the window each test names
    RemoveLeftHomes();
    Home = "/tmp/orbilux-x11-display." + std::to_string(getpid());
    if (mkdir(Home.c_str(), 0700) != 0)
        return 1;
    int status = RUN_ALL_TESTS();
    return std::system(("rm -rf '" + Home + "'").c_str()) == 0 ? status : 1;
}
