// Direct access to the settings key for the tests, bypassing the store under
// test. The path and names are spelt out here, so a wrong one in the saver shows.
#pragma once
#include <gtest/gtest.h>

#include <windows.h>
#include <sddl.h>

#include <cstdio>
#include <initializer_list>
#include <string>

#include "settings/Settings.h"

const char* const TEST_KEY_PATH = "Software\\Plorvex\\orbx_ss\\Settings";
const char* const VALUE_NAMES[] = {"ImagesPerSec", "RadiusFactor", "JoinTheDots", "ColourOption",
                                   "ObjectShape",  "ObjectRotation", "ZoomOption"};
const DWORD NOT_A_DWORD = 0xDEADBEEF;  // "do not store" for PutDwords

// Gives the key an access list of one entry for everyone, as an administrator
// would to lock the settings ("KR": read only; "KA": full access).
inline bool SetKeyAccess(const char* rights)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, TEST_KEY_PATH, 0, WRITE_DAC, &key) != ERROR_SUCCESS)
        return false;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    bool done = ConvertStringSecurityDescriptorToSecurityDescriptorA(
                    (std::string("D:P(A;;") + rights + ";;;WD)").c_str(), SDDL_REVISION_1, &descriptor, nullptr) &&
                RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor) == ERROR_SUCCESS;
    LocalFree(descriptor);
    RegCloseKey(key);
    return done;
}

// Removes the settings key together with the keys above it that the saver owns.
inline void RemoveSettingsKey()
{
    SetKeyAccess("KA");
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Plorvex");
}

// Creates the key path when missing.
inline void PutRaw(const char* name, DWORD type, const void* data, DWORD size)
{
    RegSetKeyValueA(HKEY_CURRENT_USER, TEST_KEY_PATH, name, type, data, size);
}

// Stores REG_DWORD values for the names in VALUE_NAMES order.
inline void PutDwords(std::initializer_list<DWORD> values)
{
    for (size_t i = 0; i < values.size(); ++i)
        if (DWORD value = values.begin()[i]; value != NOT_A_DWORD)
            PutRaw(VALUE_NAMES[i], REG_DWORD, &value, sizeof value);
}

// Every value in VALUE_NAMES order, the masks in hex; "-" where a value is
// missing or not a 4-byte REG_DWORD.
inline std::string StoredValues()
{
    std::string line;
    for (int i = 0; i < 7; ++i) {
        DWORD type = 0, value = 0, size = sizeof value;
        char text[16] = " -";
        if (RegGetValueA(HKEY_CURRENT_USER, TEST_KEY_PATH, VALUE_NAMES[i], RRF_RT_ANY, &type, &value, &size) ==
                ERROR_SUCCESS && type == REG_DWORD && size == 4)
            std::snprintf(text, sizeof text, i < 4 ? " %lu" : " %lx", value);
        line += text;
    }
    return line.substr(1);
}

// How many values the key holds; -1 when it is missing.
inline int ValueCount()
{
    HKEY key = nullptr;
    DWORD count = 0;
    bool found = RegOpenKeyExA(HKEY_CURRENT_USER, TEST_KEY_PATH, 0, KEY_READ, &key) == ERROR_SUCCESS;
    found = found && RegQueryInfoKeyA(key, 0, 0, 0, 0, 0, 0, &count, 0, 0, 0, 0) == ERROR_SUCCESS;
    RegCloseKey(key);
    return found ? static_cast<int>(count) : -1;
}

// Every test starts and ends with no settings key and the process-start settings.
class SettingsKeyTest : public ::testing::Test {
protected:
    void SetUp() override { RemoveSettingsKey(); ResetSettings(); }
    void TearDown() override { RemoveSettingsKey(); }
};
