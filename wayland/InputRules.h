// Wayland input in the terms of the saver's close rules (hostrules/), which
// the Windows saver and the page share: which messages a key and a pointer
// button are, and where the pointer's travel counts from.
#pragma once
#include <cstdint>

#include "hostrules/CloseRules.h"

// evdev's codes for the three buttons Windows names.
const std::uint32_t EVDEV_BUTTON_LEFT = 0x110;
const std::uint32_t EVDEV_BUTTON_RIGHT = 0x111;
const std::uint32_t EVDEV_BUTTON_MIDDLE = 0x112;

// A pressed button as the window message it is on Windows; any other button
// counts as the left one.
std::uint32_t ButtonMessage(std::uint32_t evdevButton);

// The pointer on the saver's surfaces. Travel counts from where it first
// entered one (the compositor sends that enter at once when the surface maps
// under the pointer), in that surface's coordinates; reaching another
// surface (another output) is travel by itself.
class PointerTravel {
public:
    // An enter at (x, y) on `surface` (any id that tells surfaces apart).
    // True when it ends the saver.
    bool Enter(const void* surface, std::int32_t x, std::int32_t y);
    // A move to (x, y) on the surface it is on. True when it ends the saver.
    bool Motion(std::int32_t x, std::int32_t y);
    // It left the surface: moves are not counted until it enters one again.
    void Leave() { On = nullptr; }

private:
    const void* Reference = nullptr;  // the first surface entered
    ScreenPoint Start{0, 0};
    const void* On = nullptr;
};
