// The page's settings as an entry of the programs: list in ~/.xscreensaver:
// the hack's command line in the form orbilux.xml gives it, so that the
// XScreenSaver settings window shows the same settings.
#pragma once
#include <cstdint>
#include <string>

#include "settings/SettingsTable.h"

// "orbilux --root --shape circle --rotation none ..." for the stored values.
std::string ProgramsLine(const std::uint32_t (&stored)[SETTINGS_VALUE_COUNT]);
