// The X11 saver's decisions: command line, settings file and tick schedule.
#include <gtest/gtest.h>

#include <vector>

#include "settings/SettingsValues.h"
#include "x11/SaverOptions.h"
#include "x11/TickClock.h"

namespace {

bool Parse(std::vector<const char*> args, SaverOptions& options, std::string& error)
{
    args.insert(args.begin(), "orbilux");
    return ParseSaverOptions(static_cast<int>(args.size()), args.data(), options, error);
}

TEST(SaverOptions, AcceptedLines)
{
    SaverOptions o;
    std::string error;
    ASSERT_TRUE(Parse({"--window-id", "0x2a", "-seed", "7", "--max-ticks", "0"}, o, error)) << error;
    EXPECT_TRUE(o.Target == SaverTarget::WindowId && o.WindowId == 42 && o.HasSeed && o.Seed == 7 && o.HasMaxTicks &&
                o.MaxTicks == 0);
    o = SaverOptions();
    ASSERT_TRUE(Parse({"-window", "-geometry", "640x480+10+20", "-root"}, o, error)) << error;
    EXPECT_TRUE(o.Target == SaverTarget::Root && o.Width == 640 && o.Height == 480);  // the last target counts

    // Friendly and stored-value settings, in order; masks start from the defaults.
    o = SaverOptions();
    ASSERT_TRUE(Parse({"-object-size", "0", "--join-dots", "-images-per-sec", "1000", "-colour", "low",
                       "-shape", "square,diamond", "-no-shape", "circle", "-rotation", "clockwise",
                       "-zoom", "very-high,four-phase", "-ColourOption", "0x1e", "-ZoomOption", "-2"}, o, error))
        << error;
    MemoryStore s;
    ApplySettingChanges(o.Changes, s);
    EXPECT_EQ(std::vector<std::uint32_t>(s.Values, s.Values + SETTINGS_VALUE_COUNT),
              (std::vector<std::uint32_t>{0, 1000, 1, SHAPE_SQUARE | SHAPE_DIAMOND, ROTATION_NONE | ROTATION_CLOCKWISE,
                                          30, 0xFFFFFFFEu}));
}

TEST(SettingsFile, GoodLinesLoadBadLinesAreNamedAndTheDefaultPath)
{
    std::vector<SettingChange> changes;
    std::vector<std::string> messages;
    ParseSettingsText("# comment\n\n object-size = 12 \nno equals\nObjectShape=6\nRadiusFactor=x\r\n"
                      "bogus=1\nshape=pyramid\n",
                      "f", changes, messages);
    EXPECT_EQ(messages, (std::vector<std::string>{
                            "f:4: expected NAME=VALUE, got 'no equals'",
                            "f:6: RadiusFactor: expected a 32-bit number (decimal or 0x hex), got 'x'",
                            "f:7: unknown setting 'bogus'"}));
    MemoryStore s;
    ApplySettingChanges(changes, s);
    EXPECT_EQ(s.Values[0], 12u);
    EXPECT_EQ(s.Values[3], 6u | SHAPE_PYRAMID);  // bits add to the stored mask
    EXPECT_FALSE(s.Present[1]);

    EXPECT_EQ((std::vector<std::string>{DefaultSettingsPath("/x", "/h"), DefaultSettingsPath("", "/h"),
                                        DefaultSettingsPath(nullptr, nullptr)}),
              (std::vector<std::string>{"/x/orbilux/settings", "/h/.config/orbilux/settings", ""}));
}

TEST(TickClock, GridWithoutBursts)
{
    const Nanoseconds ms = NS_PER_MS;
    // Due, interval, now, next due; in milliseconds.
    const std::int64_t cases[][4] = {
        {100, 20, 100, 120},  // on time
        {100, 20, 113, 120},  // a little late: the grid holds
        {100, 20, 120, 140},  // exactly a tick late
        {100, 20, 175, 180},  // missed ticks are skipped
        {100, 0, 100, 101},   // a stopped timer cannot spin
    };
    for (const auto& c : cases)
        EXPECT_EQ(NextDue(c[0] * ms, static_cast<std::uint32_t>(c[1]), c[2] * ms), c[3] * ms) << c[2];

    // Rounded up: waking means it is time.
    EXPECT_EQ((std::vector<int>{PollTimeout(-1, 5), PollTimeout(10 * ms, 10 * ms), PollTimeout(10 * ms, 10 * ms - 1),
                                PollTimeout(10 * ms, 0)}),
              (std::vector<int>{-1, 0, 1, 10}));
}

}  // namespace
