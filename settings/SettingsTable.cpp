#include "settings/SettingsTable.h"

#include <cstring>

int SettingsValueIndex(const char* name)
{
    for (int i = 0; i < SETTINGS_VALUE_COUNT; i++)
        if (std::strcmp(name, SETTINGS_TABLE[i].Name) == 0)
            return i;
    return -1;
}

int SettingOptionIndex(const char* option)
{
    for (int i = 0; i < SETTINGS_VALUE_COUNT; i++)
        if (std::strcmp(option, SETTINGS_TABLE[i].Option) == 0)
            return i;
    return -1;
}

const SettingChoice* FindChoice(const SettingFacts& facts, const char* name)
{
    for (int i = 0; i < facts.ChoiceCount; i++)
        if (std::strcmp(name, facts.Choices[i].Name) == 0)
            return &facts.Choices[i];
    return nullptr;
}
