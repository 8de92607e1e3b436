// The settings as options and as a settings file, the same for every program
// that takes them: the friendly options (-object-size 20, -shape square,
// -no-join-dots), the stored values by name (-RadiusFactor 20), the settings
// file's NAME=VALUE lines, and the changes they make to a value store.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "settings/ArgScanner.h"
#include "settings/MemoryStore.h"
#include "settings/SettingsTable.h"

// One change to a stored value: set it, or set or clear mask bits in it.
struct SettingChange {
    enum Kind { Set, AddBits, RemoveBits };
    int Index;  // into SETTINGS_TABLE
    Kind Operation;
    std::uint32_t Value;
};

// One source of settings (a command line, a settings file): its changes in
// order, and the masks that a -shape, -rotation or -zoom has already
// replaced there (the first replaces, later ones add).
struct SettingSource {
    std::vector<SettingChange> Changes;
    bool Replaced[SETTINGS_VALUE_COUNT] = {};
};

// For ArgScanner: whether `name` (without dashes) is a setting's option, and
// how it takes its value (a flag alone or with "=1"/"=0"; the rest a value).
bool SettingOptionValue(const std::string& name, OptionValue& value);

// Adds a scanned setting option to `source`. False with a one-line message
// when its value is refused.
bool TakeSettingOption(const ScannedOption& option, SettingSource& source, std::string& error);

// Reads a settings file's text: lines NAME=VALUE, where NAME is a stored
// value's name or a setting's option (a flag takes 1 or 0); blank lines and
// lines starting with '#' are skipped, and so is a UTF-8 byte-order mark.
// Each bad line adds one message naming `fileName` and the line; the good
// lines still count.
void ParseSettingsText(const std::string& text, const std::string& fileName, std::vector<SettingChange>& changes,
                       std::vector<std::string>& messages);

// Applies the changes in order to `store`; bits go into the stored value, or
// into the default when none is stored.
void ApplySettingChanges(const std::vector<SettingChange>& changes, SettingsValueStore& store);

// The help lines of the friendly options, each with its default, then the
// stored values'; `dashes` is "-" or "--".
std::string SettingOptionsHelp(const char* dashes);
std::string StoredOptionsHelp(const char* dashes);
