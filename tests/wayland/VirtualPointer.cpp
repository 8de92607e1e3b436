// A pointer device for the tests, through the compositor's virtual pointer
// protocol. It stays in the seat while it runs, so that clients started
// meanwhile have a pointer from the start, and takes commands on standard
// input, one a line: "move DX DY" moves it by that much, "button" clicks the
// left button. It answers each line with "ok" once the compositor has taken
// the input ("ready" first, once the device is there), and exits 1 when it
// cannot, 0 at the end of its input.
#include <wayland-client.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"

namespace {

zwlr_virtual_pointer_manager_v1* Manager = nullptr;
wl_seat* Seat = nullptr;

void OnGlobal(void*, wl_registry* registry, std::uint32_t name, const char* interface, std::uint32_t)
{
    if (std::strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0)
        Manager = static_cast<zwlr_virtual_pointer_manager_v1*>(
            wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1));
    else if (std::strcmp(interface, wl_seat_interface.name) == 0 && !Seat)
        Seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
}

void OnGlobalRemove(void*, wl_registry*, std::uint32_t) {}

}  // namespace

int main()
{
    wl_display* display = wl_display_connect(nullptr);
    if (!display) {
        std::fputs("virtual-pointer: no Wayland display\n", stderr);
        return 1;
    }
    static const wl_registry_listener listener = {OnGlobal, OnGlobalRemove};
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &listener, nullptr);
    wl_display_roundtrip(display);
    if (!Manager) {
        std::fputs("virtual-pointer: the compositor has no virtual pointer\n", stderr);
        return 1;
    }
    zwlr_virtual_pointer_v1* pointer = zwlr_virtual_pointer_manager_v1_create_virtual_pointer(Manager, Seat);
    if (wl_display_roundtrip(display) < 0)
        return 1;
    std::puts("ready");
    std::fflush(stdout);
    char line[256];
    std::uint32_t time = 0;
    while (std::fgets(line, sizeof line, stdin)) {
        int dx = 0, dy = 0;
        const std::uint32_t left = 0x110;
        if (std::sscanf(line, "move %d %d", &dx, &dy) == 2) {
            zwlr_virtual_pointer_v1_motion(pointer, ++time, wl_fixed_from_int(dx), wl_fixed_from_int(dy));
        } else if (std::strcmp(line, "button\n") == 0) {
            zwlr_virtual_pointer_v1_button(pointer, ++time, left, WL_POINTER_BUTTON_STATE_PRESSED);
            zwlr_virtual_pointer_v1_frame(pointer);
            zwlr_virtual_pointer_v1_button(pointer, ++time, left, WL_POINTER_BUTTON_STATE_RELEASED);
        } else {
            std::fprintf(stderr, "virtual-pointer: expected 'move DX DY' or 'button', got %s", line);
            return 2;
        }
        zwlr_virtual_pointer_v1_frame(pointer);
        if (wl_display_roundtrip(display) < 0)
            return 1;
        std::puts("ok");
        std::fflush(stdout);
    }
    zwlr_virtual_pointer_v1_destroy(pointer);
    zwlr_virtual_pointer_manager_v1_destroy(Manager);
    if (Seat)
        wl_seat_destroy(Seat);
    wl_registry_destroy(registry);
    wl_display_roundtrip(display);
    wl_display_disconnect(display);
    return 0;
}
