// What both Linux savers take on their command line besides their own
// options (help, a seed, a tick limit, a settings file and the settings),
// the help text's settings part, and the settings they then run with.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "settings/ArgScanner.h"
#include "settings/MemoryStore.h"
#include "settings/SettingOptions.h"

struct SaverBasics {
    bool HasSeed = false;
    std::uint32_t Seed = 0;
    bool HasMaxTicks = false;
    std::uint32_t MaxTicks = 0;
    std::string SettingsPath;            // empty: the default file, if there is one
    std::vector<SettingChange> Changes;  // in command-line order
    bool Help = false;
};

// A host's own option from its table; false with a message when refused.
typedef std::function<bool(const ScannedOption& option, std::string& error)> OwnOption;

// Scans argv[1..argc-1] with the host's table, whose rows named help, h,
// seed, max-ticks and settings fill `basics`; the settings' options go to
// basics.Changes, every other row to `own`. False with a one-line message.
bool ScanSaverOptions(int argc, const char* const* argv, const OptionSpec* specs, std::size_t specCount,
                      SaverBasics& basics, const OwnOption& own, std::string& error);

// The settings' options, the stored values and the settings file's lines,
// for the help.
std::string SaverSettingsHelp();

// The settings a saver runs with, into `store`: the settings file at `path`
// (`named` by -settings, or the default one, which may be absent), then the
// command line's. Messages are lines for standard error, among them the
// stored values that the load rules replace. False when a named file cannot
// be used.
bool LoadSaverSettings(const SaverBasics& basics, const std::string& path, bool named, MemoryStore& store,
                       std::vector<std::string>& messages);
