#include "wayland/WaylandOptions.h"

#include "settings/NumberText.h"

namespace {

enum OptionId { HELP, H, BACKGROUND, SEED, MAX_TICKS, SETTINGS };

// In OptionId order.
const OptionSpec OPTIONS[] = {
    {"help", OptionValue::Bare, "", "this text"},
    {"h", OptionValue::Bare, "", "this text"},
    {"background", OptionValue::Bare, "", "draw under the windows (an animated wallpaper); input does not end it"},
    {"seed", OptionValue::Required, "N", "random seed of the first output's figure, N+1 the next (default: the clock)"},
    {"max-ticks", OptionValue::Required, "N", "stop drawing after N ticks and keep the picture"},
    {"settings", OptionValue::Required, "FILE",
     "settings file (default: $XDG_CONFIG_HOME/orbilux/settings, or ~/.config/orbilux/settings)"},
};

const char USAGE_HEAD[] = "usage: orbilux-wayland [-background] [options]\n"
                          "Draws Orbilux figures on every output of a Wayland compositor with a layer\n"
                          "shell (sway, Hyprland, river, labwc, KDE Plasma), a figure of its own on each.\n";

const char SETTINGS_HEAD[] = "Settings, default in brackets (they override the settings file):\n";

const char USAGE_TAIL[] = "NAMES is a comma-separated list. In the settings file and on the command line\n"
                          "each, the first -shape replaces the shapes set before it (the default, or the\n"
                          "settings file's), later ones add to it and -no-shape removes; the same holds\n"
                          "for -rotation and -zoom.\n"
                          "Stored values, as the Windows saver keeps them in the registry (a 32-bit\n"
                          "number, decimal or 0x hex), default in brackets:\n";

const char USAGE_END[] = "Options take one dash or two, and their value after a space or '='.\n"
                         "The settings file holds lines NAME=VALUE with the settings' names above,\n"
                         "without dashes; a flag takes 1 or 0 (join-dots=1, shape=square,diamond,\n"
                         "ObjectShape=510); lines starting with '#' are comments.\n"
                         "SIGTERM or SIGINT ends it with status 0; so does a key, a button or moving\n"
                         "the pointer more than 4 pixels, unless -background is given.\n";

// One option of the table (not a setting) into `options`.
bool TakeOption(const ScannedOption& o, WaylandOptions& options, std::string& error)
{
    switch (o.Spec) {
    case HELP:
    case H: options.Help = true; return true;
    case BACKGROUND: options.Background = true; return true;
    case SEED:
    case MAX_TICKS: {
        std::uint32_t& number = o.Spec == SEED ? options.Seed : options.MaxTicks;
        if (!ParseInRange(o.Value.c_str(), 0, 0xFFFFFFFFu, number)) {
            error = RangeMessage(o.Option, o.Value, 0, 0xFFFFFFFFu);
            return false;
        }
        (o.Spec == SEED ? options.HasSeed : options.HasMaxTicks) = true;
        return true;
    }
    default:
        if (o.Value.empty()) {
            error = o.Option + ": missing file name";
            return false;
        }
        options.SettingsPath = o.Value;
        return true;
    }
}

}  // namespace

std::string WaylandUsage()
{
    return USAGE_HEAD + OptionsHelp(OPTIONS + BACKGROUND, TableSize(OPTIONS) - BACKGROUND, "-") + SETTINGS_HEAD +
        SettingOptionsHelp("-") + USAGE_TAIL + StoredOptionsHelp("-") + USAGE_END;
}

bool ParseWaylandOptions(int argc, const char* const* argv, WaylandOptions& options, std::string& error)
{
    ArgScanner scanner(argc, argv);
    SettingSource settings;
    ScannedOption o;
    while (scanner.Next(OPTIONS, TableSize(OPTIONS), SettingOptionValue, o, error)) {
        bool taken = o.Spec >= 0 ? TakeOption(o, options, error) : TakeSettingOption(o, settings, error);
        if (!taken)
            return false;
    }
    options.Changes = settings.Changes;
    return error.empty();
}
