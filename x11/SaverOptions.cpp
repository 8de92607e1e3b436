#include "x11/SaverOptions.h"

#include <cstring>

#include "settings/NumberText.h"
#include "settings/SettingsValues.h"

const char SAVER_USAGE[] =
    "usage: orbilux [-root | -window | -window-id ID] [-geometry WxH] [options]\n"
    "Draws Orbilux figures on an X display, as an XScreenSaver hack.\n"
    "  -root              draw on the root window (XSCREENSAVER_WINDOW's window if set)\n"
    "  -window            draw in a window of its own (default, unless XSCREENSAVER_WINDOW is set)\n"
    "  -window-id ID      draw in the window ID (decimal or 0x hex)\n"
    "  -geometry WxH      size of its own window (default 1024x768)\n"
    "  -seed N            random seed (default: the clock)\n"
    "  -max-ticks N       stop drawing after N ticks and keep the picture\n"
    "  -settings FILE     settings file (default: $XDG_CONFIG_HOME/orbilux/settings)\n"
    "Settings (they override the settings file):\n"
    "  -object-size PCT   object size, 0 to 500 per cent (0: pixels or joined lines)\n"
    "  -images-per-sec N  ticks per second, 1 to 1000\n"
    "  -join-dots, -no-join-dots   join successive points (object size 0 only)\n"
    "  -colour high|medium|low     colour range (also -color)\n"
    "  -shape NAME, -no-shape NAME enable or disable shapes: circle, square, triangle,\n"
    "                     four-point-star, diamond, pyramid, six-point-star, eight-point-star\n"
    "  -rotation NAME, -no-rotation NAME   none, clockwise, anticlockwise\n"
    "  -zoom NAME, -no-zoom NAME   low, medium, high, very-high, one-phase, two-phase,\n"
    "                     four-phase, start-small, start-large\n"
    "  -RadiusFactor, -ImagesPerSec, -JoinTheDots, -ObjectShape, -ObjectRotation,\n"
    "  -ColourOption, -ZoomOption VALUE   a stored value, as a 32-bit number\n"
    "Options need one dash or two; NAME lists may be comma-separated.\n"
    "The settings file holds lines NAME=VALUE with the names above, without dashes.\n"
    "SIGTERM or SIGINT ends it; so does a key or a click in its own window.\n";

