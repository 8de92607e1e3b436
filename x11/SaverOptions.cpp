#include "x11/SaverOptions.h"

#include "settings/NumberText.h"
#include "settings/SettingsHelp.h"

namespace {

const char USAGE_HEAD[] =
    "usage: orbilux [-root | -window | -window-id ID] [-geometry WxH] [options]\n"
    "Draws Orbilux figures on an X display, as an XScreenSaver hack.\n"
    "  -root             draw on the root window (XSCREENSAVER_WINDOW's window if set)\n"
    "  -window           draw in a window of its own (default, unless XSCREENSAVER_WINDOW is set)\n"
    "  -window-id ID     draw in the window ID (decimal or 0x hex)\n"
    "  -geometry WxH     size of its own window (default 1024x768)\n"
    "  -seed N           random seed (default: the clock)\n"
    "  -max-ticks N      stop drawing after N ticks and keep the picture\n"
    "  -settings FILE    settings file (default: $XDG_CONFIG_HOME/orbilux/settings,\n"
    "                    or ~/.config/orbilux/settings)\n"
    "Settings, default in brackets (they override the settings file):\n";

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

// Per source (the command line, or the settings file): the masks that a
// -shape, -rotation or -zoom has already replaced there.
struct SourceState {
    bool Replaced[SETTINGS_VALUE_COUNT] = {};
};

// The friendly setting option `name` (without dashes, maybe "no-..."), as its
// table index, or -1.
int SettingOf(std::string name, bool& negated)
{
    negated = name.compare(0, 3, "no-") == 0;
    if (negated)
        name.erase(0, 3);
    if (name == "color")
        name = "colour";
    int index = SettingOptionIndex(name.c_str());
    if (index < 0)
        return -1;
    SettingKind kind = SETTINGS_TABLE[index].Kind;
    return !negated || kind == SettingKind::Flag || kind == SettingKind::Bits ? index : -1;
}

// A comma-separated list of names, as the OR of their bits.
bool ParseNames(const std::string& option, const std::string& text, const SettingFacts& facts, std::uint32_t& mask,
                std::string& error)
{
    mask = 0;
    std::size_t start = 0;
    do {
        std::size_t comma = text.find(',', start);
        const SettingChoice* choice = FindChoice(facts, text.substr(start, comma - start).c_str());
        if (!choice) {
            error = option + ": expected " + ChoiceNames(facts) + "; got " + Quoted(text);
            return false;
        }
        mask |= choice->Value;
        start = comma == std::string::npos ? comma : comma + 1;
    } while (start != std::string::npos);
    return true;
}

// A setting given by name (without dashes) and value. Returns false with a
// message when the value is refused; `name` must be a setting's.
bool ParseSetting(const std::string& name, const std::string& option, const std::string& value, SourceState& source,
                  std::vector<SettingChange>& changes, std::string& error)
{
    std::uint32_t v = 0;
    // The table's look-ups stop at a NUL byte; a settings file may hold one.
    if (value.find('\0') != std::string::npos) {
        error = option + ": a NUL byte in " + Quoted(value);
        return false;
    }
    int index = SettingsValueIndex(name.c_str());
    if (index >= 0) {
        if (!ParseNumber32(value.c_str(), v)) {
            error = option + ": expected a 32-bit number (decimal or 0x hex), got " + Quoted(value);
            return false;
        }
        changes.push_back({index, SettingChange::Set, v});
        return true;
    }
    bool negated = false;
    index = SettingOf(name, negated);
    const SettingFacts& facts = SETTINGS_TABLE[index];
    SettingChange::Kind operation = SettingChange::Set;
    switch (facts.Kind) {
    case SettingKind::Number:
    case SettingKind::Flag:
        if (!ParseInRange(value.c_str(), facts.Low, facts.High, v)) {
            error = RangeMessage(option, value, facts.Low, facts.High);
            return false;
        }
        v = negated ? 1 - v : v;
        break;
    case SettingKind::Choice:
        if (const SettingChoice* choice = FindChoice(facts, value.c_str())) {
            v = choice->Value;
            break;
        }
        error = option + ": expected " + ChoiceNames(facts, " or ") + "; got " + Quoted(value);
        return false;
    case SettingKind::Bits:
        if (!ParseNames(option, value, facts, v, error))
            return false;
        operation = negated          ? SettingChange::RemoveBits
            : source.Replaced[index] ? SettingChange::AddBits
                                     : SettingChange::Set;
        source.Replaced[index] = source.Replaced[index] || !negated;
        break;
    }
    changes.push_back({index, operation, v});
    return true;
}

bool IsSetting(const std::string& name)
{
    bool negated = false;
    return name.find('\0') == std::string::npos &&
        (SettingsValueIndex(name.c_str()) >= 0 || SettingOf(name, negated) >= 0);
}

std::string Trim(const std::string& s)
{
    std::size_t b = s.find_first_not_of(" \t\r"), e = s.find_last_not_of(" \t\r");
    return b == std::string::npos ? "" : s.substr(b, e - b + 1);
}

bool ParseGeometry(const std::string& s, std::uint32_t& width, std::uint32_t& height)
{
    // WxH, optionally followed by a position that is left to the window manager.
    std::size_t x = s.find_first_of("xX"), sign = s.find_first_of("+-", x == std::string::npos ? 0 : x);
    if (x == std::string::npos)
        return false;
    std::string w = s.substr(0, x), h = s.substr(x + 1, sign == std::string::npos ? std::string::npos : sign - x - 1);
    return ParseInRange(w.c_str(), 1, MAX_WINDOW_SIZE, width) && ParseInRange(h.c_str(), 1, MAX_WINDOW_SIZE, height);
}

// One friendly setting's line of the usage.
std::string SettingUsage(const SettingFacts& facts)
{
    std::string head = std::string("  -") + facts.Option, text = facts.Meaning;
    switch (facts.Kind) {
    case SettingKind::Number:
        head += " N";
        text += ", " + std::to_string(facts.Low) + " to " + std::to_string(facts.High) + " " + facts.Unit + " [" +
            std::to_string(facts.Default) + "]";
        break;
    case SettingKind::Flag:
        head += ", -no-" + std::string(facts.Option);
        text += std::string(" [") + (facts.Default != 0 ? "on" : "off") + "]";
        break;
    case SettingKind::Choice:
    case SettingKind::Bits: {
        bool bits = facts.Kind == SettingKind::Bits;
        head += bits ? " NAMES, -no-" + std::string(facts.Option) + " NAMES" : " NAME";
        std::string defaults;
        for (int i = 0; i < facts.ChoiceCount; i++)
            if (bits ? (facts.Default & facts.Choices[i].Value) != 0 : facts.Default == facts.Choices[i].Value)
                defaults += (defaults.empty() ? "" : ",") + std::string(facts.Choices[i].Name);
        text += ": " + ChoiceNames(facts, bits ? ", " : " or ") + " [" + (defaults.empty() ? "none" : defaults) + "]";
        if (std::string(facts.Option) == "colour")
            text += " (also -color)";
        break;
    }
    }
    return HelpEntry(head, text);
}

}  // namespace

