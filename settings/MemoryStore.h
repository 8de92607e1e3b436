// Settings values held in memory: the headless renderer's stand-in for the
// registry key, and the tests' store. Its slots are SETTINGS_TABLE's rows. A
// value not set is missing; the key exists once any value has been set or
// written.
#pragma once
#include <cstdint>

#include "settings/Settings.h"
#include "settings/SettingsTable.h"

class MemoryStore : public SettingsValueStore {
public:
    StoreRead ReadValue(const char* name, std::uint32_t& value) override;
    void WriteValue(const char* name, std::uint32_t value) override;
    // Makes `name` a value that cannot be read, in a key that exists (a
    // registry value of the wrong type).
    void Unset(const char* name);

    bool KeyExists = false;
    bool Present[SETTINGS_VALUE_COUNT] = {};
    std::uint32_t Values[SETTINGS_VALUE_COUNT] = {};
    int Writes = 0;  // WriteValue calls, for tests
};