namespace {

struct NamedBit {
    const char* Name;
    std::uint32_t Bit;
};

const NamedBit SHAPE_NAMES[] = {
    {"circle", SHAPE_CIRCLE}, {"square", SHAPE_SQUARE}, {"triangle", SHAPE_TRIANGLE},
    {"four-point-star", SHAPE_FOUR_POINT_STAR}, {"diamond", SHAPE_DIAMOND}, {"pyramid", SHAPE_PYRAMID},
    {"six-point-star", SHAPE_SIX_POINT_STAR}, {"eight-point-star", SHAPE_EIGHT_POINT_STAR}, {nullptr, 0}};
const NamedBit ROTATION_NAMES[] = {
    {"none", ROTATION_NONE}, {"clockwise", ROTATION_CLOCKWISE}, {"anticlockwise", ROTATION_ANTICLOCKWISE},
    {nullptr, 0}};
const NamedBit ZOOM_NAMES[] = {
    {"low", ZOOM_LOW}, {"medium", ZOOM_MEDIUM}, {"high", ZOOM_HIGH}, {"very-high", ZOOM_VERY_HIGH},
    {"one-phase", ZOOM_ONE_PHASE}, {"two-phase", ZOOM_TWO_PHASE}, {"four-phase", ZOOM_FOUR_PHASE},
    {"start-small", ZOOM_START_SMALL}, {"start-large", ZOOM_START_LARGE}, {nullptr, 0}};
const NamedBit COLOUR_NAMES[] = {
    {"high", COLOUR_HIGH}, {"medium", COLOUR_MEDIUM}, {"low", COLOUR_LOW}, {nullptr, 0}};

const int RADIUS = 0, IMAGES = 1, JOIN = 2, SHAPE = 3, ROTATION = 4, COLOUR = 5, ZOOM = 6;

std::string Names(const NamedBit* names)
{
    std::string list;
    for (; names->Name; names++)
        list += std::string(list.empty() ? "" : ", ") + names->Name;
    return list;
}

// A comma-separated list of names, as the OR of their bits.
bool ParseNames(const std::string& option, const char* text, const NamedBit* names, std::uint32_t& mask,
                std::string& error)
{
    mask = 0;
    std::string rest = text;
    do {
        std::size_t comma = rest.find(',');
        std::string word = rest.substr(0, comma);
        rest = comma == std::string::npos ? "" : rest.substr(comma + 1);
        const NamedBit* n = names;
        while (n->Name && word != n->Name)
            n++;
        if (!n->Name) {
            error = option + ": expected " + Names(names) + "; got '" + text + "'";
            return false;
        }
        mask |= n->Bit;
        if (comma == std::string::npos)
            break;
    } while (true);
    return true;
}

bool ParseRange(const std::string& option, const char* text, std::uint32_t low, std::uint32_t high,
                std::uint32_t& value, std::string& error)
{
    // A minus sign would wrap to a large number; counts and sizes are plain.
    if (text[0] == '-' || !ParseNumber32(text, value) || value < low || value > high) {
        error = option + ": expected a number from " + std::to_string(low) + " to " + std::to_string(high) +
                ", got '" + text + "'";
        return false;
    }
    return true;
}

// A settings option with its value, by name without dashes. Returns false
// with `known` false when `name` is no settings option that takes a value.
// `option` is the name as written, for messages.
bool ParseSettingValue(const std::string& name, const std::string& option, const char* value,
                       std::vector<SettingChange>& changes, std::string& error, bool& known)
{
    known = true;
    std::uint32_t v = 0;
    int index = SettingsValueIndex(name.c_str());
    if (index >= 0) {
        if (!ParseNumber32(value, v)) {
            error = option + ": expected a 32-bit number (decimal or 0x hex), got '" + value + "'";
            return false;
        }
        changes.push_back({index, SettingChange::Set, v});
        return true;
    }
    struct MaskOption {
        const char* Name;
        int Index;
        const NamedBit* Names;
    };
    static const MaskOption MASKS[] = {{"shape", SHAPE, SHAPE_NAMES}, {"rotation", ROTATION, ROTATION_NAMES},
                                       {"zoom", ZOOM, ZOOM_NAMES}};
    for (const MaskOption& m : MASKS) {
        bool add = name == m.Name, remove = name == std::string("no-") + m.Name;
        if (add || remove) {
            if (!ParseNames(option, value, m.Names, v, error))
                return false;
            changes.push_back({m.Index, add ? SettingChange::AddBits : SettingChange::RemoveBits, v});
            return true;
        }
    }
    if (name == "object-size") {
        if (!ParseRange(option, value, 0, MAX_OBJECT_SIZE_PERCENT, v, error))
            return false;
        changes.push_back({RADIUS, SettingChange::Set, v});
    } else if (name == "images-per-sec") {
        if (!ParseRange(option, value, MIN_IMAGES_PER_SEC, MAX_IMAGES_PER_SEC, v, error))
            return false;
        changes.push_back({IMAGES, SettingChange::Set, v});
    } else if (name == "colour" || name == "color") {
        std::uint32_t bit = 0;
        const NamedBit* n = COLOUR_NAMES;
        while (n->Name && std::strcmp(value, n->Name) != 0)
            n++;
        if (!n->Name) {
            error = option + ": expected high, medium or low; got '" + value + "'";
            return false;
        }
        bit = n->Bit;
        changes.push_back({COLOUR, SettingChange::Set, bit});
    } else {
        known = false;
        return false;
    }
    return true;
}

std::string Trim(const std::string& s)
{
    std::size_t b = s.find_first_not_of(" \t\r"), e = s.find_last_not_of(" \t\r");
    return b == std::string::npos ? "" : s.substr(b, e - b + 1);
}

bool ParseGeometry(const char* text, std::uint32_t& width, std::uint32_t& height)
{
    // WxH, optionally followed by a position that is left to the window manager.
    std::string s = text;
    std::size_t x = s.find_first_of("xX"), sign = s.find_first_of("+-", x == std::string::npos ? 0 : x);
    if (x == std::string::npos)
        return false;
    std::string w = s.substr(0, x), h = s.substr(x + 1, sign == std::string::npos ? std::string::npos : sign - x - 1);
    std::string unused;
    return !w.empty() && !h.empty() && ParseRange("", w.c_str(), 1, MAX_WINDOW_SIZE, width, unused) &&
           ParseRange("", h.c_str(), 1, MAX_WINDOW_SIZE, height, unused);
}

bool TakesValue(const std::string& name)
{
    static const char* const NAMES[] = {"window-id", "geometry", "seed", "max-ticks", "settings", "shape",
                                        "no-shape", "rotation", "no-rotation", "zoom", "no-zoom", "object-size",
                                        "images-per-sec", "colour", "color"};
    for (const char* n : NAMES)
        if (name == n)
            return true;
    return SettingsValueIndex(name.c_str()) >= 0;
}

}  // namespace

