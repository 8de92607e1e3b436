// The floor for orbilux-wayland's benchmark: the least a layer-shell saver
// can do on one output. A black picture in the fewest buffers the compositor
// allows (the saver's own buffer pair), and one point drawn every 20 ms with
// just that point damaged, paced by frame callbacks. SIGTERM ends it.
#include <poll.h>
#include <wayland-client.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "posix/SignalPipe.h"
#include "posix/TickClock.h"
#include "wayland/LayerShell.h"
#include "wayland/ShmBuffers.h"

namespace {

const std::uint32_t INTERVAL_MS = 20;

struct Floor {
    wl_compositor* Compositor = nullptr;
    wl_shm* Shm = nullptr;
    zwlr_layer_shell_v1* LayerShell = nullptr;
    wl_output* Output = nullptr;
    wl_surface* Surface = nullptr;
    ShmBuffers Buffers;
    wl_callback* Frame = nullptr;
    std::vector<Box> Boxes;  // what the next frame changes: the point alone
    std::uint32_t Points = 0;
};

void OnGlobal(void* data, wl_registry* registry, std::uint32_t name, const char* interface, std::uint32_t)
{
    Floor& floor = *static_cast<Floor*>(data);
    if (std::strcmp(interface, wl_compositor_interface.name) == 0)
        floor.Compositor = static_cast<wl_compositor*>(wl_registry_bind(registry, name, &wl_compositor_interface, 4));
    else if (std::strcmp(interface, wl_shm_interface.name) == 0)
        floor.Shm = static_cast<wl_shm*>(wl_registry_bind(registry, name, &wl_shm_interface, 1));
    else if (std::strcmp(interface, zwlr_layer_shell_v1_interface.name) == 0)
        floor.LayerShell =
            static_cast<zwlr_layer_shell_v1*>(wl_registry_bind(registry, name, &zwlr_layer_shell_v1_interface, 1));
    else if (std::strcmp(interface, wl_output_interface.name) == 0 && !floor.Output)
        floor.Output = static_cast<wl_output*>(wl_registry_bind(registry, name, &wl_output_interface, 1));
}

void OnGlobalRemove(void*, wl_registry*, std::uint32_t) {}

void OnFrameDone(void* data, wl_callback* callback, std::uint32_t)
{
    wl_callback_destroy(callback);
    static_cast<Floor*>(data)->Frame = nullptr;
}

void Present(Floor& floor)
{
    static const wl_callback_listener listener = {OnFrameDone};
    static const std::vector<PixelWrite> none;
    wl_surface_attach(floor.Surface, floor.Buffers.Present(floor.Boxes, none, floor.Boxes, true), 0, 0);
    for (const Box& b : floor.Boxes)
        wl_surface_damage_buffer(floor.Surface, b.Left, b.Top, b.Right - b.Left, b.Bottom - b.Top);
    floor.Frame = wl_surface_frame(floor.Surface);
    wl_callback_add_listener(floor.Frame, &listener, &floor);
    wl_surface_commit(floor.Surface);
    floor.Boxes.clear();
}

void OnConfigure(void* data, zwlr_layer_surface_v1* layer, std::uint32_t serial, std::uint32_t width,
                 std::uint32_t height)
{
    Floor& floor = *static_cast<Floor*>(data);
    zwlr_layer_surface_v1_ack_configure(layer, serial);
    std::int32_t w = static_cast<std::int32_t>(width), h = static_cast<std::int32_t>(height);
    if (w > 0 && h > 0 && (w != floor.Buffers.Width() || h != floor.Buffers.Height()) &&
        floor.Buffers.Allocate(floor.Shm, WL_SHM_FORMAT_XRGB8888, w, h)) {
        // New buffers are black already: the first frame shows them whole.
        floor.Buffers.PrepareBack();
        floor.Boxes.assign(1, Box{0, 0, w, h});
        Present(floor);
    } else {
        wl_surface_commit(floor.Surface);
    }
}

void OnClosed(void*, zwlr_layer_surface_v1*) {}

// One point, each on the next pixel of a row of the picture.
void DrawPoint(Floor& floor)
{
    std::int32_t x = static_cast<std::int32_t>(floor.Points % static_cast<std::uint32_t>(floor.Buffers.Width()));
    std::int32_t y = floor.Buffers.Height() / 2;
    floor.Buffers.BackPixels()[static_cast<std::size_t>(y) * floor.Buffers.Width() + x] = 0xFFFFFFu;
    floor.Boxes.assign(1, Box{x, y, x + 1, y + 1});
    floor.Points++;
}

}  // namespace

int main()
{
    Floor floor;
    wl_display* display = wl_display_connect(nullptr);
    if (!display || !CatchSignals()) {
        std::fputs("floor-client: no Wayland display\n", stderr);
        return 1;
    }
    static const wl_registry_listener registryListener = {OnGlobal, OnGlobalRemove};
    wl_registry_add_listener(wl_display_get_registry(display), &registryListener, &floor);
    wl_display_roundtrip(display);
    if (!floor.Compositor || !floor.Shm || !floor.LayerShell || !floor.Output) {
        std::fputs("floor-client: the compositor lacks a global it needs\n", stderr);
        return 1;
    }
    floor.Surface = wl_compositor_create_surface(floor.Compositor);
    zwlr_layer_surface_v1* layer = zwlr_layer_shell_v1_get_layer_surface(
        floor.LayerShell, floor.Surface, floor.Output, ZWLR_LAYER_SHELL_V1_LAYER_OVERLAY, "orbilux-floor");
    static const zwlr_layer_surface_v1_listener layerListener = {OnConfigure, OnClosed};
    zwlr_layer_surface_v1_add_listener(layer, &layerListener, &floor);
    zwlr_layer_surface_v1_set_anchor(layer,
                                     ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP | ZWLR_LAYER_SURFACE_V1_ANCHOR_BOTTOM |
                                         ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT | ZWLR_LAYER_SURFACE_V1_ANCHOR_RIGHT);
    zwlr_layer_surface_v1_set_exclusive_zone(layer, -1);
    zwlr_layer_surface_v1_set_keyboard_interactivity(layer, 1);
    wl_surface_commit(floor.Surface);

    Nanoseconds due = MonotonicNow() + INTERVAL_MS * NS_PER_MS;
    for (;;) {
        while (wl_display_prepare_read(display) != 0)
            wl_display_dispatch_pending(display);
        Nanoseconds now = MonotonicNow();
        bool ready = !floor.Frame && floor.Buffers.Allocated() && floor.Buffers.CanPrepare();
        if (ready && now >= due && floor.Buffers.PrepareBack()) {
            DrawPoint(floor);
            Present(floor);
            due = NextDue(due, INTERVAL_MS, now);
            ready = false;
        }
        wl_display_flush(display);
        pollfd fds[2] = {{wl_display_get_fd(display), POLLIN, 0}, {SignalFd(), POLLIN, 0}};
        int n = poll(fds, 2, ready ? PollTimeout(due, MonotonicNow()) : -1);
        if (n > 0 && (fds[0].revents & (POLLIN | POLLHUP | POLLERR)))
            wl_display_read_events(display);
        else
            wl_display_cancel_read(display);
        if (n > 0 && (fds[1].revents & POLLIN))
            break;
        if (wl_display_dispatch_pending(display) < 0)
            return 1;
    }
    zwlr_layer_surface_v1_destroy(layer);
    wl_surface_destroy(floor.Surface);
    floor.Buffers.Free();
    wl_display_disconnect(display);
    return 0;
}
