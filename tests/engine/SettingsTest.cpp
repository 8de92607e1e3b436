// The load and save rules over a store of named values.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <utility>
#include <vector>

#include "settings/MemoryStore.h"
#include "settings/Settings.h"
#include "settings/SettingsValues.h"

typedef std::vector<std::pair<const char*, std::uint32_t>> Values;

static MemoryStore StoreOf(const Values& values)
{
    MemoryStore store;
    for (const auto& value : values)
        store.WriteValue(value.first, value.second);
    return store;
}

// What a load makes of what is stored, from the defaults each time.
TEST(Settings, LoadTakesWhatIsStoredWithinItsRules)
{
    const struct {
        Values Stored;
        SettingsRecord Loaded;
    } cases[] = {
        {{}, {0.08, 20, 0, 2, 2, 10, 0}},
        {{{VALUE_ZOOM_OPTION, 8}}, {0.08, 20, 0, 2, 2, 10, 8}},  // the others missing: defaults
        {{{VALUE_RADIUS_FACTOR, 25},
          {VALUE_IMAGES_PER_SEC, 3},
          {VALUE_JOIN_THE_DOTS, 1},
          {VALUE_OBJECT_SHAPE, 0xFFFFFFFFu},
          {VALUE_OBJECT_ROTATION, 12},
          {VALUE_COLOUR_OPTION, 0xFFFFFFFFu},
          {VALUE_ZOOM_OPTION, 1023}},
         {0.25, 333, 0, 0xFFFFFFFFu, 12, -1, 1023}},  // joining needs an object size of 0
        {{{VALUE_RADIUS_FACTOR, 0}, {VALUE_JOIN_THE_DOTS, 1}, {VALUE_IMAGES_PER_SEC, 20}}, {0.0, 50, 1, 2, 2, 10, 0}},
        {{{VALUE_RADIUS_FACTOR, 1}, {VALUE_JOIN_THE_DOTS, 1}, {VALUE_IMAGES_PER_SEC, 1000}}, {0.01, 1, 0, 2, 2, 10, 0}},
        {{{VALUE_RADIUS_FACTOR, 0}}, {0.0, 20, 0, 2, 2, 10, 0}},  // the key without the value: joining off
        {{{VALUE_RADIUS_FACTOR, 0}, {VALUE_JOIN_THE_DOTS, 7}, {VALUE_IMAGES_PER_SEC, 1}}, {0.0, 1000, 7, 2, 2, 10, 0}},
        // Rates that would divide by zero keep the default interval.
        {{{VALUE_IMAGES_PER_SEC, 0}}, {0.08, 20, 0, 2, 2, 10, 0}},
        {{{VALUE_IMAGES_PER_SEC, 1001}}, {0.08, 20, 0, 2, 2, 10, 0}},
    };
    for (const auto& c : cases) {
        ResetSettings();
        Settings.JoinTheDots = 1;  // a key without the value switches joining off
        MemoryStore store = StoreOf(c.Stored);
        LoadSettings(store);
        auto fields = [](const SettingsRecord& r) {
            return std::make_tuple(r.RadiusFactor, r.TimerInterval, r.JoinTheDots, r.ObjectShape, r.ObjectRotation,
                                   r.ColourOption, r.ZoomOption);
        };
        EXPECT_EQ(fields(Settings), fields(c.Loaded)) << "case " << &c - cases;
    }
}

// Saves write one value each; a save into an empty store creates the key,
// and a load of it gives back what the conversions keep.
TEST(Settings, SavesWriteOneValueAndRoundTripLosingWhatTheConversionsLose)
{
    const std::uint32_t oneLower[] = {29, 58, 116, 205, 207, 232, 410, 414, 439, 464, 489};
    for (std::uint32_t p = 0; p <= 500; p++) {
        MemoryStore store = StoreOf({{VALUE_RADIUS_FACTOR, p}});
        LoadSettings(store);
        MemoryStore saved;
        SaveSetting(saved, SETTING_RADIUS_FACTOR);
        bool lower = std::find(std::begin(oneLower), std::end(oneLower), p) != std::end(oneLower);
        ASSERT_EQ(saved.Values[SettingsValueIndex(VALUE_RADIUS_FACTOR)], lower ? p - 1 : p) << p;
        ASSERT_TRUE(saved.KeyExists);
    }
    for (const auto& rate :
         {std::make_pair(1u, 1u), {35u, 35u}, {60u, 62u}, {300u, 333u}, {501u, 1000u}, {1000u, 1000u}, {0u, 50u}}) {
        MemoryStore store = StoreOf({{VALUE_IMAGES_PER_SEC, rate.first}});
        LoadSettings(store);
        MemoryStore saved;
        SaveSetting(saved, SETTING_IMAGES_PER_SEC);
        EXPECT_EQ(saved.Values[SettingsValueIndex(VALUE_IMAGES_PER_SEC)], rate.second) << rate.first;
    }
    EXPECT_EQ(ImagesPerSecFor(0), 1000u);
    EXPECT_EQ(PercentFor(4294967295.0 * 0.01), 4294967295u);
    EXPECT_EQ(PercentFor(1e300), 4294967295u);
    EXPECT_EQ(PercentFor(-0.5), 0u);

    MemoryStore saved;
    SaveStoredValue(saved, SETTING_OBJECT_SHAPE, 0);
    SaveStoredValue(saved, SETTING_OBJECT_ROTATION, 0);
    SaveStoredValue(saved, SETTING_ZOOM_OPTION, 0);
    SaveStoredValue(saved, SETTING_COLOUR_OPTION, 50);
    Settings.JoinTheDots = 1;
    SaveSetting(saved, SETTING_JOIN_THE_DOTS);
    EXPECT_EQ(saved.Writes, 5);
    ResetSettings();
    LoadSettings(saved);
    EXPECT_EQ(Settings.ObjectShape, SHAPE_CIRCLE);  // empty masks are stored as the defaults
    EXPECT_EQ(Settings.ObjectRotation, ROTATION_NONE);
    EXPECT_EQ(Settings.ColourOption, 50);
    SaveStoredValue(saved, SETTING_ZOOM_OPTION, ZOOM_LOW);  // a level without phases, as it is
    SaveStoredValue(saved, SETTING_OBJECT_SHAPE, 0x1FE);
    LoadSettings(saved);
    EXPECT_EQ(Settings.ZoomOption, ZOOM_LOW);
    EXPECT_EQ(Settings.ObjectShape, 0x1FEu);
    EXPECT_EQ(saved.Values[SettingsValueIndex(VALUE_JOIN_THE_DOTS)], 1u);
}
