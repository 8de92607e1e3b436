// The X11 saver's command line.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "settings/SettingOptions.h"

// Its own window's largest side.
const std::uint32_t MAX_WINDOW_SIZE = 16384;

enum class SaverTarget { Default, Root, OwnWindow, WindowId };

struct SaverOptions {
    SaverTarget Target = SaverTarget::Default;
    std::uint32_t WindowId = 0;
    std::string WindowIdText;    // as typed, for messages
    std::uint32_t Width = 1024;  // own window's size
    std::uint32_t Height = 768;
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
bool ParseSaverOptions(int argc, const char* const* argv, SaverOptions& options, std::string& error);

// Where the settings come from besides the command line. Under XScreenSaver
// (XSCREENSAVER_WINDOW set) its settings window writes the whole command
// line and shows it, so the default settings file is not read there; a file
// named with -settings always is.
enum class SettingsRoute { NamedFile, DefaultFile, CommandLineOnly };
SettingsRoute ChooseSettingsRoute(const SaverOptions& options, const char* xscreensaverWindow);

// A window id: decimal or 0x hex, not 0.
bool ParseWindowId(const char* text, std::uint32_t& id);

// The -help text; the settings part comes from SETTINGS_TABLE.
std::string SaverUsage();
