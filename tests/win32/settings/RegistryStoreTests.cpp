// Loading and saving the settings through the real registry of the test prefix.
#include <gtest/gtest.h>

#include <windows.h>

#include "SettingsKey.h"
#include "settings/RegistryStore.h"
#include "settings/Settings.h"
#include "settings/SettingsValues.h"

namespace {

class RegistryStoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RemoveSettingsKey();
        ResetSettings();
    }
    void TearDown() override { RemoveSettingsKey(); }
};

// --- Load ------------------------------------------------------------------

TEST_F(RegistryStoreTest, NoKeyGivesTheDefaults)
{
    Settings.RadiusFactor = 3.0;  // reset by every load
    Settings.TimerInterval = 7;
    LoadSettingsFromRegistry();
    EXPECT_FALSE(SettingsKeyExists()) << "loading must not create the key";
    EXPECT_DOUBLE_EQ(Settings.RadiusFactor, 0.08);
    EXPECT_EQ(Settings.TimerInterval, 20u);
    EXPECT_EQ(Settings.JoinTheDots, 0u);
    EXPECT_EQ(Settings.ObjectShape, 2u);
    EXPECT_EQ(Settings.ObjectRotation, 2u);
    EXPECT_EQ(Settings.ColourOption, 10);
    EXPECT_EQ(Settings.ZoomOption, 0u);
}

TEST_F(RegistryStoreTest, StoredValuesLoadAsGivenWithoutRangeChecks)
{
    PutDword(VALUE_RADIUS_FACTOR, 37);
    PutDword(VALUE_IMAGES_PER_SEC, 25);
    PutDword(VALUE_OBJECT_SHAPE, 0x1FE);
    PutDword(VALUE_OBJECT_ROTATION, 12);
    PutDword(VALUE_COLOUR_OPTION, 50);
    PutDword(VALUE_ZOOM_OPTION, 0x2A2);
    LoadSettingsFromRegistry();
    EXPECT_EQ(Settings.RadiusFactor, 37.0 * 0.01);
    EXPECT_EQ(Settings.TimerInterval, 40u);
    EXPECT_EQ(Settings.ObjectShape, 0x1FEu);
    EXPECT_EQ(Settings.ObjectRotation, 12u);
    EXPECT_EQ(Settings.ColourOption, 50);
    EXPECT_EQ(Settings.ZoomOption, 0x2A2u);

    // Values the dialog never writes are still taken as they are.
    PutDword(VALUE_RADIUS_FACTOR, 900);
    PutDword(VALUE_OBJECT_SHAPE, 1);
    PutDword(VALUE_COLOUR_OPTION, 0xFFFFFFFF);
    PutDword(VALUE_ZOOM_OPTION, 0xFFFFFFFF);
    LoadSettingsFromRegistry();
    EXPECT_EQ(Settings.RadiusFactor, 900.0 * 0.01);
    EXPECT_EQ(Settings.ObjectShape, 1u);
    EXPECT_EQ(Settings.ColourOption, -1);
    EXPECT_EQ(Settings.ZoomOption, 0xFFFFFFFFu);
}

TEST_F(RegistryStoreTest, JoinTheDotsLoadsOnlyForObjectSizeZero)
{
    PutDword(VALUE_RADIUS_FACTOR, 0);
    PutDword(VALUE_JOIN_THE_DOTS, 1);
    LoadSettingsFromRegistry();
    EXPECT_EQ(Settings.RadiusFactor, 0.0);
    EXPECT_EQ(Settings.JoinTheDots, 1u);

    PutDword(VALUE_RADIUS_FACTOR, 1);
    LoadSettingsFromRegistry();
    EXPECT_EQ(Settings.JoinTheDots, 0u);

    // Size 0 with the value missing from an existing key: joining goes off.
    Settings.JoinTheDots = 1;
    RemoveSettingsKey();
    PutDword(VALUE_RADIUS_FACTOR, 0);
    LoadSettingsFromRegistry();
    EXPECT_EQ(Settings.JoinTheDots, 0u);
}

TEST_F(RegistryStoreTest, ImagesPerSecBecomesMillisecondsAndBadCountsKeepTheDefault)
{
    const struct {
        std::uint32_t Stored;
        std::uint32_t Interval;
    } cases[] = {{20, 50}, {3, 333}, {1000, 1}, {1, 1000}, {501, 1},
                 {0, 20}, {1001, 20}, {0xFFFFFFFF, 20}};
    for (const auto& c : cases) {
        Settings.TimerInterval = 99;
        PutDword(VALUE_IMAGES_PER_SEC, c.Stored);
        LoadSettingsFromRegistry();
        EXPECT_EQ(Settings.TimerInterval, c.Interval) << "stored " << c.Stored;
    }
}

