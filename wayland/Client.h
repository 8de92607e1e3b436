// What the whole client shares: the connection's globals, the choices made
// at start, and the outputs with their figures.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "settings/MemoryStore.h"
#include "wayland/InputRules.h"
#include "wayland/Message.h"
#include "wayland/OutputList.h"

struct wl_display;
struct wl_registry;
struct wl_compositor;
struct wl_shm;
struct wl_seat;
struct wl_pointer;
struct wl_keyboard;
struct zwlr_layer_shell_v1;
struct wp_viewporter;
struct wp_fractional_scale_manager_v1;

class OutputView;

struct Client {
    // Chosen at start.
    bool Background = false;  // the BACKGROUND layer, input does not end it
    bool HasMaxTicks = false;
    std::uint32_t MaxTicks = 0;
    MemoryStore Store;

    wl_display* Display = nullptr;
    wl_registry* Registry = nullptr;
    wl_compositor* Compositor = nullptr;
    std::uint32_t CompositorVersion = 0;
    wl_shm* Shm = nullptr;
    zwlr_layer_shell_v1* LayerShell = nullptr;
    wp_viewporter* Viewporter = nullptr;
    wp_fractional_scale_manager_v1* FractionalScale = nullptr;
    wl_seat* Seat = nullptr;
    wl_pointer* Pointer = nullptr;
    wl_keyboard* Keyboard = nullptr;
    PointerTravel Travel;

    // Outputs, in the order announced; surfaces are made once the first
    // round trip has listed the globals, and at once for later outputs.
    OutputList<OutputView> Outputs{0};
    bool Started = false;
    bool Quit = false;
    std::string Failure;  // set when the connection failed: exit 1
};
