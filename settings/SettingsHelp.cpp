#include "settings/SettingsHelp.h"

const char STORED_VALUES_NOTE[] =
    "A stored value is kept as given, with no range check (the settings dialog and orbilux's named options refuse "
    "what is out of range), and goes through the saver's load rules as a hand-edited registry value does: an "
    "ImagesPerSec outside 1 to 1000 gives the default, any RadiusFactor is drawn, JoinTheDots counts only with "
    "RadiusFactor 0, bits beyond those listed stay in the mask.";

std::string HelpEntry(const std::string& head, const std::string& text, std::size_t indent)
{
    const std::size_t WIDTH = 79;
    std::string out = head, margin(indent, ' ');
    // The head and the text need a space between them.
    out += !head.empty() && head.size() + 1 > indent ? "\n" + margin : std::string(indent - head.size(), ' ');
    std::size_t column = indent;
    bool lineStart = true;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find(' ', start);
        std::string word = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        start = end == std::string::npos ? text.size() : end + 1;
        if (!lineStart && column + 1 + word.size() > WIDTH) {
            out += "\n" + margin;
            column = indent;
            lineStart = true;
        }
        if (!lineStart) {
            out += ' ';
            column++;
        }
        out += word;
        column += word.size();
        lineStart = false;
    }
    return out + "\n";
}

std::string ChoiceNames(const SettingFacts& facts, const char* last)
{
    std::string names;
    for (int i = 0; i < facts.ChoiceCount; i++)
        names += (i == 0 ? "" : i + 1 == facts.ChoiceCount ? last : ", ") + std::string(facts.Choices[i].Name);
    return names;
}

namespace {

std::string Numbers(const SettingFacts& facts)
{
    std::string list;
    for (int i = 0; i < facts.ChoiceCount; i++)
        list += std::string(i == 0 ? "" : ", ") + facts.Choices[i].Name + "=" + std::to_string(facts.Choices[i].Value);
    return list;
}

}  // namespace

std::string StoredValuesHelp(const std::string& prefix)
{
    std::string help;
    for (const SettingFacts& facts : SETTINGS_TABLE) {
        std::string text = facts.Meaning;
        switch (facts.Kind) {
        case SettingKind::Number:
            text += "; " + std::to_string(facts.Low) + " to " + std::to_string(facts.High) + " " + facts.Unit;
            break;
        case SettingKind::Flag: text += "; 1 on, any other number off"; break;
        case SettingKind::Bits: text += "; the sum of " + Numbers(facts); break;
        case SettingKind::Choice: text += "; " + Numbers(facts); break;
        }
        help += HelpEntry(prefix + facts.Name, text + " [" + std::to_string(facts.Default) + "]");
    }
    return help;
}
