// The saver window's life as the engine sees it, without a window system:
// create, size, erase, timer ticks and the pause that closes a figure. The
// headless renderer and the X11 saver both drive the engine through it.
//
// The pause is not slept here: a tick that closes a figure leaves it pending,
// with the erase that follows it, and the caller ends it when it chooses (at
// once, or when its clock says so), so that the window stays responsive.
#pragma once
#include <cstdint>
#include <cstdio>

#include "animation/AnimationHost.h"
#include "animation/AnimationState.h"
#include "animation/ColourCycler.h"
#include "base/DrawSurface.h"
#include "base/Random.h"

class SettingsValueStore;

class EmulatedWindow : private AnimationHost {
public:
    // `seed` is the clock's value at creation. `trace` (may be null) gets a
    // line for each timer and pause event.
    EmulatedWindow(std::uint32_t seed, std::FILE* trace) : Seed(seed), Trace(trace) {}

    // WM_CREATE, from the process-start state of the engine's records.
    void Create(SettingsValueStore& store);
    // WM_SIZE: the new client size (each at most 65535).
    void Size(std::uint32_t width, std::uint32_t height);
    // WM_ERASEBKGND. The picture starts again here: what the engine holds
    // now is kept for Replay.
    void EraseBackground(DrawSurface& surface);
    // WM_TIMER. Does nothing while a pause is pending.
    void Tick(DrawSurface& surface);
    // The pending pause in milliseconds, 0 when none.
    std::uint32_t PendingPause() const { return PauseMs; }
    // Ends the pending pause with its erase, on `surface`.
    void EndPause(DrawSurface& surface);
    // The running timer's interval in milliseconds, 0 when it is stopped.
    std::uint32_t TimerInterval() const { return Interval; }
    // Draws on `surface` again what the ticks since the last erase drew, the
    // same pixels in the same order, without touching the running figure or
    // the timer: the engine is deterministic, so the state it had at the
    // erase is all a repaint needs. `surface` must stand where the drawing
    // surface stood at that erase (its current position).
    void Replay(DrawSurface& surface) const;
    std::int32_t Width() const { return ClientWidth; }
    std::int32_t Height() const { return ClientHeight; }

private:
    std::uintptr_t CreateBackgroundBrush() override { return 1; }
    void DeleteBackgroundBrush(std::uintptr_t) override {}
    std::uint32_t StartTimer(std::uint32_t milliseconds) override;
    void StopTimer() override;
    void Sleep(std::uint32_t milliseconds) override;
    void Erase(DrawSurface& surface) override;
    void ClientSize(std::int32_t& width, std::int32_t& height) override;
    std::uint32_t ClockSeconds() override { return Seed; }

    std::uint32_t Seed;
    std::FILE* Trace;
    std::int32_t ClientWidth = 0, ClientHeight = 0;
    std::uint32_t Interval = 0;
    std::uint32_t PauseMs = 0;
    bool ErasePending = false;

    // The engine's records at the last erase, and the ticks drawn since.
    AnimationStateRecord StartState{};
    RandomRecord StartRandom{};
    ColourCycleRecord StartColour{};
    std::uint32_t TicksSinceErase = 0;
};
