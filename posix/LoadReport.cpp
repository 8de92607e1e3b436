#include "posix/LoadReport.h"

#include "settings/Settings.h"
#include "settings/SettingsValues.h"

std::string ReplacedValues(const MemoryStore& store)
{
    MemoryStore copy = store;
    ResetSettings();
    LoadSettings(copy);
    std::string replaced;
    for (int i = 0; i < SETTINGS_VALUE_COUNT; i++) {
        if (!store.KeyExists || !store.Present[i] || RecordHolds(Settings, i, store.Values[i]))
            continue;
        std::uint32_t now = SETTINGS_TABLE[i].Stored(Settings);
        replaced += (replaced.empty() ? "" : "; ") + std::string(SETTINGS_TABLE[i].Name) + "=" +
            std::to_string(store.Values[i]) + " was replaced by " + std::to_string(now);
    }
    return replaced;
}
