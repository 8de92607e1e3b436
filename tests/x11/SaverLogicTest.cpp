// The X11 saver's decisions: command line, settings file, tick schedule and
// changed rectangles.
#include <gtest/gtest.h>

#include <vector>

#include "render/SoftwareSurface.h"
#include "settings/SettingsValues.h"
#include "x11/DirtySurface.h"
#include "x11/SaverOptions.h"
#include "x11/TickClock.h"

namespace {

bool Parse(std::vector<const char*> args, SaverOptions& options, std::string& error)
{
    args.insert(args.begin(), "orbilux");
    return ParseSaverOptions(static_cast<int>(args.size()), args.data(), options, error);
}

MemoryStore StoreFor(const std::vector<SettingChange>& changes)
{
    MemoryStore store;
    ApplySettingChanges(changes, store);
    return store;
}

TEST(SaverOptions, AcceptedLines)
{
    SaverOptions o;
    std::string error;
    ASSERT_TRUE(Parse({"--window-id", "0x2a", "-seed", "7", "--max-ticks", "0"}, o, error)) << error;
    EXPECT_EQ(o.Target, SaverTarget::WindowId);
    EXPECT_EQ(o.WindowId, 42u);
    EXPECT_TRUE(o.HasSeed && o.Seed == 7 && o.HasMaxTicks && o.MaxTicks == 0);

    o = SaverOptions();
    ASSERT_TRUE(Parse({"-window", "-geometry", "640x480+10+20", "-root"}, o, error)) << error;
    EXPECT_EQ(o.Target, SaverTarget::Root);  // the last one counts
    EXPECT_EQ(o.Width, 640u);
    EXPECT_EQ(o.Height, 480u);

    // Friendly and stored-value settings, in order; masks start from the defaults.
    o = SaverOptions();
    ASSERT_TRUE(Parse({"-object-size", "0", "--join-dots", "-images-per-sec", "1000", "-colour", "low",
                       "-shape", "square,diamond", "-no-shape", "circle", "-rotation", "clockwise",
                       "-zoom", "very-high,four-phase", "-ColourOption", "0x1e", "-ZoomOption", "-2"},
                      o, error))
        << error;
    MemoryStore s = StoreFor(o.Changes);
    const std::uint32_t expected[SETTINGS_VALUE_COUNT] = {
        0, 1000, 1, SHAPE_SQUARE | SHAPE_DIAMOND, ROTATION_NONE | ROTATION_CLOCKWISE, 30, 0xFFFFFFFEu};
    for (int i = 0; i < SETTINGS_VALUE_COUNT; i++)
        EXPECT_EQ(s.Values[i], expected[i]) << SETTINGS_VALUE_NAMES[i];
}

TEST(SaverOptions, RefusedLines)
{
    const struct {
        std::vector<const char*> Args;
        const char* Message;
    } cases[] = {
        {{"-bogus"}, "unknown option '-bogus'"},
        {{"--window-id", "x"}, "--window-id: expected a window id (decimal or 0x hex), got 'x'"},
        {{"-seed"}, "-seed: missing value"},
        {{"-seed", "x"}, "-seed: expected a number from 0 to 4294967295, got 'x'"},
        {{"-window-id", "0"}, "-window-id: expected a window id (decimal or 0x hex), got '0'"},
        {{"-geometry", "0x10"}, "-geometry: expected WxH with sizes from 1 to 16384, got '0x10'"},
        {{"-object-size", "501"}, "-object-size: expected a number from 0 to 500, got '501'"},
        {{"-colour", "pink"}, "-colour: expected high, medium or low; got 'pink'"},
        {{"-shape", "circle,blob"}, "-shape: expected circle, square, triangle, four-point-star, diamond, "
                                    "pyramid, six-point-star, eight-point-star; got 'circle,blob'"},
        {{"-RadiusFactor", "1.5"}, "-RadiusFactor: expected a 32-bit number (decimal or 0x hex), got '1.5'"},
        {{"-settings", ""}, "-settings: missing file name"},
    };
    for (const auto& c : cases) {
        SaverOptions o;
        std::string error;
        EXPECT_FALSE(Parse(c.Args, o, error)) << c.Message;
        EXPECT_EQ(error, c.Message);
    }
}

TEST(SettingsFile, GoodLinesLoadAndBadLinesAreNamed)
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
    MemoryStore s = StoreFor(changes);
    EXPECT_EQ(s.Values[0], 12u);
    EXPECT_EQ(s.Values[3], 6u | SHAPE_PYRAMID);  // bits add to the stored mask
    EXPECT_FALSE(s.Present[1]);
}

TEST(SettingsFile, DefaultPath)
{
    EXPECT_EQ((std::vector<std::string>{DefaultSettingsPath("/x", "/h"), DefaultSettingsPath("", "/h"),
                                        DefaultSettingsPath(nullptr, nullptr)}),
              (std::vector<std::string>{"/x/orbilux/settings", "/h/.config/orbilux/settings", ""}));
}

TEST(TickClock, GridWithoutBursts)
{
    const Nanoseconds ms = NS_PER_MS;
    const struct {
        Nanoseconds Due, Now;
        std::uint32_t Interval;
        Nanoseconds Next;
    } cases[] = {
        {100 * ms, 100 * ms, 20, 120 * ms},       // on time
        {100 * ms, 113 * ms, 20, 120 * ms},       // a little late: the grid holds
        {100 * ms, 120 * ms, 20, 140 * ms},       // exactly a tick late
        {100 * ms, 175 * ms, 20, 180 * ms},       // missed ticks are skipped
        {100 * ms, 100 * ms, 0, 101 * ms},        // a stopped timer cannot spin
    };
    for (const auto& c : cases)
        EXPECT_EQ(NextDue(c.Due, c.Interval, c.Now), c.Next) << c.Now / ms;

    // Rounded up: waking means it is time.
    EXPECT_EQ((std::vector<int>{PollTimeout(-1, 5), PollTimeout(10 * ms, 10 * ms), PollTimeout(10 * ms, 10 * ms - 1),
                                PollTimeout(10 * ms, 0)}),
              (std::vector<int>{-1, 0, 1, 10}));
}

TEST(DirtySurface, RectanglesCoverEveryChange)
{
    Bitmap frame(100, 80);
    SoftwareSurface software(frame);
    DirtySurface s(software);
    auto take = [&] {
        PixelRect r = s.Take(100, 80);
        return std::vector<int>{r.Left, r.Top, r.Right, r.Bottom};
    };
    EXPECT_EQ(take(), (std::vector<int>{0, 0, 0, 0}));
    s.SetPixel(5, 6, 1);
    EXPECT_EQ(take(), (std::vector<int>{5, 6, 6, 7}));
    s.MoveTo(50, 10);
    s.LineTo(20, 30);  // from the current position
    s.LineTo(25, 31);
    EXPECT_EQ(take(), (std::vector<int>{20, 10, 51, 32}));
    s.Arc(90, 70, 110, 50, 0, 0, 0, 0);  // box corners either way round, clipped
    EXPECT_EQ(take(), (std::vector<int>{90, 50, 100, 71}));
    s.FillRect(0, 0, 100, 80, 1);
    EXPECT_EQ(take(), (std::vector<int>{0, 0, 100, 80}));
    s.SetPixel(-5, 200, 1);  // wholly outside
    s.Arc(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, 0, 0, 0, 0);
    EXPECT_EQ(take(), (std::vector<int>{0, 0, 100, 80}));
}

}  // namespace
