// What the panel says beside its controls and about a link's values: a
// stored value the panel cannot show as it is, a control that cannot change
// now, and what an accepted entry became. Each is a short text for a
// visitor, empty when there is nothing to say.
#pragma once
#include <cstdint>
#include <string>

#include "settings/SettingsTable.h"

// Why stored value `index` is not one of the panel's: beyond its range, a
// flag other than 0 or 1, bits it does not offer, no choice at all.
std::string OddValueNote(int index, std::uint32_t value);

// Why the control for value `index` cannot change now, given every stored
// value: for a Bits value, the control of bit `choice`; 0 for the others.
std::string LockedNote(int index, std::uint32_t choice, const std::uint32_t (&stored)[SETTINGS_VALUE_COUNT]);

// What an entry the dialog's checks accepted became, when it is not what
// was typed: no number gives the default, and images per second round to a
// whole number of milliseconds between images. `shown` is the stored value
// after the entry.
std::string EntryNote(int index, const char* text, std::uint32_t shown);
