// The user's choices and the rules that load them from, and save them to, a
// store of named 32-bit values (the registry on Windows).
#pragma once
#include <cstdint>

struct SettingsRecord {
    double RadiusFactor;           // object size as a fraction of the drawable size
    std::uint32_t TimerInterval;   // milliseconds between ticks; stored as images per second
    std::uint32_t JoinTheDots;     // 1 = join successive points
    std::uint32_t ObjectShape;     // mask of enabled shapes
    std::uint32_t ObjectRotation;  // mask of enabled rotations
    std::int32_t ColourOption;     // lower bound of the colour components
    std::uint32_t ZoomOption;      // mask of zoom levels, phase counts, start sizes
};
extern SettingsRecord Settings;

// Outcome of one read: open the key, query one value into 4 bytes, close.
enum class StoreRead { KeyMissing, ValueUnreadable, Read };

class SettingsValueStore {
public:
    // On Read, `value` holds the value's 4 data bytes as a little-endian number.
    virtual StoreRead ReadValue(const char* name, std::uint32_t& value) = 0;
    // Creates the key path when missing; fails silently.
    virtual void WriteValue(const char* name, std::uint32_t value) = 0;

protected:
    ~SettingsValueStore() = default;
};

// Puts every field back to its value at process start.
void ResetSettings();
void LoadSettings(SettingsValueStore& store);

// Writes value `index` (SETTINGS_TABLE's row) as Settings holds it.
void SaveSetting(SettingsValueStore& store, int index);
// Writes `stored` as value `index`; an empty mask (a Bits row, built from the
// dialog's check boxes) is written as the default: shape and rotation 2, no
// zoom 0.
void SaveStoredValue(SettingsValueStore& store, int index, std::uint32_t stored);
// Whether `record` holds in value `index`'s field what the load makes of
// `stored` (29 % loads as 0.29, whose stored form is 28).
bool RecordHolds(const SettingsRecord& record, int index, std::uint32_t stored);

// The dialog's and the store's conversions.
std::uint32_t ImagesPerSecFor(std::uint32_t timerInterval);  // 1000 div interval, safe for 0
std::uint32_t PercentFor(double radiusFactor);               // trunc(factor * 100.0), saturating
