// The settings key under HKEY_CURRENT_USER as a SettingsValueStore. Nothing is
// cached and no handle stays open: every read and every write opens the key,
// does its one thing and closes it again.
#include "settings/win32/RegistryStore.h"

#include <windows.h>

#include "settings/SettingsValues.h"

namespace {

class RegistryValueStore final : public SettingsValueStore {
public:
    StoreRead ReadValue(const char* name, std::uint32_t& value) override;
    void WriteValue(const char* name, std::uint32_t value) override;
};

// Reading asks for read access only, so that a key an administrator has made
// read-only (to lock a machine's settings) still loads.
StoreRead RegistryValueStore::ReadValue(const char* name, std::uint32_t& value)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, SETTINGS_KEY_PATH, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return StoreRead::KeyMissing;

    // The reported type is not checked. Data shorter than 4 bytes fills the
    // low bytes and leaves the rest 0; longer data fails the query.
    BYTE data[4] = {0, 0, 0, 0};
    DWORD type = 0;
    DWORD size = sizeof data;
    LONG result = RegQueryValueExA(key, name, nullptr, &type, data, &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS)
        return StoreRead::ValueUnreadable;

    value = static_cast<std::uint32_t>(data[0]) | static_cast<std::uint32_t>(data[1]) << 8 |
        static_cast<std::uint32_t>(data[2]) << 16 | static_cast<std::uint32_t>(data[3]) << 24;
    return StoreRead::Read;
}

// Creates the key and any missing keys on its path. A failure writes nothing
// and is not reported.
void RegistryValueStore::WriteValue(const char* name, std::uint32_t value)
{
    HKEY key = nullptr;
    DWORD disposition = 0;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, SETTINGS_KEY_PATH, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        nullptr, &key, &disposition) != ERROR_SUCCESS)
        return;

    const BYTE data[4] = {static_cast<BYTE>(value), static_cast<BYTE>(value >> 8), static_cast<BYTE>(value >> 16),
                          static_cast<BYTE>(value >> 24)};
    RegSetValueExA(key, name, 0, REG_DWORD, data, sizeof data);
    RegCloseKey(key);
}

RegistryValueStore TheRegistryStore;

}  // namespace

SettingsValueStore& RegistryStore()
{
    return TheRegistryStore;
}

void LoadSettingsFromRegistry()
{
    LoadSettings(TheRegistryStore);
}
