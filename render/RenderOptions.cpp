#include "render/RenderOptions.h"

#include <cstring>

#include "settings/NumberText.h"
#include "settings/SettingsHelp.h"

namespace {

const char USAGE_HEAD[] = "usage: orbilux-render [--seed N] [--width W] [--height H] [--ticks N]\n"
                          "                      [--setting NAME=VALUE]... [--trace FILE|-] [--png FILE|-]\n"
                          "                      [--gif FILE|- [--gif-every N]]\n"
                          "Emulates the saver window: create, size, one erase, then N timer ticks.\n"
                          "  --seed N     random seed (unsigned 32-bit); default: the clock\n"
                          "  --width W, --height H   client size, 1 to 16384 (default 1024 x 768)\n"
                          "  --ticks N    timer ticks to run, 0 to 100000000 (default 360)\n"
                          "  --setting NAME=VALUE    a stored value, VALUE a 32-bit number, decimal or\n"
                          "               0x hex; NAME one of these (default in brackets):\n";

const char USAGE_TAIL[] = "  --trace FILE every event, one line each\n"
                          "  --png FILE   the picture after the last tick (when that tick closes a figure:\n"
                          "               the closed figure, as shown during the pause before the erase)\n"
                          "  --gif FILE   the run as a looping animated GIF; its last frame is the --png picture\n"
                          "  --gif-every N  one frame per N ticks, 1 to 254 (default 1), and one at each\n"
                          "               figure's closing pause\n"
                          "At least one of --trace, --png and --gif; FILE '-' is standard output (for one\n"
                          "of them). Every output is opened before the first tick. The closing line names\n"
                          "the files written, unless standard output carries one.\n"
                          "Options take one dash or two, and their value after a space or '='.\n"
                          "Exit status: 0 all written; 2 the command line is refused (nothing is opened);\n"
                          "1 the run failed (an output cannot be written, not enough memory), and every\n"
                          "file it opened is removed.\n";

const char* const OPTIONS_WITH_VALUE[] = {"seed",  "width", "height", "ticks",    "setting",
                                          "trace", "png",   "gif",    "gif-every"};

bool ParseRange(const std::string& option, const std::string& text, std::uint32_t low, std::uint32_t high,
                std::uint32_t& value, std::string& error)
{
    if (ParseInRange(text.c_str(), low, high, value))
        return true;
    error = RangeMessage(option, text, low, high);
    return false;
}

bool ParseSetting(const std::string& option, const char* text, MemoryStore& store, std::string& error)
{
    const char* equals = std::strchr(text, '=');
    std::string name = equals ? std::string(text, equals) : std::string(text);
    int index = SettingsValueIndex(name.c_str());
    if (!equals || index < 0) {
        std::string names;
        for (const SettingFacts& facts : SETTINGS_TABLE)
            names += (names.empty() ? "" : ", ") + std::string(facts.Name);
        error = option + ": expected NAME=VALUE with NAME one of " + names + "; got " + Quoted(text);
        return false;
    }
    std::uint32_t value = 0;
    if (!ParseNumber32(equals + 1, value)) {
        error = option + " " + name + ": expected a 32-bit number (decimal or 0x hex), got " + Quoted(equals + 1);
        return false;
    }
    store.KeyExists = true;
    store.Present[index] = true;
    store.Values[index] = value;
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
    return USAGE_HEAD + StoredValuesHelp("    ") + USAGE_TAIL + HelpEntry("", STORED_VALUES_NOTE, 0);
}

bool ParseRenderOptions(int argc, const char* const* argv, RenderOptions& options, std::string& error)
{
    bool everyGiven = false;
    for (int i = 1; i < argc; i++) {
        // -name or --name, the value after it or after '='.
        std::string arg = argv[i];
        std::size_t dashes = arg.compare(0, 2, "--") == 0 ? 2 : arg.compare(0, 1, "-") == 0 ? 1 : 0;
        std::size_t equals = arg.find('=');
        std::string name = arg.substr(dashes, equals == std::string::npos ? equals : equals - dashes);
        bool inlineValue = equals != std::string::npos;
        std::string option = arg.substr(0, inlineValue ? equals : std::string::npos);
        if (dashes > 0 && (name == "help" || name == "h") && !inlineValue) {
            options.Help = true;
            continue;
        }
        bool known = false;
        for (const char* withValue : OPTIONS_WITH_VALUE)
            known = known || name == withValue;
        if (dashes == 0 || !known) {
            error = "unknown option " + Quoted(arg);
            return false;
        }
        if (!inlineValue && i + 1 >= argc) {
            error = option + ": missing value";
            return false;
        }
        std::string value = inlineValue ? arg.substr(equals + 1) : argv[++i];
        if (name == "seed") {
            if (!ParseRange(option, value, 0, 0xFFFFFFFFu, options.Seed, error))
                return false;
            options.HasSeed = true;
        } else if (name == "width") {
            if (!ParseRange(option, value, 1, MAX_RENDER_SIZE, options.Width, error))
                return false;
        } else if (name == "height") {
            if (!ParseRange(option, value, 1, MAX_RENDER_SIZE, options.Height, error))
                return false;
        } else if (name == "ticks") {
            if (!ParseRange(option, value, 0, MAX_RENDER_TICKS, options.Ticks, error))
                return false;
        } else if (name == "gif-every") {
            if (!ParseRange(option, value, 1, MAX_GIF_EVERY, options.GifEvery, error))
                return false;
            everyGiven = true;
        } else if (name == "setting") {
            if (!ParseSetting(option, value.c_str(), options.Store, error))
                return false;
        } else if (value.empty()) {
            error = option + ": missing file name";
            return false;
        } else if (name == "trace") {
            options.TracePath = value;
        } else if (name == "gif") {
            options.GifPath = value;
        } else {
            options.PngPath = value;
        }
    }
    if (everyGiven && options.GifPath.empty()) {
        error = "--gif-every: only with --gif";
        return false;
    }
    return options.Help || CheckOutputs(options, error);
}
