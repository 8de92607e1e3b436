#include "posix/LoadReport.h"

#include "settings/Settings.h"
#include "settings/SettingsValues.h"

namespace {

// The record's value `index` as a stored number, and whether that is what
// `given` loads to.
bool Took(int index, std::uint32_t given, std::uint32_t& now)
{
    switch (index) {
    case SETTING_RADIUS_FACTOR:
        now = PercentFor(Settings.RadiusFactor);
        return Settings.RadiusFactor == static_cast<double>(given) * 0.01;
    case SETTING_IMAGES_PER_SEC:
        now = ImagesPerSecFor(Settings.TimerInterval);
        return given != 0 && Settings.TimerInterval == 1000u / given;
    case SETTING_JOIN_THE_DOTS: now = Settings.JoinTheDots; break;
    case SETTING_OBJECT_SHAPE: now = Settings.ObjectShape; break;
    case SETTING_OBJECT_ROTATION: now = Settings.ObjectRotation; break;
    case SETTING_COLOUR_OPTION: now = static_cast<std::uint32_t>(Settings.ColourOption); break;
    default: now = Settings.ZoomOption; break;
    }
    return now == given;
}

}  // namespace

std::string ReplacedValues(const MemoryStore& store)
{
    MemoryStore copy = store;
    ResetSettings();
    LoadSettings(copy);
    std::string replaced;
    for (int i = 0; i < SETTINGS_VALUE_COUNT; i++) {
        std::uint32_t now = 0;
        if (!store.KeyExists || !store.Present[i] || Took(i, store.Values[i], now))
            continue;
        replaced += (replaced.empty() ? "" : "; ") + std::string(SETTINGS_TABLE[i].Name) + "=" +
            std::to_string(store.Values[i]) + " was replaced by " + std::to_string(now);
    }
    return replaced;
}
