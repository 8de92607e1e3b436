// A drawing surface that writes each call as one line of text, for tests.
#pragma once
#include <cstdio>
#include <string>
#include <vector>

#include "animation/AnimationHost.h"
#include "base/DrawSurface.h"

class RecordingSurface : public DrawSurface {
public:
    std::vector<std::string> Calls;

    void SelectPen(Colour colour) override { Add("pen %06x", colour); }
    void DeselectPen() override { Calls.push_back("unpen"); }
    void MoveTo(std::int32_t x, std::int32_t y) override { Add("move %d %d", x, y); }
    void LineTo(std::int32_t x, std::int32_t y) override { Add("line %d %d", x, y); }
    void Arc(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b, std::int32_t xs, std::int32_t ys,
             std::int32_t xe, std::int32_t ye) override
    {
        Add("arc %d %d %d %d %d %d %d %d", l, t, r, b, xs, ys, xe, ye);
    }
    void SetPixel(std::int32_t x, std::int32_t y, Colour colour) override { Add("pixel %d %d %06x", x, y, colour); }
    void FillRect(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b, std::uintptr_t) override
    {
        Add("fill %d %d %d %d", l, t, r, b);
    }

private:
    template <typename... Args>
    void Add(const char* format, Args... args)
    {
        char line[160];
        std::snprintf(line, sizeof line, format, args...);
        Calls.push_back(line);
    }
};

// A host whose timer always starts; it records what the engine asks of it.
class RecordingHost : public AnimationHost {
public:
    std::vector<std::string> Calls;
    std::uint32_t Clock = 1;
    std::int32_t Width = 1024, Height = 768;
    DrawSurface* EraseTarget = nullptr;

    std::uintptr_t CreateBackgroundBrush() override { Calls.push_back("brush"); return 7; }
    void DeleteBackgroundBrush(std::uintptr_t) override { Calls.push_back("unbrush"); }
    std::uint32_t StartTimer(std::uint32_t ms) override { Calls.push_back("timer " + std::to_string(ms)); return 1; }
    void StopTimer() override { Calls.push_back("timer off"); }
    void Sleep(std::uint32_t ms) override { Calls.push_back("sleep " + std::to_string(ms)); }
    void Erase(DrawSurface&) override { Calls.push_back("erase"); }
    void ClientSize(std::int32_t& w, std::int32_t& h) override { w = Width; h = Height; }
    std::uint32_t ClockSeconds() override { return Clock; }
};
