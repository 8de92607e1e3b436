// orbilux-wayland: the Orbilux figures on every output of a Wayland
// compositor that has a layer shell, each output with a figure of its own, as
// a saver that an idle daemon starts (or, with -background, as the picture
// under everything). One process draws every output: the engine's records
// are swapped per figure (FigureSlot), which costs a copy of a few kilobytes
// instead of a process, a connection and a program image per output.
#include <poll.h>
#include <unistd.h>
#include <wayland-client.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "fractional-scale-v1-client-protocol.h"
#include "posix/SettingsFile.h"
#include "posix/SignalPipe.h"
#include "viewporter-client-protocol.h"
#include "wayland/Client.h"
#include "wayland/OutputView.h"
#include "wayland/WaylandOptions.h"
#include "wayland/LayerShell.h"

namespace {

// Input: a key, a button or pointer travel ends the saver by the shared
// rules; nothing ends the background.
void OnKeymap(void*, wl_keyboard*, std::uint32_t, int fd, std::uint32_t)
{
    close(fd);
}
void OnKeyboardEnter(void*, wl_keyboard*, std::uint32_t, wl_surface*, wl_array*) {}
void OnKeyboardLeave(void*, wl_keyboard*, std::uint32_t, wl_surface*) {}
void OnKey(void* data, wl_keyboard*, std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t state)
{
    Client& client = *static_cast<Client*>(data);
    if (state == WL_KEYBOARD_KEY_STATE_PRESSED && InputAsksToClose(MSG_KEYDOWN, 0))
        client.Quit = true;
}
void OnModifiers(void*, wl_keyboard*, std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t) {}
void OnRepeatInfo(void*, wl_keyboard*, std::int32_t, std::int32_t) {}

void OnPointerEnter(void* data, wl_pointer* pointer, std::uint32_t serial, wl_surface* surface, wl_fixed_t x,
                    wl_fixed_t y)
{
    Client& client = *static_cast<Client*>(data);
    wl_pointer_set_cursor(pointer, serial, nullptr, 0, 0);
    if (client.Travel.Enter(surface, wl_fixed_to_int(x), wl_fixed_to_int(y)))
        client.Quit = true;
}
void OnPointerLeave(void* data, wl_pointer*, std::uint32_t, wl_surface*)
{
    static_cast<Client*>(data)->Travel.Leave();
}
void OnPointerMotion(void* data, wl_pointer*, std::uint32_t, wl_fixed_t x, wl_fixed_t y)
{
    Client& client = *static_cast<Client*>(data);
    if (client.Travel.Motion(wl_fixed_to_int(x), wl_fixed_to_int(y)))
        client.Quit = true;
}
void OnPointerButton(void* data, wl_pointer*, std::uint32_t, std::uint32_t, std::uint32_t button, std::uint32_t state)
{
    Client& client = *static_cast<Client*>(data);
    if (state == WL_POINTER_BUTTON_STATE_PRESSED && InputAsksToClose(ButtonMessage(button), 0))
        client.Quit = true;
}
void OnAxis(void*, wl_pointer*, std::uint32_t, std::uint32_t, wl_fixed_t) {}
void OnPointerFrame(void*, wl_pointer*) {}
void OnAxisSource(void*, wl_pointer*, std::uint32_t) {}
void OnAxisStop(void*, wl_pointer*, std::uint32_t, std::uint32_t) {}
void OnAxisDiscrete(void*, wl_pointer*, std::uint32_t, std::int32_t) {}

void OnCapabilities(void* data, wl_seat* seat, std::uint32_t capabilities)
{
    Client& client = *static_cast<Client*>(data);
    bool pointer = (capabilities & WL_SEAT_CAPABILITY_POINTER) != 0;
    bool keyboard = (capabilities & WL_SEAT_CAPABILITY_KEYBOARD) != 0;
    if (pointer && !client.Pointer) {
        static const wl_pointer_listener listener = {OnPointerEnter, OnPointerLeave, OnPointerMotion, OnPointerButton,
                                                     OnAxis,         OnPointerFrame, OnAxisSource,    OnAxisStop,
                                                     OnAxisDiscrete, nullptr};
        client.Pointer = wl_seat_get_pointer(seat);
        wl_pointer_add_listener(client.Pointer, &listener, &client);
    } else if (!pointer && client.Pointer) {
        wl_pointer_destroy(client.Pointer), client.Pointer = nullptr;
    }
    if (keyboard && !client.Keyboard) {
        static const wl_keyboard_listener listener = {OnKeymap, OnKeyboardEnter, OnKeyboardLeave,
                                                      OnKey,    OnModifiers,     OnRepeatInfo};
        client.Keyboard = wl_seat_get_keyboard(seat);
        wl_keyboard_add_listener(client.Keyboard, &listener, &client);
    } else if (!keyboard && client.Keyboard) {
        wl_keyboard_destroy(client.Keyboard), client.Keyboard = nullptr;
    }
}
void OnSeatName(void*, wl_seat*, const char*) {}

void AddOutput(Client& client, std::uint32_t name, std::uint32_t version)
{
    auto* output = static_cast<wl_output*>(
        wl_registry_bind(client.Registry, name, &wl_output_interface, version < 3 ? version : 3));
    OutputList<OutputView>::Entry* entry = client.Outputs.Add(name, nullptr);
    if (!entry) {
        wl_output_destroy(output);
        return;
    }
    entry->Held.reset(new OutputView(client, output, entry->Seed));
    if (client.Started)
        entry->Held->Start();
}

void OnGlobal(void* data, wl_registry* registry, std::uint32_t name, const char* interface, std::uint32_t version)
{
    Client& client = *static_cast<Client*>(data);
    auto bind = [&](const wl_interface* kind, std::uint32_t highest) {
        return wl_registry_bind(registry, name, kind, version < highest ? version : highest);
    };
    if (std::strcmp(interface, wl_compositor_interface.name) == 0 && !client.Compositor) {
        client.Compositor = static_cast<wl_compositor*>(bind(&wl_compositor_interface, 4));
    } else if (std::strcmp(interface, wl_shm_interface.name) == 0 && !client.Shm) {
        client.Shm = static_cast<wl_shm*>(bind(&wl_shm_interface, 1));
    } else if (std::strcmp(interface, zwlr_layer_shell_v1_interface.name) == 0 && !client.LayerShell) {
        client.LayerShell = static_cast<zwlr_layer_shell_v1*>(bind(&zwlr_layer_shell_v1_interface, 3));
    } else if (std::strcmp(interface, wp_viewporter_interface.name) == 0 && !client.Viewporter) {
        client.Viewporter = static_cast<wp_viewporter*>(bind(&wp_viewporter_interface, 1));
    } else if (std::strcmp(interface, wp_fractional_scale_manager_v1_interface.name) == 0 && !client.FractionalScale) {
        client.FractionalScale =
            static_cast<wp_fractional_scale_manager_v1*>(bind(&wp_fractional_scale_manager_v1_interface, 1));
    } else if (std::strcmp(interface, wl_seat_interface.name) == 0 && !client.Seat && !client.Background) {
        // Version 5 at most: each of its pointer events has a handler.
        static const wl_seat_listener listener = {OnCapabilities, OnSeatName};
        client.Seat = static_cast<wl_seat*>(bind(&wl_seat_interface, 5));
        wl_seat_add_listener(client.Seat, &listener, &client);
    } else if (std::strcmp(interface, wl_output_interface.name) == 0) {
        AddOutput(client, name, version);
    }
}

void OnGlobalRemove(void* data, wl_registry*, std::uint32_t name)
{
    // An output gone takes its surface and figure with it.
    static_cast<Client*>(data)->Outputs.Remove(name);
}

// The loop: events, then each output's due drawing, then a sleep until the
// next event, signal or due time.
int Run(Client& client)
{
    wl_display* display = client.Display;
    while (!client.Quit) {
        while (wl_display_prepare_read(display) != 0)
            if (wl_display_dispatch_pending(display) < 0)
                return -1;
        Nanoseconds now = MonotonicNow();
        Nanoseconds wake = -1;
        for (auto& entry : client.Outputs.All()) {
            entry.Held->Service(now);
            Nanoseconds at = entry.Held->Wake();
            if (at >= 0 && (wake < 0 || at < wake))
                wake = at;
        }
        if (wl_display_flush(display) < 0 && errno != EAGAIN) {
            wl_display_cancel_read(display);
            return -1;
        }
        pollfd fds[2] = {{wl_display_get_fd(display), POLLIN, 0}, {SignalFd(), POLLIN, 0}};
        int ready = client.Quit ? 0 : poll(fds, 2, PollTimeout(wake, MonotonicNow()));
        if (ready > 0 && (fds[0].revents & (POLLIN | POLLHUP | POLLERR))) {
            if (wl_display_read_events(display) < 0)
                return -1;
        } else {
            wl_display_cancel_read(display);
        }
        if (ready > 0 && (fds[1].revents & POLLIN))
            client.Quit = true;
        if (wl_display_dispatch_pending(display) < 0)
            return -1;
    }
    return 0;
}

void TearDown(Client& client)
{
    while (!client.Outputs.All().empty())
        client.Outputs.Remove(client.Outputs.All().back().Name);
    if (client.Pointer)
        wl_pointer_destroy(client.Pointer);
    if (client.Keyboard)
        wl_keyboard_destroy(client.Keyboard);
    if (client.Seat)
        wl_seat_destroy(client.Seat);
    if (client.FractionalScale)
        wp_fractional_scale_manager_v1_destroy(client.FractionalScale);
    if (client.Viewporter)
        wp_viewporter_destroy(client.Viewporter);
    if (client.LayerShell)
        zwlr_layer_shell_v1_destroy(client.LayerShell);
    if (client.Shm)
        wl_shm_destroy(client.Shm);
    if (client.Compositor)
        wl_compositor_destroy(client.Compositor);
    if (client.Registry)
        wl_registry_destroy(client.Registry);
    if (client.Display) {
        wl_display_flush(client.Display);
        wl_display_disconnect(client.Display);
    }
}

// Connects, lists the globals and puts a surface on every output. False
// with a message when the compositor cannot show a saver.
bool SetUp(Client& client)
{
    if (!CatchSignals()) {
        Message("cannot catch signals");
        return false;
    }
    client.Display = wl_display_connect(nullptr);
    if (!client.Display) {
        const char* name = std::getenv("WAYLAND_DISPLAY");
        Message(name && *name ? "cannot connect to the Wayland display '" + std::string(name) + "'"
                              : "cannot connect to a Wayland display (WAYLAND_DISPLAY is not set)");
        return false;
    }
    static const wl_registry_listener listener = {OnGlobal, OnGlobalRemove};
    client.Registry = wl_display_get_registry(client.Display);
    wl_registry_add_listener(client.Registry, &listener, &client);
    if (wl_display_roundtrip(client.Display) < 0) {
        Message("the Wayland display closed the connection");
        return false;
    }
    if (!client.LayerShell) {
        Message("this compositor has no layer shell (zwlr_layer_shell_v1): nothing can be shown on it");
        return false;
    }
    if (!client.Compositor || !client.Shm) {
        Message("this compositor lacks wl_compositor or wl_shm");
        return false;
    }
    // The pixel formats and the outputs' scales.
    if (wl_display_roundtrip(client.Display) < 0) {
        Message("the Wayland display closed the connection");
        return false;
    }
    client.Started = true;
    for (auto& entry : client.Outputs.All())
        entry.Held->Start();
    return true;
}

// Reads the command line and the settings file into `client`. False when
// the run ends here, with `status` (0 after the help).
bool ReadCommandLine(int argc, char** argv, Client& client, WaylandOptions& options, int& status)
{
    std::string error;
    status = 2;
    if (!ParseWaylandOptions(argc, argv, options, error)) {
        Message(error + " (try -help)");
        return false;
    }
    if (options.Help) {
        std::fputs(WaylandUsage().c_str(), stdout);
        status = 0;
        return false;
    }
    bool named = !options.SettingsPath.empty();
    std::string path =
        named ? options.SettingsPath : DefaultSettingsPath(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
    std::vector<std::string> messages;
    bool usable = LoadSaverSettings(options, path, named, client.Store, messages);
    for (const std::string& m : messages)
        Message(m);
    return usable;
}

}  // namespace

void Message(const std::string& text)
{
    std::fprintf(stderr, "orbilux-wayland: %s\n", text.c_str());
}

int main(int argc, char** argv)
{
    Client client;
    WaylandOptions options;
    int status = 0;
    if (!ReadCommandLine(argc, argv, client, options, status))
        return status;
    client.Background = options.Background;
    client.HasMaxTicks = options.HasMaxTicks;
    client.MaxTicks = options.MaxTicks;
    client.Outputs =
        OutputList<OutputView>(options.HasSeed ? options.Seed : static_cast<std::uint32_t>(std::time(nullptr)));
    status = SetUp(client) ? 0 : 1;
    if (status == 0 && Run(client) < 0) {
        Message(std::string("the connection to the compositor failed: ") + std::strerror(errno));
        status = 1;
    }
    TearDown(client);
    ReleaseSignals();
    return status;
}
