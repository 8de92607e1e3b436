// orbilux: the Orbilux figures on an X display, as an XScreenSaver hack. The
// software surface decides the pixels (GDI's) and sends them straight to the
// window; nobody keeps the picture, and an exposed area is drawn again by
// replaying the figure into it.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

#include "posix/LoadReport.h"
#include "posix/SettingsFile.h"
#include "posix/SignalPipe.h"
#include "posix/TickClock.h"
#include "raster/EmulatedWindow.h"
#include "settings/NumberText.h"
#include "x11/SaverOptions.h"
#include "x11/WindowProperties.h"
#include "x11/XPresenter.h"

namespace {

void Message(const std::string& text)
{
    std::fprintf(stderr, "orbilux: %s\n", text.c_str());
}

// Everything one run holds, from set-up to teardown.
struct Saver {
    SaverOptions Options;
    MemoryStore Store;
    Display* Dpy = nullptr;
    Window Target = 0;
    std::string TargetTyped;  // the window id as given, for messages
    bool OwnWindow = false;
    bool WindowGone = false;
    Atom DeleteWindow = 0;
    XPresenter Presenter;
    bool PresenterOpen = false;
    int Width = 0, Height = 0;
    SoftwareSurface Surface{Presenter, 0, 0};
    SoftwareSurface SurfaceAtErase{Presenter, 0, 0};  // where a replay starts drawing from
    EmulatedWindow Figure{0, nullptr};
    // The timer: ticks drawn, whether more are to come, the next tick's time
    // and the end of a pending pause (-1: none).
    std::uint32_t Ticks = 0;
    bool Drawing = true;
    Nanoseconds Due = 0;
    Nanoseconds PauseEnd = -1;
    bool Quit = false;
    bool StopTold = false;  // "stopped after N ticks" written
};

// Reads the command line and the settings file into `saver`. False when the
// run ends here, with `status` (0 after the help).
bool ReadCommandLine(int argc, char** argv, Saver& saver, int& status)
{
    SaverOptions& options = saver.Options;
    std::string error;
    status = 2;
    if (!ParseSaverOptions(argc, argv, options, error)) {
        Message(error + " (try -help)");
        return false;
    }
    if (options.Help) {
        std::fputs(SaverUsage().c_str(), stdout);
        status = 0;
        return false;
    }
    std::vector<SettingChange> changes;
    SettingsRoute route = ChooseSettingsRoute(options, std::getenv("XSCREENSAVER_WINDOW"));
    bool named = route == SettingsRoute::NamedFile;
    std::string path =
        named ? options.SettingsPath : DefaultSettingsPath(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
    struct stat info {};
    if (route == SettingsRoute::CommandLineOnly) {
        // Said once per start, and only when the file would have counted.
        if (!path.empty() && stat(path.c_str(), &info) == 0)
            Message("under XScreenSaver its settings window decides; " + Quoted(path) + " is not read");
        path.clear();
    }
    std::vector<std::string> messages;
    bool usable = LoadSettingsFile(path, named, changes, messages);
    for (const std::string& m : messages)
        Message(m);
    if (!usable)
        return false;
    changes.insert(changes.end(), options.Changes.begin(), options.Changes.end());
    ApplySettingChanges(changes, saver.Store);
    std::string replaced = ReplacedValues(saver.Store);
    if (!replaced.empty())
        Message("the saver's load rules replaced: " + replaced);
    return true;
}

// The window to draw on: the daemon's, the root, a named one, or a window of
// our own, described to the window manager.
void ChooseTarget(Saver& saver, int argc, char** argv)
{
    const SaverOptions& options = saver.Options;
    SaverTarget kind = options.Target;
    std::uint32_t id = options.WindowId;
    if (kind == SaverTarget::WindowId)
        saver.TargetTyped = options.WindowIdText;
    // The daemon names its window in XSCREENSAVER_WINDOW and may also pass
    // -root, meaning that window (the virtual root) rather than the real one.
    const char* named = std::getenv("XSCREENSAVER_WINDOW");
    if ((kind == SaverTarget::Default || kind == SaverTarget::Root) && named && *named) {
        if (ParseWindowId(named, id)) {
            kind = SaverTarget::WindowId;
            saver.TargetTyped = named;
        } else {
            Message("XSCREENSAVER_WINDOW is no window id: " + Quoted(named));
        }
    }
    if (kind == SaverTarget::Default)
        kind = SaverTarget::OwnWindow;
    Display* display = saver.Dpy;
    if (kind == SaverTarget::Root) {
        saver.Target = DefaultRootWindow(display);
    } else if (kind == SaverTarget::WindowId) {
        saver.Target = id;
    } else {
        saver.OwnWindow = true;
        int screen = DefaultScreen(display);
        saver.Target = XCreateSimpleWindow(display, RootWindow(display, screen), 0, 0, options.Width, options.Height, 0,
                                           BlackPixel(display, screen), BlackPixel(display, screen));
        DescribeOwnWindow(display, saver.Target, argc, argv);
    }
}

// Starts the picture again from black: the engine keeps what it started
// from, the surface where it stood.
void Erase(Saver& saver)
{
    saver.Figure.EraseBackground(saver.Surface);
    saver.SurfaceAtErase = saver.Surface;
}

// Opens the display and the window and starts the figure. False with a
// message when something is missing; TearDown frees what was made.
bool SetUp(Saver& saver, int argc, char** argv)
{
    if (!CatchSignals()) {
        Message("cannot catch signals");
        return false;
    }
    Display* display = saver.Dpy = XOpenDisplay(nullptr);
    if (!display) {
        const char* name = XDisplayName(nullptr);
        Message(*name ? "cannot open display " + Quoted(name) : "cannot open display: DISPLAY is not set");
        return false;
    }
    InstallXErrorHandler();
    ChooseTarget(saver, argc, argv);
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, saver.Target, &attributes)) {
        Message("no window " + (saver.TargetTyped.empty() ? std::to_string(saver.Target) : Quoted(saver.TargetTyped)));
        return false;
    }
    long events = ExposureMask | StructureNotifyMask;
    saver.DeleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
    if (saver.OwnWindow) {
        events |= KeyPressMask | ButtonPressMask;
        XSetWMProtocols(display, saver.Target, &saver.DeleteWindow, 1);
    }
    XSelectInput(display, saver.Target, events);
    std::string error;
    if (!(saver.PresenterOpen = saver.Presenter.Open(display, saver.Target, attributes.visual, error))) {
        Message(error);
        return false;
    }
    if (saver.OwnWindow)
        XMapRaised(display, saver.Target);

