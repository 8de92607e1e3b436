// Direct access to the settings key for the tests, bypassing the store under
// test: clear it, plant values of any type, read back what was written.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

struct StoredValue {
    std::string Name;
    DWORD Type;
    std::vector<BYTE> Data;
};

// Removes the settings key together with the keys above it that the saver owns.
void RemoveSettingsKey();
bool SettingsKeyExists();

void PutDword(const char* name, std::uint32_t value);
void PutRaw(const char* name, DWORD type, const void* data, DWORD size);

// Every value in the key, in the registry's order; empty when the key is missing.
std::vector<StoredValue> StoredValues();
// The value's data as a DWORD; false unless it is a 4-byte REG_DWORD.
bool GetDword(const char* name, std::uint32_t& value);

// Replaces the key's access list with read access for everyone, as an
// administrator would to lock the settings; UnlockSettingsKey gives full
// access back.
bool LockSettingsKeyReadOnly();
void UnlockSettingsKey();
