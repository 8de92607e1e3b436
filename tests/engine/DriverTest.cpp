// The animation cycle: creation, fitting, ticks, the end of a figure.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "animation/AnimationDriver.h"
#include "animation/ColourCycler.h"
#include "base/Random.h"
#include "settings/MemoryStore.h"
#include "settings/Settings.h"
#include "settings/SettingsValues.h"
#include "RecordingSurface.h"

namespace {

class Driver : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetSettings();
        ResetAnimationState(state);
    }
    void Set(const char* name, std::uint32_t value)
    {
        int i = SettingsValueIndex(name);
        store.KeyExists = true;
        store.Present[i] = true;
        store.Values[i] = value;
    }
    void Create(std::uint32_t width, std::uint32_t height)
    {
        host.Width = static_cast<std::int32_t>(width);
        host.Height = static_cast<std::int32_t>(height);
        AnimationCreate(state, host, store);
        AnimationSize(state, width, height);
    }
    // Runs ticks; returns the surface calls of the last one.
    std::vector<std::string> Ticks(int count)
    {
        RecordingSurface surface;
        for (int i = 0; i < count; i++) {
            surface.Calls.clear();
            AnimationTick(state, surface, host);
        }
        return surface.Calls;
    }
    AnimationStateRecord state;
    MemoryStore store;
    RecordingHost host;
};

TEST_F(Driver, CreationRunsItsStepsInOrderAndSeedsFromTheClock)
{
    Set(VALUE_IMAGES_PER_SEC, 25);
    host.Clock = 1;
    Create(1024, 768);
    EXPECT_EQ(host.Calls, (std::vector<std::string>{"brush", "timer 40"}));
    EXPECT_EQ(state.TimerId, 1u);
    EXPECT_EQ(state.BackgroundBrush, 7u);
    // Three draws for the colour (41, 18467, 6334 from seed 1), then the pair.
    EXPECT_EQ(ColourCycle.Red, 41 % 120 + 50);
    SeedRandom(1);
    NextRandom(); NextRandom(); NextRandom();
    CurvePair expected = ChooseCurvePair();
    EXPECT_EQ(state.KindX, expected.KindX);
    EXPECT_EQ(state.KindY, expected.KindY);
}

TEST_F(Driver, RadiusAndFittingFollowTheWindowSize)
{
    Create(1024, 768);
    EXPECT_EQ(state.DrawWidth, 1022);
    EXPECT_EQ(state.DrawHeight, 766);
    EXPECT_EQ(state.ObjectRadius, 61);
    EXPECT_EQ(state.BaseRadius, 61);
    AnimationSize(state, 152, 112);
    EXPECT_EQ(state.ObjectRadius, 8);

    AnimationSize(state, 1024, 768);
    state.KindX = 1;  // cosine: -1 to 1
    state.KindY = 0;
    SampleFigure(state);
    EXPECT_EQ(state.ScaleX, 450.0);
    std::int32_t x, y;
    MapPoint(state, 90, x, y);  // cosine of 90 is almost 0: the middle
    EXPECT_EQ(x, 512);

    // Half the size: the scale falls to 0 and every point sits on one row.
    Settings.RadiusFactor = 0.5;
    AnimationSize(state, 1024, 768);
    EXPECT_EQ(state.ObjectRadius, 383);
    SampleFigure(state);
    EXPECT_EQ(state.ScaleY, 0.0);
    for (int i = 0; i < 360; i += 37) {
        MapPoint(state, i, x, y);
        EXPECT_EQ(y, 384);
    }
}

TEST_F(Driver, PointsStayInsideTheMarginsForEveryPair)
{
    Create(640, 480);
    for (int kx = 0; kx < 50; kx++) {
        for (int ky = 0; ky < 50; ky += 7) {
            state.KindX = kx;
            state.KindY = ky;
            state.ObjectRadius = 30;
            SampleFigure(state);
            for (int i = 0; i <= 360; i++) {
                std::int32_t x, y;
                MapPoint(state, i, x, y);
                ASSERT_GE(x, 31);
                ASSERT_LE(x, 638 - 30 + 1);
                ASSERT_GE(y, 31);
                ASSERT_LE(y, 478 - 30 + 1);
            }
        }
    }
}

