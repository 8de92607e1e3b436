// The X11 saver's command line and settings file.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "settings/MemoryStore.h"

// Its own window's largest side.
const std::uint32_t MAX_WINDOW_SIZE = 16384;

enum class SaverTarget { Default, Root, OwnWindow, WindowId };

// One change to a stored value: set it, or set or clear mask bits in it.
struct SettingChange {
    enum Kind { Set, AddBits, RemoveBits };
    int Index;  // into SETTINGS_TABLE
    Kind Operation;
    std::uint32_t Value;
};

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

// Reads a settings file's text: lines NAME=VALUE, where NAME is a stored
// value's name or a settings option (a flag takes 1 or 0); blank lines and
// lines starting with '#' are skipped. Each bad line adds one message naming
// `fileName` and the line; the good lines still count.
void ParseSettingsText(const std::string& text, const std::string& fileName, std::vector<SettingChange>& changes,
                       std::vector<std::string>& messages);

// Applies the changes in order to `store`; bits go into the stored value, or
// into the default when none is stored.
void ApplySettingChanges(const std::vector<SettingChange>& changes, MemoryStore& store);

// $XDG_CONFIG_HOME/orbilux/settings, or ~/.config/orbilux/settings when that
// is unset or empty; empty when neither variable helps.
std::string DefaultSettingsPath(const char* xdgConfigHome, const char* home);

// A window id: decimal or 0x hex, not 0.
bool ParseWindowId(const char* text, std::uint32_t& id);

// The -help text; the settings part comes from SETTINGS_TABLE.
std::string SaverUsage();
