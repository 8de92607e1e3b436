#include "web/ProgramsLine.h"

namespace {

std::string Option(const SettingFacts& facts, const char* value)
{
    return std::string(" --") + facts.Option + (value ? std::string(" ") + value : "");
}

std::string Raw(const SettingFacts& facts, std::uint32_t value)
{
    return std::string(" --") + facts.Name + " " + std::to_string(value);
}

std::string Number(const SettingFacts& facts, std::uint32_t value)
{
    if (value == facts.Default)
        return "";  // the settings window leaves a default out
    if (value < facts.Low || value > facts.High)
        return Raw(facts, value);
    return Option(facts, std::to_string(value).c_str());
}

// The choice equal to the default is a box that is ticked unless the line
// says --no-OPTION NAME; the others are ticked by --OPTION NAME.
std::string Bits(const SettingFacts& facts, std::uint32_t value)
{
    std::string line;
    for (int i = 0; i < facts.ChoiceCount; i++) {
        const SettingChoice& choice = facts.Choices[i];
        bool set = (value & choice.Value) != 0;
        if (choice.Value == facts.Default && !set)
            line += std::string(" --no-") + facts.Option + " " + choice.Name;
        else if (choice.Value != facts.Default && set)
            line += Option(facts, choice.Name);
    }
    return line;
}

std::string Choice(const SettingFacts& facts, std::uint32_t value)
{
    if (value == facts.Default)
        return "";
    for (int i = 0; i < facts.ChoiceCount; i++) {
        if (facts.Choices[i].Value == value)
            return Option(facts, facts.Choices[i].Name);
    }
    return Raw(facts, value);
}

// The settings window's order: size, speed, joining, colour, then the boxes.
const int ORDER[] = {SETTING_RADIUS_FACTOR, SETTING_IMAGES_PER_SEC,  SETTING_JOIN_THE_DOTS, SETTING_COLOUR_OPTION,
                     SETTING_OBJECT_SHAPE,  SETTING_OBJECT_ROTATION, SETTING_ZOOM_OPTION};

}  // namespace

std::string ProgramsLine(const std::uint32_t (&stored)[SETTINGS_VALUE_COUNT])
{
    std::string line = "orbilux --root";
    // The first --shape and --rotation replace the settings file's sets.
    for (const SettingFacts& facts : SETTINGS_TABLE) {
        for (int i = 0; facts.Kind == SettingKind::Bits && i < facts.ChoiceCount; i++) {
            if (facts.Choices[i].Value == facts.Default)
                line += Option(facts, facts.Choices[i].Name);
        }
    }
    for (int index : ORDER) {
        const SettingFacts& facts = SETTINGS_TABLE[index];
        std::uint32_t value = stored[index];
        switch (facts.Kind) {
        case SettingKind::Number: line += Number(facts, value); break;
        case SettingKind::Flag: line += value != 0 ? Option(facts, nullptr) : ""; break;
        case SettingKind::Bits: line += Bits(facts, value); break;
        case SettingKind::Choice: line += Choice(facts, value); break;
        }
    }
    return line;
}