    const SaverOptions& options = saver.Options;
    saver.Width = attributes.width;
    saver.Height = attributes.height;
    saver.Surface.Resize(saver.Width, saver.Height);
    saver.Figure =
        EmulatedWindow(options.HasSeed ? options.Seed : static_cast<std::uint32_t>(std::time(nullptr)), nullptr);
    saver.Figure.Create(saver.Store);
    saver.Figure.Size(static_cast<std::uint32_t>(saver.Width), static_cast<std::uint32_t>(saver.Height));
    Erase(saver);
    saver.Drawing = !options.HasMaxTicks || options.MaxTicks > 0;
    saver.Due = MonotonicNow() + static_cast<Nanoseconds>(saver.Figure.TimerInterval()) * NS_PER_MS;
    return true;
}

void HandleEvent(Saver& saver, const XEvent& event)
{
    switch (event.type) {
    case Expose:
        saver.Presenter.AddExposed({event.xexpose.x, event.xexpose.y, event.xexpose.x + event.xexpose.width,
                                    event.xexpose.y + event.xexpose.height});
        break;
    case ConfigureNotify:
        if (event.xconfigure.window == saver.Target &&
            (event.xconfigure.width != saver.Width || event.xconfigure.height != saver.Height)) {
            saver.Width = event.xconfigure.width;
            saver.Height = event.xconfigure.height;
            saver.Surface.Resize(event.xconfigure.width, event.xconfigure.height);
            saver.Figure.Size(static_cast<std::uint32_t>(saver.Width), static_cast<std::uint32_t>(saver.Height));
            Erase(saver);
        }
        break;
    case DestroyNotify:
        if (event.xdestroywindow.window == saver.Target)
            saver.Quit = saver.WindowGone = true;
        break;
    case KeyPress:
    case ButtonPress: saver.Quit = true; break;
    case ClientMessage:
        if (event.xclient.format == 32 && static_cast<Atom>(event.xclient.data.l[0]) == saver.DeleteWindow)
            saver.Quit = true;
        break;
    default: break;
    }
}

