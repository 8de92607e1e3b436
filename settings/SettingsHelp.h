// Help text about the stored settings, from SETTINGS_TABLE: what each stored
// number means, so that a value such as ObjectShape=510 can be read from a
// program's --help alone.
#pragma once
#include <string>

#include "settings/SettingsTable.h"

const std::size_t WRAP_INDENT = 20;
// `text` wrapped to 79 columns: `head` in the first `indent` columns (or on a
// line of its own when longer), the rest indented by `indent`.
std::string HelpEntry(const std::string& head, const std::string& text, std::size_t indent = WRAP_INDENT);

// "circle, square, ..., eight-point-star", with `last` before the last name.
std::string ChoiceNames(const SettingFacts& facts, const char* last = ", ");

// One entry per stored value: its meaning, range or numbers, and default;
// each head is `prefix` and the value's name (e.g. "  -", "  ").
std::string StoredValuesHelp(const std::string& prefix);

// What sets a raw stored value apart from the friendly options.
extern const char STORED_VALUES_NOTE[];
