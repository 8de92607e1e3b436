// The stored values the load rules replace are named; those they take, up to
// the record's precision, are not.
#include <gtest/gtest.h>

#include "posix/LoadReport.h"
#include "settings/SettingsValues.h"

namespace {

TEST(LoadReport, NamesWhatTheRulesReplaced)
{
    const struct {
        std::vector<std::pair<int, std::uint32_t>> Given;
        const char* Replaced;
    } cases[] = {
        {{}, ""},
        {{{SETTING_IMAGES_PER_SEC, 5000}}, "ImagesPerSec=5000 was replaced by 50"},
        {{{SETTING_IMAGES_PER_SEC, 0}}, "ImagesPerSec=0 was replaced by 50"},
        {{{SETTING_IMAGES_PER_SEC, 1000}, {SETTING_IMAGES_PER_SEC, 1}}, ""},  // range ends
        {{{SETTING_IMAGES_PER_SEC, 60}}, ""},                                 // a 16 ms tick, shown as 62
        {{{SETTING_IMAGES_PER_SEC, 1001}}, "ImagesPerSec=1001 was replaced by 50"},
        {{{SETTING_RADIUS_FACTOR, 29}}, ""},  // 0.29, whose stored form is 28
        {{{SETTING_RADIUS_FACTOR, 600}, {SETTING_ZOOM_OPTION, 0x3FE}}, ""},
        {{{SETTING_JOIN_THE_DOTS, 1}}, "JoinTheDots=1 was replaced by 0"},  // joins only at size 0
        {{{SETTING_JOIN_THE_DOTS, 1}, {SETTING_RADIUS_FACTOR, 0}}, ""},
        {{{SETTING_IMAGES_PER_SEC, 0}, {SETTING_JOIN_THE_DOTS, 5}, {SETTING_RADIUS_FACTOR, 3}},
         "ImagesPerSec=0 was replaced by 50; JoinTheDots=5 was replaced by 0"},
    };
    for (const auto& c : cases) {
        MemoryStore store;
        for (const auto& value : c.Given)
            store.WriteValue(SETTINGS_TABLE[value.first].Name, value.second);
        EXPECT_EQ(ReplacedValues(store), c.Replaced) << testing::PrintToString(c.Given);
    }
}

}  // namespace
