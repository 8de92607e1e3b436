#include "render/RenderOptions.h"

#include <cstring>

#include "settings/NumberText.h"

const char RENDER_USAGE[] =
    "usage: orbilux-render [--seed N] [--width W] [--height H] [--ticks N]\n"
    "                      [--setting NAME=VALUE]... [--trace FILE|-] [--png FILE]\n"
    "                      [--gif FILE [--gif-every N]]\n"
    "Emulates the saver window: create, size, one erase, then N timer ticks.\n"
    "  --seed N     random seed (unsigned 32-bit); default: the clock\n"
    "  --width W, --height H   client size, 1 to 16384 (default 1024 x 768)\n"
    "  --ticks N    timer ticks to run, 0 to 100000000 (default 360)\n"
    "  --setting NAME=VALUE    a stored value: RadiusFactor, ImagesPerSec, JoinTheDots,\n"
    "               ObjectShape, ObjectRotation, ColourOption or ZoomOption;\n"
    "               VALUE a 32-bit number, decimal or 0x hex\n"
    "  --trace FILE every event, one line each ('-': standard output)\n"
    "  --png FILE   the picture after the last tick (when that tick closes a figure:\n"
    "               the closed figure, as shown during the pause before the erase)\n"
    "  --gif FILE   the run as a looping animated GIF; its last frame is the --png picture\n"
    "  --gif-every N  one frame per N ticks, 1 to 254 (default 1), and one at each\n"
    "               figure's closing pause\n";

namespace {

const char* const OPTIONS_WITH_VALUE[] = {"--seed", "--width", "--height", "--ticks",
                                          "--setting", "--trace", "--png", "--gif", "--gif-every"};

bool ParseRange(const char* option, const char* text, std::uint32_t low, std::uint32_t high,
                std::uint32_t& value, std::string& error)
{
    std::uint32_t v = 0;
    // A minus sign would wrap to a large number; only plain numbers are sizes.
    if (text[0] == '-' || !ParseNumber32(text, v) || v < low || v > high) {
        error = std::string(option) + ": expected a number from " + std::to_string(low) + " to " +
                std::to_string(high) + ", got '" + text + "'";
        return false;
    }
    value = v;
    return true;
}

bool ParseSetting(const char* text, MemoryStore& store, std::string& error)
{
    const char* equals = std::strchr(text, '=');
    std::string name = equals ? std::string(text, equals) : std::string(text);
    int index = SettingsValueIndex(name.c_str());
    if (!equals || index < 0) {
        error = "--setting: expected NAME=VALUE with NAME one of RadiusFactor, ImagesPerSec, JoinTheDots, "
                "ObjectShape, ObjectRotation, ColourOption, ZoomOption; got '" + std::string(text) + "'";
        return false;
    }
    std::uint32_t value = 0;
    if (!ParseNumber32(equals + 1, value)) {
        error = "--setting " + name + ": expected a 32-bit number (decimal or 0x hex), got '" +
                std::string(equals + 1) + "'";
        return false;
    }
    store.KeyExists = true;
    store.Present[index] = true;
    store.Values[index] = value;
    return true;
}

}  // namespace

bool ParseRenderOptions(int argc, const char* const* argv, RenderOptions& options, std::string& error)
{
    bool everyGiven = false;
    for (int i = 1; i < argc; i++) {
        std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            options.Help = true;
            continue;
        }
        // Accept both "--name value" and "--name=value".
        std::string name = arg, value;
        bool inlineValue = false;
        std::size_t equals = arg.find('=');
        if (arg.compare(0, 2, "--") == 0 && equals != std::string::npos) {
            name = arg.substr(0, equals);
            value = arg.substr(equals + 1);
            inlineValue = true;
        }
        bool known = false;
        for (const char* option : OPTIONS_WITH_VALUE)
            known = known || name == option;
        if (!known) {
            error = "unknown option '" + arg + "'";
            return false;
        }
        if (!inlineValue) {
            if (i + 1 >= argc) {
                error = name + ": missing value";
                return false;
            }
            value = argv[++i];
        }
        const char* text = value.c_str();
        if (name == "--seed") {
            if (!ParseRange("--seed", text, 0, 0xFFFFFFFFu, options.Seed, error))
                return false;
            options.HasSeed = true;
        } else if (name == "--width") {
            if (!ParseRange("--width", text, 1, MAX_RENDER_SIZE, options.Width, error))
                return false;
        } else if (name == "--height") {
            if (!ParseRange("--height", text, 1, MAX_RENDER_SIZE, options.Height, error))
                return false;
        } else if (name == "--ticks") {
            if (!ParseRange("--ticks", text, 0, MAX_RENDER_TICKS, options.Ticks, error))
                return false;
        } else if (name == "--gif-every") {
            if (!ParseRange("--gif-every", text, 1, MAX_GIF_EVERY, options.GifEvery, error))
                return false;
            everyGiven = true;
        } else if (name == "--setting") {
            if (!ParseSetting(text, options.Store, error))
                return false;
        } else if (value.empty()) {
            error = name + ": missing file name";
            return false;
        } else if (name == "--trace") {
            options.TracePath = value;
        } else if (name == "--gif") {
            options.GifPath = value;
        } else {
            options.PngPath = value;
        }
    }
    if (everyGiven && options.GifPath.empty()) {
        error = "--gif-every: only with --gif";
        return false;
    }
    return true;
}
