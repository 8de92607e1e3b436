#include "web/PanelNotes.h"

#include "settings/NumberText.h"
#include "settings/Settings.h"

namespace {

std::string Number(std::uint32_t value)
{
    return std::to_string(value);
}

std::uint32_t KnownBits(const SettingFacts& facts)
{
    std::uint32_t known = 0;
    for (int i = 0; i < facts.ChoiceCount; i++)
        known |= facts.Choices[i].Value;
    return known;
}

const char* DefaultChoiceLabel(const SettingFacts& facts)
{
    for (int i = 0; i < facts.ChoiceCount; i++) {
        if (facts.Choices[i].Value == facts.Default)
            return facts.Choices[i].Label;
    }
    return "";
}

// "bit 1", "bits 1, 1024 and 2048".
std::string BitList(std::uint32_t bits)
{
    std::string list;
    int count = 0;
    for (int bit = 31; bit >= 0; bit--) {
        if ((bits >> bit & 1) == 0)
            continue;
        std::string item = Number(1u << bit);
        list = count == 0 ? item : item + (count == 1 ? " and " : ", ") + list;
        count++;
    }
    return (count == 1 ? "bit " : "bits ") + list;
}

std::string ChoiceLabels(const SettingFacts& facts)
{
    std::string labels;
    for (int i = 0; i < facts.ChoiceCount; i++)
        labels += std::string(i == 0 ? "" : i + 1 == facts.ChoiceCount ? " or " : ", ") + facts.Choices[i].Label;
    return labels;
}

}  // namespace

std::string OddValueNote(int index, std::uint32_t value)
{
    const SettingFacts& facts = SETTINGS_TABLE[index];
    switch (facts.Kind) {
    case SettingKind::Number:
        if (value >= facts.Low && value <= facts.High)
            return "";
        return "beyond the panel's " + Number(facts.Low) + " to " + Number(facts.High) +
            "; the saver draws it as given, and the panel would refuse it";
    case SettingKind::Flag: return value <= 1 ? "" : "neither 0 nor 1; the saver takes it as on";
    case SettingKind::Bits: {
        std::uint32_t known = KnownBits(facts), unknown = value & ~known;
        std::string note;
        if (unknown != 0)
            note = BitList(unknown) + " of it the saver ignores";
        // An empty mask draws the default's choice (the shape and rotation
        // pickers fall back to it); no zoom bit is a choice of its own.
        if ((value & known) == 0 && facts.Default != 0)
            note += std::string(note.empty() ? "" : ", and ") + "none of its choices is ticked; the saver draws " +
                DefaultChoiceLabel(facts);
        return note;
    }
    case SettingKind::Choice:
        for (int i = 0; i < facts.ChoiceCount; i++) {
            if (facts.Choices[i].Value == value)
                return "";
        }
        return "none of " + ChoiceLabels(facts) + "; the saver uses it as given, and the panel shows no choice";
    }
    return "";
}

std::string LockedNote(int index, std::uint32_t choice, const std::uint32_t (&stored)[SETTINGS_VALUE_COUNT])
{
    const SettingFacts& facts = SETTINGS_TABLE[index];
    // The load drops joining at any size above 0 (Settings.cpp).
    if (index == SETTING_JOIN_THE_DOTS && stored[SETTING_RADIUS_FACTOR] != 0)
        return "only at object size 0";
    // An empty shape or rotation mask is saved as the default: the last
    // ticked box cannot be cleared.
    if (facts.Kind == SettingKind::Bits && facts.Default != 0 && (stored[index] & KnownBits(facts)) == choice)
        return "one must stay ticked";
    return "";
}

std::string EntryNote(int index, const char* text, std::uint32_t shown)
{
    // The edit's reading (PageSettings.cpp): decimal only.
    std::uint32_t entry = 0;
    bool hex = text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    if (hex || !ParseNumber32(text, entry))
        return std::string(text[0] == '\0' ? "Empty" : "Not a number the saver reads") + ": the default, " +
            Number(shown) + ".";
    if (index != SETTING_IMAGES_PER_SEC || entry == shown || entry == 0)
        return "";
    return Number(entry) + " a second is an image every " + Number(1000u / entry) +
        " ms; the saver waits whole milliseconds, so it draws " + Number(shown) + " a second.";
}
