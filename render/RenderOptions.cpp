#include "render/RenderOptions.h"

#include "settings/NumberText.h"
#include "settings/SettingsHelp.h"

namespace {

enum OptionId { HELP, H, SEED, WIDTH, HEIGHT, TICKS, SETTING, TRACE, PNG, GIF, GIF_EVERY };

// In OptionId order.
const OptionSpec OPTIONS[] = {
    {"help", OptionValue::Bare, "", "this text"},
    {"h", OptionValue::Bare, "", "this text"},
    {"seed", OptionValue::Required, "N", "random seed (unsigned 32-bit); default: the clock"},
    {"width", OptionValue::Required, "W", "client width, 1 to 16384 (default 1024)"},
    {"height", OptionValue::Required, "H", "client height, 1 to 16384 (default 768)"},
    {"ticks", OptionValue::Required, "N", "timer ticks to run, 0 to 100000000 (default 360)"},
    {"setting", OptionValue::Required, "NAME=VALUE", "a stored value by name, as below (the same as --NAME VALUE)"},
    {"trace", OptionValue::Required, "FILE", "every event, one line each"},
    {"png", OptionValue::Required, "FILE",
     "the picture after the last tick (when that tick closes a figure: the closed figure, as shown during the "
     "pause before the erase)"},
    {"gif", OptionValue::Required, "FILE", "the run as a looping animated GIF; its last frame is the --png picture"},
    {"gif-every", OptionValue::Required, "N",
     "one frame per N ticks, 1 to 254 (default 1), and one at each figure's closing pause"},
};

const char USAGE_HEAD[] = "usage: orbilux-render [--seed N] [--width W] [--height H] [--ticks N]\n"
                          "                      [settings]... [--trace FILE|-] [--png FILE|-]\n"
                          "                      [--gif FILE|- [--gif-every N]]\n"
                          "Emulates the saver window: create, size, one erase, then N timer ticks.\n";

const char SETTINGS_HEAD[] = "Settings, as orbilux takes them, default in brackets:\n";

const char STORED_HEAD[] = "Stored values, as the Windows saver keeps them in the registry (a 32-bit\n"
                           "number, decimal or 0x hex, unchecked as a hand-edited registry value would be),\n"
                           "default in brackets:\n";

const char USAGE_END[] = "Options take one dash or two, and their value after a space or '='.\n"
                         "Settings apply in command-line order; the first --shape replaces the default\n"
                         "shapes, later ones add to it and --no-shape removes (also --rotation, --zoom).\n"
                         "At least one of --trace, --png and --gif; FILE '-' is standard output (for one\n"
                         "of them). Every output is opened before the first tick. The closing line names\n"
                         "the files written, unless standard output carries one.\n"
                         "Exit status: 0 all written; 2 the command line is refused (nothing is opened);\n"
                         "1 the run failed (an output cannot be written, not enough memory), and every\n"
                         "file it opened is removed.\n";

bool ParseRange(const std::string& option, const std::string& text, std::uint32_t low, std::uint32_t high,
                std::uint32_t& value, std::string& error)
{
    if (ParseInRange(text.c_str(), low, high, value))
        return true;
    error = RangeMessage(option, text, low, high);
    return false;
}

// --setting NAME=VALUE: a stored value by its name.
bool ParseStoredSetting(const std::string& option, const std::string& text, SettingSource& settings, std::string& error)
{
    std::size_t equals = text.find('=');
    std::string name = text.substr(0, equals);
    OptionValue how = OptionValue::Bare;
    if (equals == std::string::npos || name.find('\0') != std::string::npos || SettingsValueIndex(name.c_str()) < 0 ||
        !SettingOptionValue(name, how)) {
        std::string names;
        for (const SettingFacts& facts : SETTINGS_TABLE)
            names += (names.empty() ? "" : ", ") + std::string(facts.Name);
        error = option + ": expected NAME=VALUE with NAME one of " + names + "; got " + Quoted(text);
        return false;
    }
    ScannedOption stored;
    stored.Name = name;
    stored.Option = option + " " + name;
    stored.HasValue = true;
    stored.Value = text.substr(equals + 1);
    return TakeSettingOption(stored, settings, error);
}

// One option of the table into `options`.
bool TakeOption(const ScannedOption& o, RenderOptions& options, SettingSource& settings, std::string& error)
{
    switch (o.Spec) {
    case HELP:
    case H: options.Help = true; return true;
    case SEED: options.HasSeed = true; return ParseRange(o.Option, o.Value, 0, 0xFFFFFFFFu, options.Seed, error);
    case WIDTH: return ParseRange(o.Option, o.Value, 1, MAX_RENDER_SIZE, options.Width, error);
    case HEIGHT: return ParseRange(o.Option, o.Value, 1, MAX_RENDER_SIZE, options.Height, error);
    case TICKS: return ParseRange(o.Option, o.Value, 0, MAX_RENDER_TICKS, options.Ticks, error);
    case GIF_EVERY: return ParseRange(o.Option, o.Value, 1, MAX_GIF_EVERY, options.GifEvery, error);
    case SETTING: return ParseStoredSetting(o.Option, o.Value, settings, error);
    default: break;
    }
    if (o.Value.empty()) {
        error = o.Option + ": missing file name";
        return false;
    }
    (o.Spec == TRACE ? options.TracePath : o.Spec == GIF ? options.GifPath : options.PngPath) = o.Value;
    return true;
}

// Something to write, each file once, standard output for one at most.
bool CheckOutputs(const RenderOptions& options, std::string& error)
{
    const std::pair<const char*, const std::string*> outputs[] = {
        {"--trace", &options.TracePath}, {"--png", &options.PngPath}, {"--gif", &options.GifPath}};
    if (options.TracePath.empty() && options.PngPath.empty() && options.GifPath.empty()) {
        error = "nothing to write: give --trace, --png or --gif";
        return false;
    }
    for (std::size_t i = 0; i < 3; i++)
        for (std::size_t j = i + 1; j < 3; j++) {
            if (outputs[i].second->empty() || *outputs[i].second != *outputs[j].second)
                continue;
            error = std::string(outputs[i].first) + " and " + outputs[j].first + " both name " +
                (*outputs[i].second == "-" ? std::string("standard output") : Quoted(*outputs[i].second));
            return false;
        }
    return true;
}

}  // namespace

std::string RenderUsage()
{
    return USAGE_HEAD + OptionsHelp(OPTIONS + SEED, TableSize(OPTIONS) - SEED, "--") + SETTINGS_HEAD +
        SettingOptionsHelp("--") + STORED_HEAD + StoredOptionsHelp("--") + USAGE_END;
}

bool ParseRenderOptions(int argc, const char* const* argv, RenderOptions& options, std::string& error)
{
    ArgScanner scanner(argc, argv);
    SettingSource settings;
    ScannedOption o;
    bool everyGiven = false;
    while (scanner.Next(OPTIONS, TableSize(OPTIONS), SettingOptionValue, o, error)) {
        everyGiven = everyGiven || o.Spec == GIF_EVERY;
        bool taken = o.Spec >= 0 ? TakeOption(o, options, settings, error) : TakeSettingOption(o, settings, error);
        if (!taken)
            return false;
    }
    if (!error.empty())
        return false;
    if (everyGiven && options.GifPath.empty()) {
        error = "--gif-every: only with --gif";
        return false;
    }
    ApplySettingChanges(settings.Changes, options.Store);
    return options.Help || CheckOutputs(options, error);
}
