#include "posix/SaverCommandLine.h"

#include "posix/LoadReport.h"
#include "posix/SettingsFile.h"
#include "settings/NumberText.h"

namespace {

const char SETTINGS_HEAD[] = "Settings, default in brackets (they override the settings file):\n";

const char STORED_HEAD[] = "NAMES is a comma-separated list. In the settings file and on the command line\n"
                           "each, the first -shape replaces the shapes set before it (the default, or the\n"
                           "settings file's), later ones add to it and -no-shape removes; the same holds\n"
                           "for -rotation and -zoom.\n"
                           "Stored values, as the Windows saver keeps them in the registry (a 32-bit\n"
                           "number, decimal or 0x hex), default in brackets:\n";

const char FILE_FORMAT[] = "Options take one dash or two, and their value after a space or '='.\n"
                           "The settings file holds lines NAME=VALUE with the settings' names above,\n"
                           "without dashes; a flag takes 1 or 0 (join-dots=1, shape=square,diamond,\n"
                           "ObjectShape=510); lines starting with '#' are comments.\n";

// -help, -seed, -max-ticks or -settings into `basics`; false with `taken`
// false for any other option.
bool TakeBasic(const ScannedOption& o, SaverBasics& basics, std::string& error, bool& taken)
{
    taken = true;
    if (o.Name == "help" || o.Name == "h") {
        basics.Help = true;
        return true;
    }
    if (o.Name == "seed" || o.Name == "max-ticks") {
        bool seed = o.Name == "seed";
        if (!ParseInRange(o.Value.c_str(), 0, 0xFFFFFFFFu, seed ? basics.Seed : basics.MaxTicks)) {
            error = RangeMessage(o.Option, o.Value, 0, 0xFFFFFFFFu);
            return false;
        }
        (seed ? basics.HasSeed : basics.HasMaxTicks) = true;
        return true;
    }
    if (o.Name == "settings") {
        if (o.Value.empty()) {
            error = o.Option + ": missing file name";
            return false;
        }
        basics.SettingsPath = o.Value;
        return true;
    }
    taken = false;
    return false;
}

}  // namespace

bool ScanSaverOptions(int argc, const char* const* argv, const OptionSpec* specs, std::size_t specCount,
                      SaverBasics& basics, const OwnOption& own, std::string& error)
{
    ArgScanner scanner(argc, argv);
    SettingSource settings;
    ScannedOption o;
    while (scanner.Next(specs, specCount, SettingOptionValue, o, error)) {
        bool basic = false;
        bool accepted = o.Spec < 0 ? TakeSettingOption(o, settings, error) : TakeBasic(o, basics, error, basic);
        if (o.Spec >= 0 && !basic && error.empty())
            accepted = own(o, error);
        if (!accepted)
            return false;
    }
    basics.Changes = settings.Changes;
    return error.empty();
}

std::string SaverSettingsHelp()
{
    return SETTINGS_HEAD + SettingOptionsHelp("-") + STORED_HEAD + StoredOptionsHelp("-") + FILE_FORMAT;
}

bool LoadSaverSettings(const SaverBasics& basics, const std::string& path, bool named, MemoryStore& store,
                       std::vector<std::string>& messages)
{
    std::vector<SettingChange> changes;
    if (!LoadSettingsFile(path, named, changes, messages))
        return false;
    changes.insert(changes.end(), basics.Changes.begin(), basics.Changes.end());
    ApplySettingChanges(changes, store);
    std::string replaced = ReplacedValues(store);
    if (!replaced.empty())
        messages.push_back("the saver's load rules replaced: " + replaced);
    return true;
}
