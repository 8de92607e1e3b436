// What the renderer cannot show of the driver: a resize within a figure and a
// timer that failed to start. The rest shows in the golden traces.
#include <gtest/gtest.h>

#include "animation/AnimationDriver.h"
#include "render/Renderer.h"
#include "settings/MemoryStore.h"

// A host whose timer may fail; it counts the timer stops.
class CountingHost : public AnimationHost {
public:
    std::uint32_t Timer = 1;
    int Stops = 0;
    std::uintptr_t CreateBackgroundBrush() override { return 1; }
    void DeleteBackgroundBrush(std::uintptr_t) override {}
    std::uint32_t StartTimer(std::uint32_t) override { return Timer; }
    void StopTimer() override { Stops++; }
    void Sleep(std::uint32_t) override {}
    void Erase(DrawSurface&) override {}
    void ClientSize(std::int32_t& w, std::int32_t& h) override { w = 1024; h = 768; }
    std::uint32_t ClockSeconds() override { return 5; }
};

TEST(Driver, ResizingMidFigureKeepsTheScalesAndAFailedTimerIsNeverStopped)
{
    AnimationStateRecord state{};
    MemoryStore store;
    CountingHost host;
    TracingSurface nowhere(nullptr, nullptr);
    AnimationCreate(state, host, store);
    AnimationSize(state, 1024, 768);
    for (int i = 0; i < 10; i++)
        AnimationTick(state, nowhere, host);
    const double scaleX = state.ScaleX;
    AnimationSize(state, 200, 100);
    EXPECT_EQ(state.ObjectRadius, 7);
    EXPECT_EQ(state.ScaleX, scaleX);
    for (int i = 10; i <= 360; i++)  // to the next figure's start, which refits
        AnimationTick(state, nowhere, host);
    EXPECT_NE(state.ScaleX, scaleX);
    EXPECT_EQ(host.Stops, 1);

    host.Timer = 0;
    AnimationCreate(state, host, store);
    AnimationClose(state, host);
    for (int i = 0; i < 360; i++)
        AnimationTick(state, nowhere, host);
    EXPECT_EQ(host.Stops, 1);
}
