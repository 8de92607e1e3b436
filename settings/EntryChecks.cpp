#include "settings/EntryChecks.h"

#include <cstdio>
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

std::string RefusedEntryText(const SettingFacts& facts)
{
    char text[64];
    std::snprintf(text, sizeof text, "Entry must be between %u and %u%s", static_cast<unsigned>(facts.Low),
                  static_cast<unsigned>(facts.High), std::strcmp(facts.Unit, "%") == 0 ? " %" : "");
    return text;
}
