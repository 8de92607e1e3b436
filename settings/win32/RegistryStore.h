// The settings key in the current user's registry, as a store of named values.
#pragma once
#include "settings/Settings.h"

// The process's registry store: each read opens the key for reading, queries
// one value into 4 bytes and closes it; each write creates the key path, sets
// one REG_DWORD value and closes it.
SettingsValueStore& RegistryStore();

// LoadSettings from the registry.
void LoadSettingsFromRegistry();
