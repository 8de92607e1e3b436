#include "web/PageSettings.h"

#include <cstdio>
#include <cstring>

#include "settings/EntryChecks.h"
#include "settings/NumberText.h"
#include "settings/Settings.h"
#include "settings/SettingsValues.h"

namespace {

// The edit's reading of a number: a plain signed decimal that fits 32 bits,
// taken as unsigned; false for anything else.
bool ReadEntry(const char* text, std::uint32_t& value)
{
    if (text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        return false;
    return ParseNumber32(text, value);
}

// `text`, then a line per stored value: `format` with its name and number.
std::string ValuesText(const MemoryStore& store, std::string text, const char* format)
{
    char line[64];
    for (int i = 0; i < SETTINGS_VALUE_COUNT; i++) {
        std::snprintf(line, sizeof line, format, SETTINGS_TABLE[i].Name, store.Values[i]);
        text += line;
    }
    return text;
}

}  // namespace

void PageSettings::Clear()
{
    Store = MemoryStore();
    Given = 0;
}

void PageSettings::Give(int index, const char* text, std::size_t length)
{
    std::uint32_t value = 0;
    if (std::strlen(text) == length && ParseNumber32(text, value))
        Store.WriteValue(SETTINGS_TABLE[index].Name, value);
    else
        Store.Unset(SETTINGS_TABLE[index].Name);
    Given |= 1u << index;
}

std::uint32_t PageSettings::Load()
{
    ResetSettings();
    LoadSettings(Store);
    // A value the rules took stays as given (29 % loads as 0.29, whose stored
    // form would be 28); the others take the record's stored form.
    std::uint32_t replaced = 0;
    for (int i = 0; i < SETTINGS_VALUE_COUNT; i++) {
        const SettingFacts& facts = SETTINGS_TABLE[i];
        std::uint32_t value = 0;
        if (Store.ReadValue(facts.Name, value) == StoreRead::Read && RecordHolds(Settings, i, value))
            continue;
        if (Given >> i & 1)
            replaced |= 1u << i;
        SaveSetting(Store, i);
    }
    Given = 0;
    return replaced;
}

bool PageSettings::Enter(int index, const char* text)
{
    if (SETTINGS_TABLE[index].Kind != SettingKind::Number)
        return false;
    std::uint32_t entry = 0;
    bool isNumber = ReadEntry(text, entry);
    bool refused = CheckNumberEntry(Settings, index, isNumber, entry);
    SaveSetting(Store, index);
    return refused;
}

void PageSettings::Choose(int index, std::uint32_t value)
{
    const SettingFacts& facts = SETTINGS_TABLE[index];
    if (facts.Kind == SettingKind::Flag) {
        facts.Take(Settings, value);
        SaveSetting(Store, index);
    } else if (facts.Kind != SettingKind::Number) {
        SaveStoredValue(Store, index, value);
    }
}

std::string PageSettings::RegistryFile() const
{
    // REGEDIT4 is plain ANSI text with CRLF line ends.
    return ValuesText(Store, "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\" SETTINGS_KEY_PATH "]\r\n", "\"%s\"=dword:%08x\r\n");
}

std::string PageSettings::LinuxFile() const
{
    return ValuesText(Store, "# Orbilux settings: ~/.config/orbilux/settings\n", "%s=%u\n");
}
