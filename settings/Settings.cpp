#include "settings/Settings.h"

#include "settings/SettingsValues.h"

namespace {

// The record at process start: every value's default from the table.
constexpr SettingsRecord StartRecord()
{
    return {DEFAULT_RADIUS_FACTOR,
            DEFAULT_TIMER_INTERVAL,
            SETTINGS_TABLE[SETTING_JOIN_THE_DOTS].Default,
            SETTINGS_TABLE[SETTING_OBJECT_SHAPE].Default,
            SETTINGS_TABLE[SETTING_OBJECT_ROTATION].Default,
            static_cast<std::int32_t>(SETTINGS_TABLE[SETTING_COLOUR_OPTION].Default),
            SETTINGS_TABLE[SETTING_ZOOM_OPTION].Default};
}

}  // namespace

SettingsRecord Settings = StartRecord();

void ResetSettings()
{
    Settings = StartRecord();
}

std::uint32_t ImagesPerSecFor(std::uint32_t timerInterval)
{
    // The load never yields 0; an interval of 0 would mean "as fast as possible".
    return timerInterval == 0 ? MAX_IMAGES_PER_SEC : 1000u / timerInterval;
}

std::uint32_t PercentFor(double radiusFactor)
{
    double percent = radiusFactor * 100.0;
    // Stored percentages are 32-bit; anything beyond (or not a number) saturates.
    if (!(percent >= 0.0))
        return 0;
    if (percent >= 4294967295.0)
        return 0xFFFFFFFFu;
    return static_cast<std::uint32_t>(percent);
}

void LoadSettings(SettingsValueStore& store)
{
    std::uint32_t value = 0;

    Settings.RadiusFactor = DEFAULT_RADIUS_FACTOR;
    if (store.ReadValue(VALUE_RADIUS_FACTOR, value) == StoreRead::Read)
        Settings.RadiusFactor = static_cast<double>(value) * 0.01;

    // A stored 0 would divide by zero, and more than 1000 would give an
    // interval of 0; both keep the default.
    Settings.TimerInterval = DEFAULT_TIMER_INTERVAL;
    if (store.ReadValue(VALUE_IMAGES_PER_SEC, value) == StoreRead::Read && value >= MIN_IMAGES_PER_SEC &&
        value <= MAX_IMAGES_PER_SEC)
        Settings.TimerInterval = 1000u / value;

    // Joining only applies to an object size of 0.
    if (Settings.RadiusFactor > 0.001) {
        Settings.JoinTheDots = 0;
    } else {
        StoreRead read = store.ReadValue(VALUE_JOIN_THE_DOTS, value);
        if (read == StoreRead::Read)
            Settings.JoinTheDots = value;
        else if (read == StoreRead::ValueUnreadable)
            Settings.JoinTheDots = 0;
    }

    if (store.ReadValue(VALUE_OBJECT_SHAPE, value) == StoreRead::Read)
        Settings.ObjectShape = value;
    if (store.ReadValue(VALUE_OBJECT_ROTATION, value) == StoreRead::Read)
        Settings.ObjectRotation = value;
    if (store.ReadValue(VALUE_COLOUR_OPTION, value) == StoreRead::Read)
        Settings.ColourOption = static_cast<std::int32_t>(value);
    if (store.ReadValue(VALUE_ZOOM_OPTION, value) == StoreRead::Read)
        Settings.ZoomOption = value;
}

void SaveRadiusFactor(SettingsValueStore& store)
{
    store.WriteValue(VALUE_RADIUS_FACTOR, PercentFor(Settings.RadiusFactor));
}

void SaveImagesPerSec(SettingsValueStore& store)
{
    store.WriteValue(VALUE_IMAGES_PER_SEC, ImagesPerSecFor(Settings.TimerInterval));
}

void SaveJoinTheDots(SettingsValueStore& store)
{
    store.WriteValue(VALUE_JOIN_THE_DOTS, Settings.JoinTheDots);
}

void SaveColourOption(SettingsValueStore& store, std::int32_t value)
{
    store.WriteValue(VALUE_COLOUR_OPTION, static_cast<std::uint32_t>(value));
}

void SaveObjectShape(SettingsValueStore& store, std::uint32_t mask)
{
    store.WriteValue(VALUE_OBJECT_SHAPE, mask == 0 ? SETTINGS_TABLE[SETTING_OBJECT_SHAPE].Default : mask);
}

void SaveObjectRotation(SettingsValueStore& store, std::uint32_t mask)
{
    store.WriteValue(VALUE_OBJECT_ROTATION, mask == 0 ? SETTINGS_TABLE[SETTING_OBJECT_ROTATION].Default : mask);
}

void SaveZoomOption(SettingsValueStore& store, std::uint32_t mask)
{
    store.WriteValue(VALUE_ZOOM_OPTION, mask);
}