TEST_F(RegistryStoreTest, ValuesOfOtherTypesReadTheirDataBytes)
{
    PutRaw(VALUE_OBJECT_SHAPE, REG_SZ, "abc", 4);  // 4 bytes with the terminator
    const BYTE binary[4] = {0x78, 0x56, 0x34, 0x12};
    PutRaw(VALUE_ZOOM_OPTION, REG_BINARY, binary, 4);
    // Shorter data fills the low bytes; the rest stays zero.
    const BYTE shortBinary[2] = {0x0C, 0x00};
    PutRaw(VALUE_OBJECT_ROTATION, REG_BINARY, shortBinary, 2);
    const BYTE oneByte[1] = {0x32};
    PutRaw(VALUE_COLOUR_OPTION, REG_BINARY, oneByte, 1);
    LoadSettingsFromRegistry();
    EXPECT_EQ(Settings.ObjectShape, 0x00636261u);
    EXPECT_EQ(Settings.ZoomOption, 0x12345678u);
    EXPECT_EQ(Settings.ObjectRotation, 12u);
    EXPECT_EQ(Settings.ColourOption, 50);
}

TEST_F(RegistryStoreTest, ValuesLongerThanFourBytesKeepTheDefault)
{
    const BYTE eight[8] = {1, 0, 0, 0, 0, 0, 0, 0};
    PutRaw(VALUE_RADIUS_FACTOR, REG_BINARY, eight, 8);
    PutRaw(VALUE_IMAGES_PER_SEC, REG_SZ, "1000", 5);
    PutRaw(VALUE_OBJECT_SHAPE, REG_BINARY, eight, 8);
    PutRaw(VALUE_COLOUR_OPTION, REG_SZ, "50 percent", 11);
    PutRaw(VALUE_ZOOM_OPTION, REG_QWORD, eight, 8);
    Settings.ObjectShape = 4;  // "keeps what it holds"
    LoadSettingsFromRegistry();
    EXPECT_DOUBLE_EQ(Settings.RadiusFactor, 0.08);
    EXPECT_EQ(Settings.TimerInterval, 20u);
    EXPECT_EQ(Settings.ObjectShape, 4u);
    EXPECT_EQ(Settings.ColourOption, 10);
    EXPECT_EQ(Settings.ZoomOption, 0u);

    // Size 0 with an unreadable JoinTheDots: joining goes off.
    PutDword(VALUE_RADIUS_FACTOR, 0);
    PutRaw(VALUE_JOIN_THE_DOTS, REG_BINARY, eight, 8);
    Settings.JoinTheDots = 1;
    LoadSettingsFromRegistry();
    EXPECT_EQ(Settings.JoinTheDots, 0u);
}

TEST_F(RegistryStoreTest, ReadOnlyKeyStillLoadsAndIsNotWritten)
{
    PutDword(VALUE_RADIUS_FACTOR, 0);
    PutDword(VALUE_IMAGES_PER_SEC, 10);
    PutDword(VALUE_JOIN_THE_DOTS, 1);
    PutDword(VALUE_OBJECT_SHAPE, 0x104);
    PutDword(VALUE_OBJECT_ROTATION, 8);
    PutDword(VALUE_COLOUR_OPTION, 30);
    PutDword(VALUE_ZOOM_OPTION, 0x62);
    ASSERT_TRUE(LockSettingsKeyReadOnly());
    // The lock is real: full access is refused, read access granted.
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, SETTINGS_KEY_PATH, 0, KEY_ALL_ACCESS, &key), ERROR_ACCESS_DENIED);

    LoadSettingsFromRegistry();
    EXPECT_EQ(Settings.RadiusFactor, 0.0);
    EXPECT_EQ(Settings.TimerInterval, 100u);
    EXPECT_EQ(Settings.JoinTheDots, 1u);
    EXPECT_EQ(Settings.ObjectShape, 0x104u);
    EXPECT_EQ(Settings.ObjectRotation, 8u);
    EXPECT_EQ(Settings.ColourOption, 30);
    EXPECT_EQ(Settings.ZoomOption, 0x62u);

    // Saving asks for full access, so the locked key is left alone, silently.
    Settings.TimerInterval = 1;
    SaveImagesPerSec(RegistryStore());
    SaveColourOption(RegistryStore(), 50);
    std::uint32_t value = 0;
    ASSERT_TRUE(GetDword(VALUE_IMAGES_PER_SEC, value));
    EXPECT_EQ(value, 10u);
    ASSERT_TRUE(GetDword(VALUE_COLOUR_OPTION, value));
    EXPECT_EQ(value, 30u);
}

