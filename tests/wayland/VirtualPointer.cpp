// A pointer device for the tests, through the compositor's virtual pointer
// protocol: "move DX DY" moves it by that much, "button" clicks the left
// button. Exits 0 once the compositor has taken the input, 1 when it cannot.
#include <wayland-client.h>

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

int Usage()
{
    std::fputs("usage: virtual-pointer move DX DY | button\n", stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    bool move = argc == 4 && std::strcmp(argv[1], "move") == 0;
    bool button = argc == 2 && std::strcmp(argv[1], "button") == 0;
    if (!move && !button)
        return Usage();
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
    if (move) {
        zwlr_virtual_pointer_v1_motion(pointer, 0, wl_fixed_from_int(std::atoi(argv[2])),
                                       wl_fixed_from_int(std::atoi(argv[3])));
    } else {
        const std::uint32_t left = 0x110;
        zwlr_virtual_pointer_v1_button(pointer, 0, left, WL_POINTER_BUTTON_STATE_PRESSED);
        zwlr_virtual_pointer_v1_frame(pointer);
        zwlr_virtual_pointer_v1_button(pointer, 1, left, WL_POINTER_BUTTON_STATE_RELEASED);
    }
    zwlr_virtual_pointer_v1_frame(pointer);
    int status = wl_display_roundtrip(display) < 0 ? 1 : 0;
    zwlr_virtual_pointer_v1_destroy(pointer);
    wl_display_roundtrip(display);
    wl_display_disconnect(display);
    return status;
}
