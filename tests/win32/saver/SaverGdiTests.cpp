// GDI objects over a saver window's life: each tick's pen is gone by the end
// of the tick, the background brush goes with the window.
#include "SaverWindowFixture.h"

#include <algorithm>

#include "animation/AnimationState.h"

TEST_F(SaverWindowTest, TicksOfSeveralFiguresLeaveNoPenBehind)
{
    CreateSaver();
    ASSERT_EQ(RecordedCalls.Brushes.size(), 1u);
    HGDIOBJ background = RecordedCalls.Brushes[0];
    EXPECT_EQ(GetObjectType(background), static_cast<DWORD>(OBJ_BRUSH));
    HDC dc = GetDC(Window);
    HGDIOBJ penBefore = GetCurrentObject(dc, OBJ_PEN);

    const int ticks = 6 * 360 + 100;
    Tick(ticks);

    ASSERT_EQ(RecordedCalls.Pens.size(), static_cast<size_t>(ticks));
    int alive = 0;
    for (HGDIOBJ pen : RecordedCalls.Pens)
        if (GetObjectType(pen) != 0)
            alive++;
    EXPECT_EQ(alive, 0);
    // The window's own DC has its original pen back after every tick.
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), penBefore);
    ReleaseDC(Window, dc);
    // One pause per finished figure, and the figure has started again.
    EXPECT_EQ(std::count(RecordedCalls.Sleeps.begin(), RecordedCalls.Sleeps.end(), 1000u), 6);
    EXPECT_EQ(AnimationState.Step, 100);

    EXPECT_EQ(GetObjectType(background), static_cast<DWORD>(OBJ_BRUSH));
    DestroyWindow(Window);
    EXPECT_EQ(GetObjectType(background), 0u);
}
