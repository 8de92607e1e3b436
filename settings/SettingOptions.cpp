#include "settings/SettingOptions.h"

#include "settings/NumberText.h"
#include "settings/SettingsHelp.h"

namespace {

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
bool ParseSetting(const std::string& name, const std::string& option, const std::string& value, SettingSource& source,
                  std::string& error)
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
        source.Changes.push_back({index, SettingChange::Set, v});
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
    source.Changes.push_back({index, operation, v});
    return true;
}

std::string Trim(const std::string& s)
{
    std::size_t b = s.find_first_not_of(" \t\r"), e = s.find_last_not_of(" \t\r");
    return b == std::string::npos ? "" : s.substr(b, e - b + 1);
}

// One friendly setting's line of the help.
std::string SettingUsage(const SettingFacts& facts, const char* dashes)
{
    std::string head = std::string("  ") + dashes + facts.Option, text = facts.Meaning;
    switch (facts.Kind) {
    case SettingKind::Number:
        head += " N";
        text += ", " + std::to_string(facts.Low) + " to " + std::to_string(facts.High) + " " + facts.Unit + " [" +
            std::to_string(facts.Default) + "]";
        break;
    case SettingKind::Flag:
        head += std::string(", ") + dashes + "no-" + facts.Option;
        text += std::string(" [") + (facts.Default != 0 ? "on" : "off") + "]";
        break;
    case SettingKind::Choice:
    case SettingKind::Bits: {
        bool bits = facts.Kind == SettingKind::Bits;
        head += bits ? std::string(" NAMES, ") + dashes + "no-" + facts.Option + " NAMES" : std::string(" NAME");
        std::string defaults;
        for (int i = 0; i < facts.ChoiceCount; i++)
            if (bits ? (facts.Default & facts.Choices[i].Value) != 0 : facts.Default == facts.Choices[i].Value)
                defaults += (defaults.empty() ? "" : ",") + std::string(facts.Choices[i].Name);
        text += ": " + ChoiceNames(facts, bits ? ", " : " or ") + " [" + (defaults.empty() ? "none" : defaults) + "]";
        if (std::string(facts.Option) == "colour")
            text += std::string(" (also ") + dashes + "color)";
        break;
    }
    }
    return HelpEntry(head, text);
}

}  // namespace

bool SettingOptionValue(const std::string& name, OptionValue& value)
{
    if (SettingsValueIndex(name.c_str()) >= 0) {
        value = OptionValue::Required;
        return true;
    }
    bool negated = false;
    int index = SettingOf(name, negated);
    if (index < 0)
        return false;
    value = SETTINGS_TABLE[index].Kind == SettingKind::Flag ? OptionValue::Inline : OptionValue::Required;
    return true;
}

bool TakeSettingOption(const ScannedOption& option, SettingSource& source, std::string& error)
{
    if (!option.HasValue) {
        // A flag alone: on, or off for its "no-" form.
        bool negated = false;
        int index = SettingOf(option.Name, negated);
        source.Changes.push_back({index, SettingChange::Set, negated ? 0u : 1u});
        return true;
    }
    return ParseSetting(option.Name, option.Option, option.Value, source, error);
}

void ParseSettingsText(const std::string& text, const std::string& fileName, std::vector<SettingChange>& changes,
                       std::vector<std::string>& messages)
{
    SettingSource source;
    const char bom[] = "\xEF\xBB\xBF";
    std::size_t start = text.compare(0, 3, bom) == 0 ? 3 : 0;
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
        OptionValue how = OptionValue::Bare;
        if (name.find('\0') != std::string::npos || !SettingOptionValue(name, how))
            messages.push_back(where + "unknown setting " + Quoted(name));
        else if (!ParseSetting(name, name, value, source, error))
            messages.push_back(where + error);
    }
    changes.insert(changes.end(), source.Changes.begin(), source.Changes.end());
}

void ApplySettingChanges(const std::vector<SettingChange>& changes, SettingsValueStore& store)
{
    for (const SettingChange& c : changes) {
        const SettingFacts& facts = SETTINGS_TABLE[c.Index];
        // Bits change the stored mask, or the default that the load would use.
        std::uint32_t base = facts.Default;
        store.ReadValue(facts.Name, base);
        std::uint32_t value = c.Operation == SettingChange::Set ? c.Value
            : c.Operation == SettingChange::AddBits             ? base | c.Value
                                                                : base & ~c.Value;
        store.WriteValue(facts.Name, value);
    }
}

std::string SettingOptionsHelp(const char* dashes)
{
    std::string help;
    for (const SettingFacts& facts : SETTINGS_TABLE)
        help += SettingUsage(facts, dashes);
    return help;
}

std::string StoredOptionsHelp(const char* dashes)
{
    return StoredValuesHelp(std::string("  ") + dashes) + HelpEntry("", STORED_VALUES_NOTE, 0);
}
