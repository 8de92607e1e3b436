// The settings dialog's check of a number field (a Number row of the table),
// free of the platform: what an entry makes of the setting, and whether it is
// refused. A refused entry keeps the setting, which the dialog then shows
// again with a warning.
#pragma once
#include <cstdint>

#include "settings/SettingsTable.h"

// `isNumber` and `entry` as the edit reads them (a signed number taken as
// unsigned, so a negative one is refused with the rest), into value `index`'s
// field of `record`. Not a number gives the default and is never refused; an
// entry outside Low to High is refused, and the field keeps its value unless
// that is outside the range too (a size beyond 500 % can only come from a
// hand-edited registry: shown again, it would be refused by the notification
// it causes, without end), when the default goes back instead.
// Returns whether the entry was refused.
bool CheckNumberEntry(SettingsRecord& record, int index, bool isNumber, std::uint32_t entry);

// The dialog's warning for a refused entry: its caption is the row's
// Refused, and its text ("Entry must be between 1 and 1000", "Entry must be
// between 0 and 500 %") is built in a buffer of its own, so the Windows saver
// needs neither a string library nor printf.
inline constexpr const char* IMAGES_REFUSED_CAPTION = SETTINGS_TABLE[SETTING_IMAGES_PER_SEC].Refused;
inline constexpr const char* SIZE_REFUSED_CAPTION = SETTINGS_TABLE[SETTING_RADIUS_FACTOR].Refused;
struct RefusedText {
    char Text[64];  // room for two 10-digit numbers
    const char* c_str() const { return Text; }
};
RefusedText RefusedEntryText(const SettingFacts& facts);

// CheckNumberEntry for one field each, as the rules' tables state them.
struct ImagesEntry {
    std::uint32_t TimerInterval;
    bool Refused;
};
struct SizeEntry {
    double RadiusFactor;
    bool Refused;
};
ImagesEntry CheckImagesEntry(bool isNumber, std::uint32_t entry, std::uint32_t timerInterval);
SizeEntry CheckSizeEntry(bool isNumber, std::uint32_t entry, double radiusFactor);