TEST_F(Driver, AFigureTakes360TicksThenPausesAndErases)
{
    Set(VALUE_RADIUS_FACTOR, 0);
    Create(1024, 768);
    host.Calls.clear();
    std::vector<std::string> first = Ticks(1);
    ASSERT_EQ(first.size(), 3u);
    EXPECT_EQ(first[0].substr(0, 4), "pen ");
    EXPECT_EQ(first[1].substr(0, 6), "pixel ");
    EXPECT_EQ(first[1].substr(first[1].size() - 6), first[0].substr(4));  // the pen's colour
    EXPECT_EQ(first[2], "unpen");

    Ticks(358);
    EXPECT_TRUE(host.Calls.empty());
    EXPECT_EQ(state.Step, 359);
    std::vector<std::string> last = Ticks(1);
    EXPECT_EQ(host.Calls, (std::vector<std::string>{"timer off", "sleep 1000", "timer 20", "erase"}));
    EXPECT_EQ(state.Step, 0);
    EXPECT_EQ(last.back(), "unpen");  // the pen goes after the erase
}

TEST_F(Driver, JoinedDotsFormOneClosedPolyline)
{
    Set(VALUE_RADIUS_FACTOR, 0);
    Set(VALUE_JOIN_THE_DOTS, 1);
    Create(800, 600);
    std::vector<std::string> first = Ticks(1);
    ASSERT_EQ(first.size(), 4u);
    std::string start = first[1].substr(5);
    EXPECT_EQ(first[1], "move " + start);
    EXPECT_EQ(first[2], "line " + start);  // a zero-length line to point 0
    std::vector<std::string> last = Ticks(359);
    EXPECT_EQ(last[last.size() - 2], "line " + start);  // closed on point 0
}

TEST_F(Driver, ResizingMidFigureKeepsTheScales)
{
    Create(1024, 768);
    Ticks(10);
    double scaleX = state.ScaleX;
    AnimationSize(state, 200, 100);
    EXPECT_EQ(state.ObjectRadius, 7);
    EXPECT_EQ(state.ScaleX, scaleX);
    Ticks(350);
    Ticks(1);  // next figure's start refits
    EXPECT_NE(state.ScaleX, scaleX);
}

TEST_F(Driver, ATimerThatFailedIsNeverStopped)
{
    class NoTimerHost : public RecordingHost {
    public:
        std::uint32_t StartTimer(std::uint32_t ms) override { RecordingHost::StartTimer(ms); return 0; }
    } noTimer;
    AnimationCreate(state, noTimer, store);
    AnimationClose(state, noTimer);
    EXPECT_EQ(std::count(noTimer.Calls.begin(), noTimer.Calls.end(), "timer off"), 0);
    state.TimerId = 1;
    AnimationClose(state, noTimer);
    EXPECT_EQ(std::count(noTimer.Calls.begin(), noTimer.Calls.end(), "timer off"), 1);
}

TEST_F(Driver, ExtremeStoredSizesStayDefined)
{
    // Millions of percent, every shape turning and zooming, tiny and empty
    // windows: runs under the sanitizers, so any overflow fails the test.
    Set(VALUE_RADIUS_FACTOR, 0xFFFFFFFFu);
    Set(VALUE_OBJECT_SHAPE, 0x1FE);
    Set(VALUE_OBJECT_ROTATION, 14);
    Set(VALUE_ZOOM_OPTION, 0x3FE);
    const std::uint32_t sizes[][2] = {{65535, 65535}, {1024, 768}, {1, 1}, {0, 0}, {2, 65535}};
    for (const auto& size : sizes) {
        ResetAnimationState(state);
        Create(size[0], size[1]);
        Ticks(725);
        EXPECT_EQ(state.Step, 5);
    }
    ResetAnimationState(state);
    Create(65535, 65535);
    EXPECT_EQ(state.ObjectRadius, INT32_MAX);
}

}  // namespace
