// The registry store against the real registry of the test prefix: where the
// key lives, how it is opened, and what a value's type and size mean. The
// load and save rules themselves are covered over an in-memory store.
#include "SettingsKey.h"
#include "settings/RegistryStore.h"

namespace {

using RegistryStoreTest = SettingsKeyTest;

TEST_F(RegistryStoreTest, OnlySavingCreatesTheKeyPathAndEachSaveWritesOneDword)
{
    LoadSettingsFromRegistry();
    ASSERT_EQ(ValueCount(), -1);
    SaveColourOption(RegistryStore(), 50);
    EXPECT_EQ(ValueCount(), 1);
    SaveZoomOption(RegistryStore(), 0);
    EXPECT_EQ(ValueCount(), 2);
    SaveColourOption(RegistryStore(), 10);
    EXPECT_EQ(ValueCount(), 2);
    EXPECT_EQ(StoredValues(), "- - - 10 - - 0");
}

// An administrator's read-only key: every value still loads, and saving into
// it changes nothing and reports nothing.
TEST_F(RegistryStoreTest, ReadOnlyKeyLoadsEveryValueAndSavesChangeNothing)
{
    PutDwords({10, 0, 1, 50, 0x104, 8, 0x62});
    ASSERT_TRUE(SetKeyAccess("KR"));
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, TEST_KEY_PATH, 0, KEY_ALL_ACCESS, &key), ERROR_ACCESS_DENIED);

    LoadSettingsFromRegistry();
    EXPECT_EQ(Settings.TimerInterval, 100u);
    EXPECT_EQ(Settings.RadiusFactor, 0.0);
    EXPECT_EQ(Settings.JoinTheDots, 1u);
    EXPECT_EQ(Settings.ColourOption, 50);
    EXPECT_EQ(Settings.ObjectShape, 0x104u);
    EXPECT_EQ(Settings.ObjectRotation, 8u);
    EXPECT_EQ(Settings.ZoomOption, 0x62u);

    Settings.TimerInterval = 1;
    SaveImagesPerSec(RegistryStore());
    SaveColourOption(RegistryStore(), 30);
    EXPECT_EQ(StoredValues(), "10 0 1 50 104 8 62");
}

// The type is not looked at: 4 data bytes read as a number, fewer fill the
// low bytes, more make the value unreadable.
TEST_F(RegistryStoreTest, ValuesOfAnyTypeReadAsTheirDataBytes)
{
    const BYTE bytes[8] = {0x78, 0x56, 0x34, 0x12, 0, 0, 0, 0};
    PutRaw("ObjectShape", REG_SZ, "abc", 4);
    PutRaw("ZoomOption", REG_BINARY, bytes, 4);
    PutRaw("ObjectRotation", REG_BINARY, "\x0C\x00", 2);
    PutRaw("ColourOption", REG_BINARY, "\x32", 1);
    PutRaw("ImagesPerSec", REG_BINARY, "\x19\x00\x00\x00\x00", 5);
    LoadSettingsFromRegistry();
    EXPECT_EQ(Settings.ObjectShape, 0x00636261u);
    EXPECT_EQ(Settings.ZoomOption, 0x12345678u);
    EXPECT_EQ(Settings.ObjectRotation, 12u);
    EXPECT_EQ(Settings.ColourOption, 50);
    EXPECT_EQ(Settings.TimerInterval, 20u);

    RemoveSettingsKey();
    PutDwords({NOT_A_DWORD, 0});
    PutRaw("JoinTheDots", REG_BINARY, "\x01\x00\x00\x00\x00", 5);
    PutRaw("ObjectShape", REG_QWORD, bytes, 8);
    Settings.JoinTheDots = 1;
    Settings.ObjectShape = 4;
    LoadSettingsFromRegistry();
    EXPECT_EQ(Settings.JoinTheDots, 0u);
    EXPECT_EQ(Settings.ObjectShape, 4u);
}

TEST_F(RegistryStoreTest, StoredValuesComeBackAsTheConversionsAllow)
{
    PutDwords({60, 29});
    LoadSettingsFromRegistry();
    SaveImagesPerSec(RegistryStore());
    SaveRadiusFactor(RegistryStore());
    EXPECT_EQ(StoredValues(), "62 28 - - - - -");
}

}  // namespace