std::string SaverUsage()
{
    std::string usage = USAGE_HEAD;
    for (const SettingFacts& facts : SETTINGS_TABLE)
        usage += SettingUsage(facts);
    usage += USAGE_TAIL + StoredValuesHelp("  -");
    return usage + HelpEntry("", STORED_VALUES_NOTE, 0) + USAGE_END;
}

bool ParseWindowId(const char* text, std::uint32_t& id)
{
    return text[0] != '-' && ParseNumber32(text, id) && id != 0;
}

bool ParseSaverOptions(int argc, const char* const* argv, SaverOptions& options, std::string& error)
{
    SourceState source;
    for (int i = 1; i < argc; i++) {
        // -name or --name, the value after it or after '='.
        std::string arg = argv[i];
        std::size_t dashes = arg.compare(0, 2, "--") == 0 ? 2 : arg.compare(0, 1, "-") == 0 ? 1 : 0;
        std::size_t equals = arg.find('=');
        std::string name = arg.substr(dashes, equals == std::string::npos ? equals : equals - dashes);
        bool inlineValue = equals != std::string::npos;
        bool negated = false;
        int flag = SettingOf(name, negated);
        bool isFlag = flag >= 0 && SETTINGS_TABLE[flag].Kind == SettingKind::Flag;
        bool bare = name == "help" || name == "h" || name == "root" || name == "window";
        std::string option = arg.substr(0, inlineValue ? equals : std::string::npos);
        bool known = bare || IsSetting(name);
        for (const char* withValue : {"window-id", "geometry", "seed", "max-ticks", "settings"})
            known = known || name == withValue;
        if (dashes == 0 || !known) {
            error = "unknown option " + Quoted(arg);
            return false;
        }
        if (bare && inlineValue) {
            error = option + ": takes no value";
            return false;
        }
        if (bare || (isFlag && !inlineValue)) {
            options.Help = options.Help || name == "help" || name == "h";
            options.Target = name == "root" ? SaverTarget::Root
                : name == "window"          ? SaverTarget::OwnWindow
                                            : options.Target;
            if (isFlag)
                options.Changes.push_back({flag, SettingChange::Set, negated ? 0u : 1u});
            continue;
        }
        if (!inlineValue && i + 1 >= argc) {
            error = option + ": missing value";
            return false;
        }
        std::string value = inlineValue ? arg.substr(equals + 1) : argv[++i];
        if (name == "window-id") {
            if (!ParseWindowId(value.c_str(), options.WindowId)) {
                error = option + ": expected a window id (decimal or 0x hex), got " + Quoted(value);
                return false;
            }
            options.WindowIdText = value;
            options.Target = SaverTarget::WindowId;
        } else if (name == "geometry") {
            if (!ParseGeometry(value, options.Width, options.Height)) {
                error = option + ": expected WxH with sizes from 1 to " + std::to_string(MAX_WINDOW_SIZE) + ", got " +
                    Quoted(value);
                return false;
            }
        } else if (name == "seed" || name == "max-ticks") {
            std::uint32_t& number = name == "seed" ? options.Seed : options.MaxTicks;
            if (!ParseInRange(value.c_str(), 0, 0xFFFFFFFFu, number)) {
                error = RangeMessage(option, value, 0, 0xFFFFFFFFu);
                return false;
            }
            (name == "seed" ? options.HasSeed : options.HasMaxTicks) = true;
        } else if (name == "settings") {
            if (value.empty()) {
                error = option + ": missing file name";
                return false;
            }
            options.SettingsPath = value;
        } else if (!ParseSetting(name, option, value, source, options.Changes, error)) {
            return false;
        }
    }
    return true;
}

