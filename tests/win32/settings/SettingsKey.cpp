#include "SettingsKey.h"

#include <aclapi.h>

#include "settings/SettingsValues.h"

namespace {

const char* const VENDOR_KEY_PATH = "software\\plorvex";

HKEY OpenSettingsKey(REGSAM access)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, SETTINGS_KEY_PATH, 0, access, &key) != ERROR_SUCCESS)
        return nullptr;
    return key;
}

HKEY CreateSettingsKey()
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, SETTINGS_KEY_PATH, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return nullptr;
    return key;
}

bool SetEveryoneAccess(DWORD access)
{
    HKEY key = OpenSettingsKey(WRITE_DAC);
    if (key == nullptr)
        return false;
    SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
    PSID everyone = nullptr;
    bool done = false;
    if (AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone)) {
        EXPLICIT_ACCESSA entry = {};
        entry.grfAccessPermissions = access;
        entry.grfAccessMode = SET_ACCESS;
        entry.grfInheritance = NO_INHERITANCE;
        entry.Trustee.TrusteeForm = TRUSTEE_IS_SID;
        entry.Trustee.TrusteeType = TRUSTEE_IS_WELL_KNOWN_GROUP;
        entry.Trustee.ptstrName = static_cast<LPSTR>(everyone);
        PACL acl = nullptr;
        if (SetEntriesInAclA(1, &entry, nullptr, &acl) == ERROR_SUCCESS) {
            done = SetSecurityInfo(key, SE_REGISTRY_KEY,
                                   DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION, nullptr,
                                   nullptr, acl, nullptr) == ERROR_SUCCESS;
            LocalFree(acl);
        }
        FreeSid(everyone);
    }
    RegCloseKey(key);
    return done;
}

}  // namespace

void RemoveSettingsKey()
{
    UnlockSettingsKey();
    RegDeleteTreeA(HKEY_CURRENT_USER, VENDOR_KEY_PATH);
    RegDeleteKeyA(HKEY_CURRENT_USER, VENDOR_KEY_PATH);
}

bool SettingsKeyExists()
{
    HKEY key = OpenSettingsKey(KEY_READ);
    if (key == nullptr)
        return false;
    RegCloseKey(key);
    return true;
}

void PutDword(const char* name, std::uint32_t value)
{
    DWORD data = value;
    PutRaw(name, REG_DWORD, &data, sizeof data);
}

void PutRaw(const char* name, DWORD type, const void* data, DWORD size)
{
    HKEY key = CreateSettingsKey();
    if (key == nullptr)
        return;
    RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
}

std::vector<StoredValue> StoredValues()
{
    std::vector<StoredValue> values;
    HKEY key = OpenSettingsKey(KEY_READ);
    if (key == nullptr)
        return values;
    for (DWORD index = 0;; ++index) {
        char name[256];
        DWORD nameLength = sizeof name;
        BYTE data[256];
        DWORD size = sizeof data;
        DWORD type = 0;
        if (RegEnumValueA(key, index, name, &nameLength, nullptr, &type, data, &size) != ERROR_SUCCESS)
            break;
        values.push_back(StoredValue{name, type, std::vector<BYTE>(data, data + size)});
    }
    RegCloseKey(key);
    return values;
}

bool GetDword(const char* name, std::uint32_t& value)
{
    for (const StoredValue& stored : StoredValues()) {
        if (lstrcmpiA(stored.Name.c_str(), name) != 0)
            continue;
        if (stored.Type != REG_DWORD || stored.Data.size() != 4)
            return false;
        value = static_cast<std::uint32_t>(stored.Data[0]) | static_cast<std::uint32_t>(stored.Data[1]) << 8 |
                static_cast<std::uint32_t>(stored.Data[2]) << 16 | static_cast<std::uint32_t>(stored.Data[3]) << 24;
        return true;
    }
    return false;
}

bool LockSettingsKeyReadOnly()
{
    return SetEveryoneAccess(KEY_READ);
}

void UnlockSettingsKey()
{
    SetEveryoneAccess(KEY_ALL_ACCESS);
}