// Draws the exposed areas again: the figure since the last erase, replayed
// into them alone.
void Repaint(Saver& saver)
{
    if (!saver.Presenter.BeginRepaint())
        return;
    SoftwareSurface surface = saver.SurfaceAtErase;
    saver.Figure.Replay(surface);
    saver.Presenter.EndRepaint();
}

// What the timer does at `now`: end a pause that is over, or draw a tick
// that is due.
void Step(Saver& saver, Nanoseconds now)
{
    if (!saver.Drawing)
        return;
    EmulatedWindow& figure = saver.Figure;
    if (saver.PauseEnd >= 0 && now >= saver.PauseEnd) {
        figure.EndPause(saver.Surface);
        saver.SurfaceAtErase = saver.Surface;
        saver.Due = NextDue(saver.PauseEnd, figure.TimerInterval(), now);
        saver.PauseEnd = -1;
    } else if (saver.PauseEnd < 0 && now >= saver.Due) {
        figure.Tick(saver.Surface);
        saver.Ticks++;
        if (figure.PendingPause() != 0)
            saver.PauseEnd = saver.Due + static_cast<Nanoseconds>(figure.PendingPause()) * NS_PER_MS;
        else
            saver.Due = NextDue(saver.Due, figure.TimerInterval(), now);
        saver.Drawing = !saver.Options.HasMaxTicks || saver.Ticks < saver.Options.MaxTicks;
    }
}

// Serves events and the timer until a signal, the window's end, or a key or
// button on our own window.
void Run(Saver& saver)
{
    Display* display = saver.Dpy;
    bool readable = true;  // the connection may have input: read it
    while (!saver.Quit) {
        // Only a readable connection is worth a read; otherwise take what
        // Xlib already holds (no system call).
        while (!saver.Quit && XEventsQueued(display, readable ? QueuedAfterReading : QueuedAlready)) {
            XEvent event;
            XNextEvent(display, &event);
            HandleEvent(saver, event);
        }
        if (saver.Quit)
            break;
        Repaint(saver);
        Step(saver, MonotonicNow());
        saver.Presenter.Flush();
        if (!saver.Drawing && !saver.StopTold) {
            // Once the server holds the last tick's pixels: a test's event.
            XSync(display, False);
            std::printf("orbilux: stopped after %u ticks\n", saver.Ticks);
            std::fflush(stdout);
            saver.StopTold = true;
        }

        Nanoseconds wake = !saver.Drawing ? -1 : saver.PauseEnd >= 0 ? saver.PauseEnd : saver.Due;
        XFlush(display);
        // Events that Xlib read while sending are not on the connection any
        // more: serve them before sleeping.
        readable = false;
        if (XEventsQueued(display, QueuedAlready) > 0)
            continue;
        // Already due (running late): a look at the connection, no sleep.
        readable = PollTimeout(wake, MonotonicNow()) == 0;
        if (readable)
            continue;
        pollfd fds[2] = {{ConnectionNumber(display), POLLIN, 0}, {SignalFd(), POLLIN, 0}};
        if (poll(fds, 2, PollTimeout(wake, MonotonicNow())) > 0) {
            readable = (fds[0].revents & (POLLIN | POLLHUP | POLLERR)) != 0;
            saver.Quit = (fds[1].revents & POLLIN) != 0;
        }
    }
}

// Frees what SetUp made, whatever point it reached.
void TearDown(Saver& saver)
{
    if (saver.PresenterOpen)
        saver.Presenter.Close();
    if (saver.Dpy) {
        if (saver.OwnWindow && !saver.WindowGone)
            XDestroyWindow(saver.Dpy, saver.Target);
        XCloseDisplay(saver.Dpy);
    }
    ReleaseSignals();
}

}  // namespace

int main(int argc, char** argv)
{
    Saver saver;
    int status = 0;
    if (!ReadCommandLine(argc, argv, saver, status))
        return status;
    status = SetUp(saver, argc, argv) ? 0 : 1;
    if (status == 0)
        Run(saver);
    TearDown(saver);
    return status;
}
