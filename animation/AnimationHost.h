// What the animation asks of the window that hosts it.
#pragma once
#include <cstdint>

class DrawSurface;

class AnimationHost {
public:
    // The solid black brush that erases the window, and its release.
    virtual std::uintptr_t CreateBackgroundBrush() = 0;
    virtual void DeleteBackgroundBrush(std::uintptr_t brush) = 0;
    // Starts the animation timer (identifier 1) with the given interval.
    // Returns non-zero on success, 0 when no timer could be started.
    virtual std::uint32_t StartTimer(std::uint32_t milliseconds) = 0;
    virtual void StopTimer() = 0;
    // Blocks the GUI thread.
    virtual void Sleep(std::uint32_t milliseconds) = 0;
    // Erases the window through its own erase handling, drawing on `surface`
    // (the Windows host sends itself WM_ERASEBKGND with the tick's DC).
    virtual void Erase(DrawSurface& surface) = 0;
    // Client size of the window, as GetClientRect gives it.
    virtual void ClientSize(std::int32_t& width, std::int32_t& height) = 0;
    // Current time in seconds, the random seed.
    virtual std::uint32_t ClockSeconds() = 0;

protected:
    ~AnimationHost() = default;
};
