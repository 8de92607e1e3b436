// The Linux savers' settings file: where it is, and a read that never blocks
// (a FIFO or a device at the path is refused, not opened for reading) and
// never cuts (a file over the limit is refused whole).
#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "settings/SettingOptions.h"

// Larger than any settings file a person writes; a bigger one is refused.
const std::size_t MAX_SETTINGS_FILE_BYTES = 1 << 20;

// $XDG_CONFIG_HOME/orbilux/settings, or ~/.config/orbilux/settings when that
// is unset or empty; empty when neither variable helps.
std::string DefaultSettingsPath(const char* xdgConfigHome, const char* home);

enum class FileRead { Read, Absent, Refused };

// Reads the regular file at `path` into `text`: Absent when nothing is
// there; Refused, with the reason in `why`, when it cannot be read, is not a
// regular file or is larger than MAX_SETTINGS_FILE_BYTES.
FileRead ReadSettingsFile(const std::string& path, std::string& text, std::string& why);

// The settings file's changes: the named file (`named` true), or the default
// one if it is there. Each message is one line for standard error. False
// when a named file cannot be used; a default file that cannot be used is
// reported and ignored, and the run goes on with the defaults.
bool LoadSettingsFile(const std::string& path, bool named, std::vector<SettingChange>& changes,
                      std::vector<std::string>& messages);
