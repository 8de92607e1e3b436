// A resize within a figure, which a renderer run cannot show: the shapes'
// radius follows at once, the figure's scales at the next figure's start.
#include <gtest/gtest.h>

#include "animation/AnimationDriver.h"
#include "raster/EmulatedWindow.h"
#include "render/Renderer.h"
#include "settings/MemoryStore.h"

TEST(Driver, ResizingMidFigureRefitsTheRadiusAtOnceAndTheScalesAtTheNextFigure)
{
    MemoryStore store;
    EmulatedWindow window(5, nullptr);
    TracingSurface nowhere(nullptr, nullptr);
    window.Create(store);
    window.Size(1024, 768);
    for (int i = 0; i < 10; i++)
        window.Tick(nowhere);
    const double scaleX = AnimationState.ScaleX;
    window.Size(200, 100);
    EXPECT_EQ(AnimationState.ObjectRadius, 7);
    EXPECT_EQ(AnimationState.ScaleX, scaleX);
    for (int i = 10; i < 360; i++)
        window.Tick(nowhere);
    window.EndPause(nowhere);
    window.Tick(nowhere);
    EXPECT_NE(AnimationState.ScaleX, scaleX);
}
