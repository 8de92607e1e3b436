#include "settings/EntryChecks.h"

#include <cstring>

#include "settings/Settings.h"
#include "settings/SettingsValues.h"

ImagesEntry CheckImagesEntry(bool isNumber, std::uint32_t entry, std::uint32_t timerInterval)
{
    if (!isNumber)
        return {DEFAULT_TIMER_INTERVAL, false};
    if (entry >= MIN_IMAGES_PER_SEC && entry <= MAX_IMAGES_PER_SEC)
        return {1000u / entry, false};
    return {timerInterval, true};
}

SizeEntry CheckSizeEntry(bool isNumber, std::uint32_t entry, double radiusFactor)
{
    if (!isNumber)
        return {DEFAULT_RADIUS_FACTOR, false};
    if (entry <= MAX_OBJECT_SIZE_PERCENT)
        return {static_cast<double>(entry) * 0.01, false};
    // A size beyond 500 % can only come from a hand-edited registry. Shown
    // again, it would be refused by the notification it causes, without end;
    // the default goes back instead.
    if (PercentFor(radiusFactor) > MAX_OBJECT_SIZE_PERCENT)
        return {DEFAULT_RADIUS_FACTOR, true};
    return {radiusFactor, true};
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
