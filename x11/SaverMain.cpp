// orbilux: the Orbilux figures on an X display, as an XScreenSaver hack. The
// software surface decides the pixels (GDI's), the X server keeps the
// picture, and each tick shows only the rectangle it changed.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

#include "raster/EmulatedWindow.h"
#include "settings/NumberText.h"
#include "x11/SaverOptions.h"
#include "x11/TickClock.h"
#include "x11/XPresenter.h"

namespace {

int SignalPipe[2] = {-1, -1};

void OnSignal(int)
{
    int saved = errno;
    char byte = 1;
    ssize_t written = write(SignalPipe[1], &byte, 1);
    (void)written;
    errno = saved;
}

bool CatchSignals()
{
    if (pipe(SignalPipe) != 0)
        return false;
    for (int fd : SignalPipe) {
        fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
        fcntl(fd, F_SETFD, FD_CLOEXEC);
    }
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    return sigaction(SIGTERM, &action, nullptr) == 0 && sigaction(SIGINT, &action, nullptr) == 0;
}

void Message(const std::string& text)
{
    std::fprintf(stderr, "orbilux: %s\n", text.c_str());
}

// Reads the settings file into `changes`. A missing default file is no
// error; a named file that cannot be read is (returns false).
bool ReadSettingsFile(const std::string& path, bool named, std::vector<SettingChange>& changes)
{
    if (path.empty())
        return true;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    std::string text;
    int failure = file ? 0 : errno;
    if (file) {
        char buffer[4096];
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0 && text.size() < (1u << 20))
            text.append(buffer, n);
        if (std::ferror(file))
            failure = errno ? errno : EIO;
        std::fclose(file);
    }
    if (failure != 0) {
        if (!named && failure == ENOENT)
            return true;
        Message("cannot read settings file " + Quoted(path) + ": " + std::strerror(failure));
        return !named;
    }
    std::vector<std::string> messages;
    ParseSettingsText(text, path, changes, messages);
    for (const std::string& m : messages)
        Message(m);
    return true;
}

// A window as large as X allows would need 4 GiB; say so rather than fail.
bool Allocate(XPresenter& presenter, int width, int height)
{
    if (presenter.Resize(width, height))
        return true;
    Message("no memory for a " + std::to_string(width) + " x " + std::to_string(height) + " picture");
    return false;
}

struct Target {
    Window Id = 0;
    bool Own = false;
    std::string Typed;  // the window id as given, for messages
};

Target ChooseTarget(Display* display, const SaverOptions& options)
{
    Target target;
    SaverTarget kind = options.Target;
    std::uint32_t id = options.WindowId;
    if (kind == SaverTarget::WindowId)
        target.Typed = options.WindowIdText;
    // The daemon names its window in XSCREENSAVER_WINDOW and may also pass
    // -root, meaning that window (the virtual root) rather than the real one.
    const char* named = std::getenv("XSCREENSAVER_WINDOW");
    if ((kind == SaverTarget::Default || kind == SaverTarget::Root) && named && *named) {
        if (ParseWindowId(named, id)) {
            kind = SaverTarget::WindowId;
            target.Typed = named;
        } else {
            Message("XSCREENSAVER_WINDOW is no window id: " + Quoted(named));
        }
    }
    if (kind == SaverTarget::Default)
        kind = SaverTarget::OwnWindow;
    if (kind == SaverTarget::Root) {
        target.Id = DefaultRootWindow(display);
    } else if (kind == SaverTarget::WindowId) {
        target.Id = id;
    } else {
        target.Own = true;
        int screen = DefaultScreen(display);
        target.Id = XCreateSimpleWindow(display, RootWindow(display, screen), 0, 0, options.Width, options.Height, 0,
                                        BlackPixel(display, screen), BlackPixel(display, screen));
        XStoreName(display, target.Id, "Orbilux");
    }
    return target;
}

}  // namespace

