#include "settings/EntryChecks.h"

#include <cstring>

#include "settings/Settings.h"
#include "settings/SettingsValues.h"

bool CheckNumberEntry(SettingsRecord& record, int index, bool isNumber, std::uint32_t entry)
{
    const SettingFacts& facts = SETTINGS_TABLE[index];
    bool inRange = entry >= facts.Low && entry <= facts.High;
    if (!isNumber || inRange) {
        facts.Take(record, isNumber ? entry : facts.Default);
        return false;
    }
    std::uint32_t shown = facts.Stored(record);
    if (shown < facts.Low || shown > facts.High)
        facts.Take(record, facts.Default);
    return true;
}

ImagesEntry CheckImagesEntry(bool isNumber, std::uint32_t entry, std::uint32_t timerInterval)
{
    SettingsRecord record = Settings;
    record.TimerInterval = timerInterval;
    bool refused = CheckNumberEntry(record, SETTING_IMAGES_PER_SEC, isNumber, entry);
    return {record.TimerInterval, refused};
}

SizeEntry CheckSizeEntry(bool isNumber, std::uint32_t entry, double radiusFactor)
{
    SettingsRecord record = Settings;
    record.RadiusFactor = radiusFactor;
    bool refused = CheckNumberEntry(record, SETTING_RADIUS_FACTOR, isNumber, entry);
    return {record.RadiusFactor, refused};
}

namespace {

// Appends `text` at `out`; returns the new end.
char* Append(char* out, const char* text)
{
    while (*text)
        *out++ = *text++;
    return out;
}

char* AppendDecimal(char* out, std::uint32_t value)
{
    char digits[10];
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    while (count > 0)
        *out++ = digits[--count];
    return out;
}

}  // namespace

RefusedText RefusedEntryText(const SettingFacts& facts)
{
    RefusedText refused;
    char* end = Append(refused.Text, "Entry must be between ");
    end = AppendDecimal(end, facts.Low);
    end = Append(end, " and ");
    end = AppendDecimal(end, facts.High);
    end = Append(end, std::strcmp(facts.Unit, "%") == 0 ? " %" : "");
    *end = '\0';
    return refused;
}
