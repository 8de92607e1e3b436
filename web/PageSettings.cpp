#include "web/PageSettings.h"

#include <cstdio>
#include <cstring>

#include "settings/EntryChecks.h"
#include "settings/NumberText.h"
#include "settings/Settings.h"
#include "settings/SettingsValues.h"

namespace {

enum {
    RADIUS = SETTING_RADIUS_FACTOR,
    IMAGES = SETTING_IMAGES_PER_SEC,
    JOIN = SETTING_JOIN_THE_DOTS,
    SHAPE = SETTING_OBJECT_SHAPE,
    ROTATION = SETTING_OBJECT_ROTATION,
    COLOUR = SETTING_COLOUR_OPTION,
    ZOOM = SETTING_ZOOM_OPTION
};

// What the record holds of each value, as the value's stored number.
void StoredForm(std::uint32_t (&values)[SETTINGS_VALUE_COUNT])
{
    values[RADIUS] = PercentFor(Settings.RadiusFactor);
    values[IMAGES] = ImagesPerSecFor(Settings.TimerInterval);
    values[JOIN] = Settings.JoinTheDots;
    values[SHAPE] = Settings.ObjectShape;
    values[ROTATION] = Settings.ObjectRotation;
    values[COLOUR] = static_cast<std::uint32_t>(Settings.ColourOption);
    values[ZOOM] = Settings.ZoomOption;
}

// Whether the record took `value` as given for value `index`.
bool Took(int index, std::uint32_t value)
{
    switch (index) {
    case RADIUS: return Settings.RadiusFactor == static_cast<double>(value) * 0.01;
    case IMAGES: return value != 0 && Settings.TimerInterval == 1000u / value;
    case JOIN: return Settings.JoinTheDots == value;
    case SHAPE: return Settings.ObjectShape == value;
    case ROTATION: return Settings.ObjectRotation == value;
    case COLOUR: return static_cast<std::uint32_t>(Settings.ColourOption) == value;
    default: return Settings.ZoomOption == value;
    }
}

// The edit's reading of a number: a plain signed decimal that fits 32 bits,
// taken as unsigned; false for anything else.
bool ReadEntry(const char* text, std::uint32_t& value)
{
    if (text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        return false;
    return ParseNumber32(text, value);
}

}  // namespace

void PageSettings::Clear()
{
    Store = MemoryStore();
    Given = 0;
}

void PageSettings::Give(int index, const char* text, std::size_t length)
{
    Store.KeyExists = true;
    Store.Present[index] = std::strlen(text) == length && ParseNumber32(text, Store.Values[index]);
    Given |= 1u << index;
}

std::uint32_t PageSettings::Load()
{
    ResetSettings();
    LoadSettings(Store);
    // A value the rules took stays as given (29 % loads as 0.29, whose stored
    // form would be 28); the others take the record's stored form.
    std::uint32_t form[SETTINGS_VALUE_COUNT];
    StoredForm(form);
    std::uint32_t replaced = 0;
    for (int i = 0; i < SETTINGS_VALUE_COUNT; i++) {
        if (Store.Present[i] && Took(i, Store.Values[i]))
            continue;
        if (Given >> i & 1)
            replaced |= 1u << i;
        Store.Values[i] = form[i];
        Store.Present[i] = true;
    }
    Store.KeyExists = true;
    Given = 0;
    return replaced;
}

bool PageSettings::Enter(int index, const char* text)
{
    std::uint32_t entry = 0;
    bool isNumber = ReadEntry(text, entry);
    if (index == IMAGES) {
        ImagesEntry checked = CheckImagesEntry(isNumber, entry, Settings.TimerInterval);
        Settings.TimerInterval = checked.TimerInterval;
        SaveImagesPerSec(Store);
        return checked.Refused;
    }
    if (index != RADIUS)
        return false;
    SizeEntry checked = CheckSizeEntry(isNumber, entry, Settings.RadiusFactor);
    Settings.RadiusFactor = checked.RadiusFactor;
    SaveRadiusFactor(Store);
    return checked.Refused;
}

void PageSettings::Choose(int index, std::uint32_t value)
{
    switch (index) {
    case JOIN:
        Settings.JoinTheDots = value;
        SaveJoinTheDots(Store);
        break;
    case SHAPE: SaveObjectShape(Store, value); break;
    case ROTATION: SaveObjectRotation(Store, value); break;
    case COLOUR: SaveColourOption(Store, static_cast<std::int32_t>(value)); break;
    case ZOOM: SaveZoomOption(Store, value); break;
    default: break;
    }
}

std::string PageSettings::RegistryFile() const
{
    // REGEDIT4 is plain ANSI text with CRLF line ends.
    std::string text = "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\" SETTINGS_KEY_PATH "]\r\n";
    char line[64];
    for (int i = 0; i < SETTINGS_VALUE_COUNT; i++) {
        std::snprintf(line, sizeof line, "\"%s\"=dword:%08x\r\n", SETTINGS_TABLE[i].Name, Store.Values[i]);
        text += line;
    }
    return text;
}

std::string PageSettings::LinuxFile() const
{
    std::string text = "# Orbilux settings: ~/.config/orbilux/settings\n";
    char line[64];
    for (int i = 0; i < SETTINGS_VALUE_COUNT; i++) {
        std::snprintf(line, sizeof line, "%s=%u\n", SETTINGS_TABLE[i].Name, Store.Values[i]);
        text += line;
    }
    return text;
}
