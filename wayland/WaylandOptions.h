// orbilux-wayland's command line: orbilux's options and settings (the same
// scanner and settings' options), with -background instead of the X11
// window choices.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "posix/SaverCommandLine.h"

struct WaylandOptions : SaverBasics {
    bool Background = false;
};

// Parses argv[1..argc-1]; options take one or two dashes, and their value
// as the next argument or after '='. On failure returns false with a
// one-line message.
bool ParseWaylandOptions(int argc, const char* const* argv, WaylandOptions& options, std::string& error);

// The -help text; the settings part comes from SETTINGS_TABLE.
std::string WaylandUsage();
