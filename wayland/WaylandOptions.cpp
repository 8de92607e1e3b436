#include "wayland/WaylandOptions.h"

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

const char USAGE_END[] = "SIGTERM or SIGINT ends it with status 0; so does a key, a button or moving\n"
                         "the pointer more than 4 pixels, unless -background is given.\n";

}  // namespace

std::string WaylandUsage()
{
    return USAGE_HEAD + OptionsHelp(OPTIONS + BACKGROUND, TableSize(OPTIONS) - BACKGROUND, "-") + SaverSettingsHelp() +
        USAGE_END;
}

bool ParseWaylandOptions(int argc, const char* const* argv, WaylandOptions& options, std::string& error)
{
    // -background is the one option of its own.
    return ScanSaverOptions(
        argc, argv, OPTIONS, TableSize(OPTIONS), options,
        [&](const ScannedOption&, std::string&) { return options.Background = true; }, error);
}