int main(int argc, char** argv)
{
    SaverOptions options;
    std::string error;
    if (!ParseSaverOptions(argc, argv, options, error)) {
        Message(error + " (try -help)");
        return 2;
    }
    if (options.Help) {
        std::fputs(SaverUsage().c_str(), stdout);
        return 0;
    }

    std::vector<SettingChange> changes;
    bool named = !options.SettingsPath.empty();
    std::string path = named ? options.SettingsPath
                             : DefaultSettingsPath(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
    if (!ReadSettingsFile(path, named, changes))
        return 2;
    changes.insert(changes.end(), options.Changes.begin(), options.Changes.end());
    MemoryStore store;
    ApplySettingChanges(changes, store);

    if (!CatchSignals()) {
        Message("cannot catch signals");
        return 1;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        const char* name = XDisplayName(nullptr);
        Message(*name ? "cannot open display " + Quoted(name) : "cannot open display: DISPLAY is not set");
        return 1;
    }
    InstallXErrorHandler();

    Target target = ChooseTarget(display, options);
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, target.Id, &attributes)) {
        Message("no window " + (target.Typed.empty() ? std::to_string(target.Id) : Quoted(target.Typed)));
        XCloseDisplay(display);
        return 1;
    }
    long events = ExposureMask | StructureNotifyMask;
    Atom deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
    if (target.Own) {
        events |= KeyPressMask | ButtonPressMask;
        XSetWMProtocols(display, target.Id, &deleteWindow, 1);
    }
    XSelectInput(display, target.Id, events);
    XPresenter presenter;
    if (!presenter.Open(display, target.Id, attributes.visual, attributes.depth, error)) {
        Message(error);
        if (target.Own)
            XDestroyWindow(display, target.Id);
        XCloseDisplay(display);
        return 1;
    }
    if (target.Own)
        XMapRaised(display, target.Id);

    int width = attributes.width, height = attributes.height;
    if (!Allocate(presenter, width, height)) {
        presenter.Close();
        if (target.Own)
            XDestroyWindow(display, target.Id);
        XCloseDisplay(display);
        return 1;
    }
    SoftwareSurface surface(presenter, width, height);
    EmulatedWindow window(options.HasSeed ? options.Seed : static_cast<std::uint32_t>(std::time(nullptr)), nullptr);
    window.Create(store);
    window.Size(static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height));
    window.EraseBackground(surface);

    std::uint32_t ticks = 0;
    bool drawing = !options.HasMaxTicks || options.MaxTicks > 0;
    Nanoseconds now = MonotonicNow();
    Nanoseconds due = now + static_cast<Nanoseconds>(window.TimerInterval()) * NS_PER_MS;
    Nanoseconds pauseEnd = -1;
    bool quit = false, gone = false;
    bool readable = true;  // the connection may have input: read it

    while (!quit) {
        // Only a readable connection is worth a read; otherwise take what
        // Xlib already holds (no system call).
        while (!quit && XEventsQueued(display, readable ? QueuedAfterReading : QueuedAlready)) {
            XEvent event;
            XNextEvent(display, &event);
            switch (event.type) {
            case Expose:
                presenter.Add({event.xexpose.x, event.xexpose.y, event.xexpose.x + event.xexpose.width,
                               event.xexpose.y + event.xexpose.height});
                break;
            case ConfigureNotify:
                if (event.xconfigure.window == target.Id &&
                    (event.xconfigure.width != width || event.xconfigure.height != height)) {
                    width = event.xconfigure.width;
                    height = event.xconfigure.height;
                    if (!Allocate(presenter, width, height)) {
                        quit = true;
                        break;
                    }
                    surface.Resize(width, height);
                    window.Size(static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height));
                    window.EraseBackground(surface);
                }
                break;
            case DestroyNotify:
                if (event.xdestroywindow.window == target.Id)
                    quit = gone = true;
                break;
            case KeyPress:
            case ButtonPress:
                quit = true;
                break;
            case ClientMessage:
                if (event.xclient.format == 32 && static_cast<Atom>(event.xclient.data.l[0]) == deleteWindow)
                    quit = true;
                break;
            default:
                break;
            }
        }
        if (quit)
            break;

        now = MonotonicNow();
        if (drawing && pauseEnd >= 0 && now >= pauseEnd) {
            window.EndPause(surface);
            due = NextDue(pauseEnd, window.TimerInterval(), now);
            pauseEnd = -1;
        } else if (drawing && pauseEnd < 0 && now >= due) {
            window.Tick(surface);
            ticks++;
            if (window.PendingPause() != 0)
                pauseEnd = due + static_cast<Nanoseconds>(window.PendingPause()) * NS_PER_MS;
            else
                due = NextDue(due, window.TimerInterval(), now);
            drawing = !options.HasMaxTicks || ticks < options.MaxTicks;
        }
        presenter.Show();

        Nanoseconds wake = !drawing ? -1 : pauseEnd >= 0 ? pauseEnd : due;
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
        pollfd fds[2] = {{ConnectionNumber(display), POLLIN, 0}, {SignalPipe[0], POLLIN, 0}};
        if (poll(fds, 2, PollTimeout(wake, MonotonicNow())) > 0) {
            readable = (fds[0].revents & (POLLIN | POLLHUP | POLLERR)) != 0;
            quit = (fds[1].revents & POLLIN) != 0;
        }
    }

    presenter.Close();
    if (target.Own && !gone)
        XDestroyWindow(display, target.Id);
    XCloseDisplay(display);
    close(SignalPipe[0]);
    close(SignalPipe[1]);
    return 0;
}
