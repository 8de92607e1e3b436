// A host of a fixed size whose timer, pause and erase do nothing: what a
// replay of a figure runs through, and the engine benchmark.
#pragma once
#include <cstdint>

#include "animation/AnimationHost.h"

class QuietHost : public AnimationHost {
public:
    QuietHost(std::int32_t width, std::int32_t height) : Width(width), Height(height) {}
    std::uintptr_t CreateBackgroundBrush() override { return 1; }
    void DeleteBackgroundBrush(std::uintptr_t) override {}
    std::uint32_t StartTimer(std::uint32_t) override { return 1; }
    void StopTimer() override {}
    void Sleep(std::uint32_t) override {}
    void Erase(DrawSurface&) override {}
    void ClientSize(std::int32_t& width, std::int32_t& height) override { width = Width, height = Height; }
    std::uint32_t ClockSeconds() override { return 0; }

private:
    std::int32_t Width, Height;
};
