// The settings dialog's checks of its two number fields, free of the
// platform: what an entry makes of the setting, and whether it is refused.
// A refused entry keeps the setting, which the dialog then shows again with
// a warning.
#pragma once
#include <cstdint>

#include "settings/SettingsTable.h"

struct ImagesEntry {
    std::uint32_t TimerInterval;
    bool Refused;
};

struct SizeEntry {
    double RadiusFactor;
    bool Refused;
};

// `isNumber` and `entry` as the edit reads them (a signed number taken as
// unsigned, so a negative one is refused with the rest). Not a number gives
// the default and is never refused.
// The dialog's warning for a refused entry: its caption, and its text for
// the setting's row of the table ("Entry must be between 1 and 1000",
// "Entry must be between 0 and 500 %"). The text is built in a buffer of its
// own, so the Windows saver needs neither a string library nor printf.
const char IMAGES_REFUSED_CAPTION[] = "Images Per Second";
const char SIZE_REFUSED_CAPTION[] = "Circle Radius";
struct RefusedText {
    char Text[64];  // room for two 10-digit numbers
    const char* c_str() const { return Text; }
};
RefusedText RefusedEntryText(const SettingFacts& facts);

ImagesEntry CheckImagesEntry(bool isNumber, std::uint32_t entry, std::uint32_t timerInterval);
SizeEntry CheckSizeEntry(bool isNumber, std::uint32_t entry, double radiusFactor);
