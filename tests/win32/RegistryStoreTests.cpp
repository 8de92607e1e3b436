// The registry store against the real registry of the test prefix: what a
// value's type and size mean. (What loading makes of each outcome: the native
// settings tables; writes, a read-only and a locked key: the dialog's table.)
#include <gtest/gtest.h>

#include "Support.h"
#include "settings/RegistryStore.h"

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