bool ParseWindowId(const char* text, std::uint32_t& id)
{
    return text[0] != '-' && ParseNumber32(text, id) && id != 0;
}

bool ParseSaverOptions(int argc, const char* const* argv, SaverOptions& options, std::string& error)
{
    for (int i = 1; i < argc; i++) {
        std::string arg = argv[i];
        std::string name = arg.compare(0, 2, "--") == 0 ? arg.substr(2) : arg.compare(0, 1, "-") == 0 ? arg.substr(1) : "";
        // Options without a value.
        if (name == "help" || name == "h") {
            options.Help = true;
        } else if (name == "root") {
            options.Target = SaverTarget::Root;
        } else if (name == "window") {
            options.Target = SaverTarget::OwnWindow;
        } else if (name == "join-dots" || name == "no-join-dots") {
            options.Changes.push_back({JOIN, SettingChange::Set, name == "join-dots" ? 1u : 0u});
        } else {
            if (!TakesValue(name)) {
                error = "unknown option '" + arg + "'";
                return false;
            }
            const std::string& option = arg;
            if (i + 1 >= argc) {
                error = option + ": missing value";
                return false;
            }
            const char* value = argv[++i];
            bool known = true;
            if (name == "window-id") {
                if (!ParseWindowId(value, options.WindowId)) {
                    error = option + ": expected a window id (decimal or 0x hex), got '" + value + "'";
                    return false;
                }
                options.Target = SaverTarget::WindowId;
            } else if (name == "geometry") {
                if (!ParseGeometry(value, options.Width, options.Height)) {
                    error = option + ": expected WxH with sizes from 1 to " + std::to_string(MAX_WINDOW_SIZE) +
                            ", got '" + value + "'";
                    return false;
                }
            } else if (name == "seed") {
                if (!ParseRange(option, value, 0, 0xFFFFFFFFu, options.Seed, error))
                    return false;
                options.HasSeed = true;
            } else if (name == "max-ticks") {
                if (!ParseRange(option, value, 0, 0xFFFFFFFFu, options.MaxTicks, error))
                    return false;
                options.HasMaxTicks = true;
            } else if (name == "settings") {
                if (*value == '\0') {
                    error = option + ": missing file name";
                    return false;
                }
                options.SettingsPath = value;
            } else if (!ParseSettingValue(name, option, value, options.Changes, error, known)) {
                return false;
            }
        }
    }
    return true;
}

void ParseSettingsText(const std::string& text, const std::string& fileName, std::vector<SettingChange>& changes,
                       std::vector<std::string>& messages)
{
    std::size_t start = 0;
    for (int line = 1; start < text.size(); line++) {
        std::size_t end = text.find('\n', start);
        std::string content = Trim(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        start = end == std::string::npos ? text.size() : end + 1;
        if (content.empty() || content[0] == '#')
            continue;
        std::string where = fileName + ":" + std::to_string(line) + ": ";
        std::size_t equals = content.find('=');
        if (equals == std::string::npos) {
            messages.push_back(where + "expected NAME=VALUE, got '" + content + "'");
            continue;
        }
        std::string name = Trim(content.substr(0, equals)), value = Trim(content.substr(equals + 1));
        std::string error;
        bool known = true;
        if (!ParseSettingValue(name, name, value.c_str(), changes, error, known))
            messages.push_back(where + (known ? error : "unknown setting '" + name + "'"));
    }
}

void ApplySettingChanges(const std::vector<SettingChange>& changes, MemoryStore& store)
{
    // What the load uses when a mask is not stored.
    const std::uint32_t defaults[SETTINGS_VALUE_COUNT] = {0, 0, 0, SHAPE_CIRCLE, ROTATION_NONE, 0, 0};
    for (const SettingChange& c : changes) {
        std::uint32_t& value = store.Values[c.Index];
        std::uint32_t base = store.KeyExists && store.Present[c.Index] ? value : defaults[c.Index];
        if (c.Operation == SettingChange::Set)
            value = c.Value;
        else if (c.Operation == SettingChange::AddBits)
            value = base | c.Value;
        else
            value = base & ~c.Value;
        store.KeyExists = true;
        store.Present[c.Index] = true;
    }
}

std::string DefaultSettingsPath(const char* xdgConfigHome, const char* home)
{
    if (xdgConfigHome && *xdgConfigHome)
        return std::string(xdgConfigHome) + "/orbilux/settings";
    if (home && *home)
        return std::string(home) + "/.config/orbilux/settings";
    return "";
}
