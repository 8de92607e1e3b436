// The load and save rules over a store of named values.
#include <gtest/gtest.h>

#include <algorithm>

#include "settings/MemoryStore.h"
#include "settings/Settings.h"
#include "settings/SettingsValues.h"

namespace {

class SettingsRules : public ::testing::Test {
protected:
    void SetUp() override { ResetSettings(); }
    void Store(const char* name, std::uint32_t value)
    {
        int i = SettingsValueIndex(name);
        store.KeyExists = true;
        store.Present[i] = true;
        store.Values[i] = value;
    }
    std::uint32_t Stored(const char* name) { return store.Values[SettingsValueIndex(name)]; }
    MemoryStore store;
};

TEST_F(SettingsRules, NoKeyGivesTheDefaults)
{
    Settings.RadiusFactor = 3.0;
    Settings.TimerInterval = 7;
    LoadSettings(store);
    EXPECT_EQ(Settings.RadiusFactor, 0.08);
    EXPECT_EQ(Settings.TimerInterval, 20u);
    EXPECT_EQ(Settings.JoinTheDots, 0u);
    EXPECT_EQ(Settings.ObjectShape, 2u);
    EXPECT_EQ(Settings.ObjectRotation, 2u);
    EXPECT_EQ(Settings.ColourOption, 10);
    EXPECT_EQ(Settings.ZoomOption, 0u);
    EXPECT_EQ(ImagesPerSecFor(Settings.TimerInterval), 50u);
    EXPECT_EQ(PercentFor(Settings.RadiusFactor), 8u);
}

TEST_F(SettingsRules, StoredValuesLoadAsGiven)
{
    Store(VALUE_RADIUS_FACTOR, 25);
    Store(VALUE_IMAGES_PER_SEC, 3);
    Store(VALUE_JOIN_THE_DOTS, 1);
    Store(VALUE_OBJECT_SHAPE, 0xFFFFFFFFu);
    Store(VALUE_OBJECT_ROTATION, 12);
    Store(VALUE_COLOUR_OPTION, 0xFFFFFFFFu);
    Store(VALUE_ZOOM_OPTION, 1023);
    LoadSettings(store);
    EXPECT_EQ(Settings.RadiusFactor, 25 * 0.01);
    EXPECT_EQ(Settings.TimerInterval, 333u);
    EXPECT_EQ(Settings.JoinTheDots, 0u);  // joining only with an object size of 0
    EXPECT_EQ(Settings.ObjectShape, 0xFFFFFFFFu);
    EXPECT_EQ(Settings.ObjectRotation, 12u);
    EXPECT_EQ(Settings.ColourOption, -1);
    EXPECT_EQ(Settings.ZoomOption, 1023u);
}

TEST_F(SettingsRules, JoiningDependsOnTheSizeJustLoaded)
{
    Store(VALUE_RADIUS_FACTOR, 0);
    Store(VALUE_JOIN_THE_DOTS, 1);
    LoadSettings(store);
    EXPECT_EQ(Settings.JoinTheDots, 1u);

    // The key is there but the value is not: joining is switched off.
    store.Present[SettingsValueIndex(VALUE_JOIN_THE_DOTS)] = false;
    LoadSettings(store);
    EXPECT_EQ(Settings.JoinTheDots, 0u);

    // With no key at all the field keeps what it holds.
    Settings.JoinTheDots = 1;
    Settings.RadiusFactor = 0.0;
    MemoryStore empty;
    LoadSettings(empty);  // loads 0.08 first, which switches joining off
    EXPECT_EQ(Settings.JoinTheDots, 0u);
}

TEST_F(SettingsRules, ImagesPerSecondBecomeAnIntervalThatNeverDividesByZero)
{
    const std::uint32_t cases[][2] = {{20, 50}, {3, 333}, {1000, 1}, {1, 1000}, {501, 1},
                                      {0, 20}, {1001, 20}, {0xFFFFFFFFu, 20}};
    for (const auto& c : cases) {
        Store(VALUE_IMAGES_PER_SEC, c[0]);
        LoadSettings(store);
        EXPECT_EQ(Settings.TimerInterval, c[1]) << c[0];
        EXPECT_GE(ImagesPerSecFor(Settings.TimerInterval), 1u);
    }
    EXPECT_EQ(ImagesPerSecFor(0), 1000u);
}

TEST_F(SettingsRules, RoundTripsLoseWhatTheConversionsLose)
{
    const std::uint32_t oneLower[] = {29, 58, 116, 205, 207, 232, 410, 414, 439, 464, 489};
    int lower = 0;
    for (std::uint32_t p = 0; p <= 500; p++) {
        Store(VALUE_RADIUS_FACTOR, p);
        LoadSettings(store);
        SaveRadiusFactor(store);
        std::uint32_t back = Stored(VALUE_RADIUS_FACTOR);
        bool listed = std::find(std::begin(oneLower), std::end(oneLower), p) != std::end(oneLower);
        EXPECT_EQ(back, listed ? p - 1 : p) << p;
        lower += back != p;
    }
    EXPECT_EQ(lower, 11);

    const std::uint32_t images[][2] = {{1, 1}, {35, 35}, {60, 62}, {300, 333}, {501, 1000}, {999, 1000}, {1000, 1000}};
    for (const auto& c : images) {
        Store(VALUE_IMAGES_PER_SEC, c[0]);
        LoadSettings(store);
        SaveImagesPerSec(store);
        EXPECT_EQ(Stored(VALUE_IMAGES_PER_SEC), c[1]) << c[0];
    }

    // Huge stored sizes reach the field unchecked and save back saturated or exact.
    Store(VALUE_RADIUS_FACTOR, 0xFFFFFFFFu);
    LoadSettings(store);
    EXPECT_EQ(Settings.RadiusFactor, 4294967295.0 * 0.01);
    SaveRadiusFactor(store);
    EXPECT_EQ(Stored(VALUE_RADIUS_FACTOR), 4294967295u);
}

TEST_F(SettingsRules, EachSaveWritesOneValueAndEmptyMasksGetDefaults)
{
    SaveObjectShape(store, 0);
    SaveObjectRotation(store, 0);
    SaveZoomOption(store, 0);
    EXPECT_EQ(store.Writes, 3);
    EXPECT_EQ(Stored(VALUE_OBJECT_SHAPE), 2u);
    EXPECT_EQ(Stored(VALUE_OBJECT_ROTATION), 2u);
    EXPECT_EQ(Stored(VALUE_ZOOM_OPTION), 0u);
    SaveZoomOption(store, ZOOM_LOW);  // a level without phases is stored as it is
    EXPECT_EQ(Stored(VALUE_ZOOM_OPTION), 2u);
    SaveColourOption(store, 50);
    Settings.JoinTheDots = 1;
    SaveJoinTheDots(store);
    EXPECT_EQ(Stored(VALUE_COLOUR_OPTION), 50u);
    EXPECT_EQ(Stored(VALUE_JOIN_THE_DOTS), 1u);
    EXPECT_EQ(store.Writes, 6);
}

}  // namespace