// --- Save ------------------------------------------------------------------

TEST_F(RegistryStoreTest, EachSaveCreatesTheKeyPathAndWritesOneDword)
{
    ASSERT_FALSE(SettingsKeyExists());
    Settings.RadiusFactor = 0.37;
    Settings.TimerInterval = 40;
    Settings.JoinTheDots = 1;

    // Each step saves one value; the key then holds exactly one more.
    struct Step {
        void (*Save)();
        const char* Name;
        std::uint32_t Written;
    };
    const Step steps[] = {
        {[] { SaveRadiusFactor(RegistryStore()); }, VALUE_RADIUS_FACTOR, 37},
        {[] { SaveImagesPerSec(RegistryStore()); }, VALUE_IMAGES_PER_SEC, 25},
        {[] { SaveJoinTheDots(RegistryStore()); }, VALUE_JOIN_THE_DOTS, 1},
        {[] { SaveColourOption(RegistryStore(), 50); }, VALUE_COLOUR_OPTION, 50},
        {[] { SaveObjectShape(RegistryStore(), 0); }, VALUE_OBJECT_SHAPE, 2},        // empty: circle
        {[] { SaveObjectRotation(RegistryStore(), 0); }, VALUE_OBJECT_ROTATION, 2},  // empty: no rotation
        {[] { SaveZoomOption(RegistryStore(), 0); }, VALUE_ZOOM_OPTION, 0},          // empty: no zoom
    };
    size_t count = 0;
    for (const Step& step : steps) {
        step.Save();
        ++count;
        ASSERT_EQ(StoredValues().size(), count) << "after saving " << step.Name;
        std::uint32_t value = 0;
        ASSERT_TRUE(GetDword(step.Name, value)) << step.Name << " is not a 4-byte REG_DWORD";
        EXPECT_EQ(value, step.Written) << step.Name;
    }

    // A save leaves the record alone; a second save replaces the value.
    SaveObjectShape(RegistryStore(), 0x88);
    std::uint32_t value = 0;
    ASSERT_TRUE(GetDword(VALUE_OBJECT_SHAPE, value));
    EXPECT_EQ(value, 0x88u);
    EXPECT_EQ(Settings.ObjectShape, 2u);
    EXPECT_EQ(StoredValues().size(), 7u);
}

// A stored value, loaded and saved again, as the dialog's OK does.
std::uint32_t RoundTrip(const char* name, std::uint32_t stored)
{
    PutDword(name, stored);
    LoadSettingsFromRegistry();
    if (lstrcmpA(name, VALUE_RADIUS_FACTOR) == 0)
        SaveRadiusFactor(RegistryStore());
    else
        SaveImagesPerSec(RegistryStore());
    std::uint32_t value = 0xDEADBEEF;
    GetDword(name, value);
    return value;
}

TEST_F(RegistryStoreTest, ObjectSizeRoundTripLosesOneOnlyForTheKnownPercentages)
{
    const std::uint32_t oneLower[] = {29, 58, 116, 205, 207, 232, 410, 414, 439, 464, 489};
    size_t next = 0;
    for (std::uint32_t p = 0; p <= 500; ++p) {
        bool lower = next < sizeof oneLower / sizeof oneLower[0] && oneLower[next] == p;
        if (lower)
            ++next;
        ASSERT_EQ(RoundTrip(VALUE_RADIUS_FACTOR, p), lower ? p - 1 : p) << "stored " << p;
    }
}

TEST_F(RegistryStoreTest, ImagesPerSecRoundTripSnapsToWholeMilliseconds)
{
    for (std::uint32_t n = 1; n <= 35; ++n)
        ASSERT_EQ(RoundTrip(VALUE_IMAGES_PER_SEC, n), n);
    EXPECT_EQ(RoundTrip(VALUE_IMAGES_PER_SEC, 60), 62u);
    EXPECT_EQ(RoundTrip(VALUE_IMAGES_PER_SEC, 300), 333u);
    for (std::uint32_t n = 501; n <= 1000; ++n)
        ASSERT_EQ(RoundTrip(VALUE_IMAGES_PER_SEC, n), 1000u) << "stored " << n;
    // Counts the load refuses come back as the default, 50 per second.
    EXPECT_EQ(RoundTrip(VALUE_IMAGES_PER_SEC, 0), 50u);
    EXPECT_EQ(RoundTrip(VALUE_IMAGES_PER_SEC, 5000), 50u);
}

}  // namespace
