// The registry store against the real registry of the test prefix: what a
// value's type and size mean, where writes go, and a read-only key. (What
// loading makes of each outcome: the native settings tables.)
#include <gtest/gtest.h>

#include "Support.h"
// After windows.h, which it needs.
#include <sddl.h>

#include "settings/RegistryStore.h"

namespace {

// One access entry for everyone, as an administrator would lock the settings.
bool SetKeyAccess(const char* rights)
{
    HKEY key = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    bool done = RegOpenKeyExA(HKEY_CURRENT_USER, SETTINGS_KEY, 0, WRITE_DAC, &key) == ERROR_SUCCESS &&
                ConvertStringSecurityDescriptorToSecurityDescriptorA((std::string("D:P(A;;") + rights + ";;;WD)").c_str(),
                                                                     SDDL_REVISION_1, &descriptor, nullptr) &&
                RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor) == ERROR_SUCCESS;
    LocalFree(descriptor);
    RegCloseKey(key);
    return done;
}

}  // namespace

// Any type reads as its data bytes, up to 4 of them; a longer value keeps the default.
TEST(RegistryStore, ValuesReadAsTheirDataBytesWhateverTheirType)
{
    RemoveSettingsKey();
    std::uint32_t value = 7;
    EXPECT_EQ(RegistryStore().ReadValue("ObjectShape", value), StoreRead::KeyMissing);
    const struct { DWORD Type; const char* Data; DWORD Size; StoreRead Read; std::uint32_t Value; } rows[] = {
        {REG_SZ, "abc", 4, StoreRead::Read, 0x636261}, {REG_BINARY, "\x0C\x00", 2, StoreRead::Read, 12},
        {REG_BINARY, "\x19\0\0\0", 5, StoreRead::ValueUnreadable, 7},
    };
    for (const auto& row : rows) {
        PutValue(SETTINGS_KEY, "ObjectShape", row.Type, row.Data, row.Size);
        value = 7;
        EXPECT_EQ(RegistryStore().ReadValue("ObjectShape", value), row.Read) << row.Size;
        EXPECT_EQ(value, row.Value) << row.Size;
    }
    RemoveSettingsKey();
}

// Writing creates the key path and one DWORD; an administrator's read-only
// key still loads, and writing into it changes nothing and reports nothing.
TEST(RegistryStore, WritesCreateTheKeyAndAReadOnlyKeyStillLoads)
{
    RemoveSettingsKey();
    RegistryStore().WriteValue("ColourOption", 50);
    RegistryStore().WriteValue("ZoomOption", 0x62);
    EXPECT_EQ(StoredSettings(), "- - - 50 - - 62");
    ASSERT_TRUE(SetKeyAccess("KR"));
    RegistryStore().WriteValue("ColourOption", 30);
    EXPECT_EQ(StoredSettings(), "- - - 50 - - 62");
    std::uint32_t value = 0;
    EXPECT_EQ(RegistryStore().ReadValue("ZoomOption", value), StoreRead::Read);
    EXPECT_EQ(value, 0x62u);
    SetKeyAccess("KA");
    RemoveSettingsKey();
}