void ParseSettingsText(const std::string& text, const std::string& fileName, std::vector<SettingChange>& changes,
                       std::vector<std::string>& messages)
{
    SourceState source;
    std::size_t start = 0;
    for (int line = 1; start < text.size(); line++) {
        std::size_t end = text.find('\n', start);
        std::string content = Trim(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        start = end == std::string::npos ? text.size() : end + 1;
        if (content.empty() || content[0] == '#')
            continue;
        std::string where = Escaped(fileName) + ":" + std::to_string(line) + ": ";
        std::size_t equals = content.find('=');
        if (equals == std::string::npos) {
            messages.push_back(where + "expected NAME=VALUE, got " + Quoted(content));
            continue;
        }
        std::string name = Trim(content.substr(0, equals)), value = Trim(content.substr(equals + 1)), error;
        if (!IsSetting(name))
            messages.push_back(where + "unknown setting " + Quoted(name));
        else if (!ParseSetting(name, name, value, source, changes, error))
            messages.push_back(where + error);
    }
}

void ApplySettingChanges(const std::vector<SettingChange>& changes, MemoryStore& store)
{
    for (const SettingChange& c : changes) {
        std::uint32_t& value = store.Values[c.Index];
        // Bits change the stored mask, or the default that the load would use.
        std::uint32_t base = store.KeyExists && store.Present[c.Index] ? value : SETTINGS_TABLE[c.Index].Default;
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
