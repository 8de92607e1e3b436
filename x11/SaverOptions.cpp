#include "x11/SaverOptions.h"

#include "settings/NumberText.h"
#include "settings/SettingsHelp.h"

namespace {

enum OptionId { HELP, H, ROOT, WINDOW, WINDOW_ID, GEOMETRY, SEED, MAX_TICKS, SETTINGS };

// In OptionId order.
const OptionSpec OPTIONS[] = {
    {"help", OptionValue::Bare, "", "this text"},
    {"h", OptionValue::Bare, "", "this text"},
    {"root", OptionValue::Bare, "", "draw on the root window (XSCREENSAVER_WINDOW's window if set)"},
    {"window", OptionValue::Bare, "", "draw in a window of its own (default, unless XSCREENSAVER_WINDOW is set)"},
    {"window-id", OptionValue::Required, "ID", "draw in the window ID (decimal or 0x hex)"},
    {"geometry", OptionValue::Required, "WxH", "size of its own window (default 1024x768)"},
    {"seed", OptionValue::Required, "N", "random seed (default: the clock)"},
    {"max-ticks", OptionValue::Required, "N",
     "stop drawing after N ticks, keep the picture and say so on standard output"},
    {"settings", OptionValue::Required, "FILE",
     "settings file (default: $XDG_CONFIG_HOME/orbilux/settings, or ~/.config/orbilux/settings; under "
     "XScreenSaver, where XSCREENSAVER_WINDOW is set, none: its settings window is the place)"},
};

const char USAGE_HEAD[] = "usage: orbilux [-root | -window | -window-id ID] [-geometry WxH] [options]\n"
                          "Draws Orbilux figures on an X display, as an XScreenSaver hack.\n";

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
                         "SIGTERM or SIGINT ends it; so does a key or a click in its own window.\n";

bool ParseGeometry(const std::string& s, std::uint32_t& width, std::uint32_t& height)
{
    // WxH, optionally followed by a position that is left to the window manager.
    std::size_t x = s.find_first_of("xX"), sign = s.find_first_of("+-", x == std::string::npos ? 0 : x);
    if (x == std::string::npos)
        return false;
    std::string w = s.substr(0, x), h = s.substr(x + 1, sign == std::string::npos ? std::string::npos : sign - x - 1);
    return ParseInRange(w.c_str(), 1, MAX_WINDOW_SIZE, width) && ParseInRange(h.c_str(), 1, MAX_WINDOW_SIZE, height);
}

// One option of the table (not a setting) into `options`.
bool TakeOption(const ScannedOption& o, SaverOptions& options, std::string& error)
{
    switch (o.Spec) {
    case HELP:
    case H: options.Help = true; return true;
    case ROOT: options.Target = SaverTarget::Root; return true;
    case WINDOW: options.Target = SaverTarget::OwnWindow; return true;
    case WINDOW_ID:
        if (!ParseWindowId(o.Value.c_str(), options.WindowId)) {
            error = o.Option + ": expected a window id (decimal or 0x hex), got " + Quoted(o.Value);
            return false;
        }
        options.WindowIdText = o.Value;
        options.Target = SaverTarget::WindowId;
        return true;
    case GEOMETRY:
        if (ParseGeometry(o.Value, options.Width, options.Height))
            return true;
        error = o.Option + ": expected WxH with sizes from 1 to " + std::to_string(MAX_WINDOW_SIZE) + ", got " +
            Quoted(o.Value);
        return false;
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

std::string SaverUsage()
{
    return USAGE_HEAD + OptionsHelp(OPTIONS + ROOT, TableSize(OPTIONS) - ROOT, "-") + SETTINGS_HEAD +
        SettingOptionsHelp("-") + USAGE_TAIL + StoredOptionsHelp("-") + USAGE_END;
}

SettingsRoute ChooseSettingsRoute(const SaverOptions& options, const char* xscreensaverWindow)
{
    if (!options.SettingsPath.empty())
        return SettingsRoute::NamedFile;
    return xscreensaverWindow && *xscreensaverWindow ? SettingsRoute::CommandLineOnly : SettingsRoute::DefaultFile;
}

bool ParseWindowId(const char* text, std::uint32_t& id)
{
    return text[0] != '-' && ParseNumber32(text, id) && id != 0;
}

bool ParseSaverOptions(int argc, const char* const* argv, SaverOptions& options, std::string& error)
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
