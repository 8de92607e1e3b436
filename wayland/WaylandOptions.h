// orbilux-wayland's command line: orbilux's options and settings file, with
// -background instead of the X11 window choices.
#pragma once
#include <cstdint>

#include "settings/MemoryStore.h"

struct WaylandOptions {
    bool Background = false;
    bool HasSeed = false;
    std::uint32_t Seed = 0;
    bool HasMaxTicks = false;
    std::uint32_t MaxTicks = 0;
};

// Reads the command line and the settings file, the settings into `store`.
// False when the run ends here, with `status` (0 after -help, 2 for a bad
// line, 1 for a settings file that cannot be read), the message written.
bool ReadWaylandOptions(int argc, char** argv, WaylandOptions& options, MemoryStore& store, int& status);
