#include "raster/EmulatedWindow.h"

#include "animation/AnimationDriver.h"
#include "raster/QuietHost.h"
#include "settings/Settings.h"

void EmulatedWindow::Create(SettingsValueStore& store)
{
    ResetSettings();
    ResetAnimationState(AnimationState);
    AnimationCreate(AnimationState, *this, store);
}

void EmulatedWindow::Size(std::uint32_t width, std::uint32_t height)
{
    ClientWidth = static_cast<std::int32_t>(width);
    ClientHeight = static_cast<std::int32_t>(height);
    AnimationSize(AnimationState, width, height);
}

void EmulatedWindow::EraseBackground(DrawSurface& surface)
{
    AnimationErase(AnimationState, surface, *this);
    StartState = AnimationState;
    StartRandom = RandomState;
    StartColour = ColourCycle;
    TicksSinceErase = 0;
}

void EmulatedWindow::Tick(DrawSurface& surface)
{
    if (PauseMs != 0)
        return;
    AnimationTick(AnimationState, surface, *this);
    TicksSinceErase++;
}

// The replay runs on a copy of the figure's state, but through the shared
// random sequence and colour: it ends where the running figure stands, so
// they come out as they were.
void EmulatedWindow::Replay(DrawSurface& surface) const
{
    RandomState = StartRandom;
    ColourCycle = StartColour;
    AnimationStateRecord state = StartState;
    // Same size, no timer, no pause and no erase: a replay ends before the
    // erase that follows a figure's last tick.
    QuietHost host(ClientWidth, ClientHeight);
    AnimationErase(state, surface, host);
    for (std::uint32_t i = 0; i < TicksSinceErase; i++)
        AnimationTick(state, surface, host);
}

void EmulatedWindow::EndPause(DrawSurface& surface)
{
    PauseMs = 0;
    if (ErasePending) {
        ErasePending = false;
        EraseBackground(surface);
    }
}

std::uint32_t EmulatedWindow::StartTimer(std::uint32_t milliseconds)
{
    if (Trace)
        std::fprintf(Trace, "timer on %u\n", milliseconds);
    Interval = milliseconds;
    return 1;
}

void EmulatedWindow::StopTimer()
{
    if (Trace)
        std::fprintf(Trace, "timer off\n");
    Interval = 0;
}

void EmulatedWindow::Sleep(std::uint32_t milliseconds)
{
    if (Trace)
        std::fprintf(Trace, "sleep %u\n", milliseconds);
    PauseMs = milliseconds == 0 ? 1 : milliseconds;
}

// The engine erases as the last step of the tick that sleeps, so putting the
// erase after the pause changes nothing but when it is seen.
void EmulatedWindow::Erase(DrawSurface& surface)
{
    if (PauseMs != 0)
        ErasePending = true;
    else
        EraseBackground(surface);
}

void EmulatedWindow::ClientSize(std::int32_t& width, std::int32_t& height)
{
    width = ClientWidth;
    height = ClientHeight;
}
