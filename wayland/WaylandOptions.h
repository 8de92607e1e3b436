// orbilux-wayland's command line: orbilux's options and settings (the same
// scanner and settings' options), with -background instead of the X11
// window choices.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "settings/SettingOptions.h"

struct WaylandOptions {
    bool Background = false;
    bool HasSeed = false;
    std::uint32_t Seed = 0;
    bool HasMaxTicks = false;
    std::uint32_t MaxTicks = 0;
    std::string SettingsPath;            // empty: the default file, if there is one
    std::vector<SettingChange> Changes;  // in command-line order
    bool Help = false;
};

// Parses argv[1..argc-1]; options take one or two dashes, and their value
// as the next argument or after '='. On failure returns false with a
// one-line message.
bool ParseWaylandOptions(int argc, const char* const* argv, WaylandOptions& options, std::string& error);

// The -help text; the settings part comes from SETTINGS_TABLE.
std::string WaylandUsage();
