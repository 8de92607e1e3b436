#include "settings/Settings.h"

#include <cstring>

#include "settings/SettingsTable.h"
#include "settings/SettingsValues.h"

namespace {

// The record at process start: every value's default from the table.
SettingsRecord StartRecord()
{
    SettingsRecord record{};
    for (const SettingFacts& facts : SETTINGS_TABLE)
        facts.Take(record, facts.Default);
    return record;
}

bool InRange(const SettingFacts& facts, std::uint32_t stored)
{
    return stored >= facts.Low && stored <= facts.High;
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

// In table order, so a value's Counts sees the values loaded before it.
void LoadSettings(SettingsValueStore& store)
{
    for (const SettingFacts& facts : SETTINGS_TABLE) {
        if (facts.Counts && !facts.Counts(Settings)) {
            facts.Take(Settings, facts.Default);
            continue;
        }
        std::uint32_t value = 0;
        StoreRead read = store.ReadValue(facts.Name, value);
        if (read == StoreRead::Read && ((facts.Load & DEFAULT_OUT_OF_RANGE) == 0 || InRange(facts, value)))
            facts.Take(Settings, value);
        else if ((read == StoreRead::Read) ||
                 (read == StoreRead::KeyMissing && facts.Load & DEFAULT_WHEN_KEY_MISSING) ||
                 (read == StoreRead::ValueUnreadable && facts.Load & DEFAULT_WHEN_UNREADABLE))
            facts.Take(Settings, facts.Default);
    }
}

void SaveSetting(SettingsValueStore& store, int index)
{
    const SettingFacts& facts = SETTINGS_TABLE[index];
    store.WriteValue(facts.Name, facts.Stored(Settings));
}

void SaveStoredValue(SettingsValueStore& store, int index, std::uint32_t stored)
{
    const SettingFacts& facts = SETTINGS_TABLE[index];
    store.WriteValue(facts.Name, facts.Kind == SettingKind::Bits && stored == 0 ? facts.Default : stored);
}

bool RecordHolds(const SettingsRecord& record, int index, std::uint32_t stored)
{
    const SettingFacts& facts = SETTINGS_TABLE[index];
    if ((facts.Load & DEFAULT_OUT_OF_RANGE) != 0 && !InRange(facts, stored))
        return false;
    // The two records differ at most in that one field, so comparing their
    // bytes compares it, whatever its type; a loaded field is never NaN or -0.
    SettingsRecord loaded = record;
    facts.Take(loaded, stored);
    return std::memcmp(&loaded, &record, sizeof record) == 0;  // NOLINT(bugprone-suspicious-memory-comparison)
}
