// One figure among several in one process. The engine keeps a figure in
// process-wide records (its state, the random sequence, the pen colour), so
// each figure keeps a copy of them and puts it in place before the engine
// draws for it; the settings and tables the records read are the same for
// every figure.
#pragma once
#include <cstdint>

#include "animation/AnimationState.h"
#include "animation/ColourCycler.h"
#include "base/Random.h"
#include "raster/EmulatedWindow.h"

class FigureSlot {
public:
    explicit FigureSlot(std::uint32_t seed) : Window(seed, nullptr) {}
    ~FigureSlot();
    FigureSlot(const FigureSlot&) = delete;
    FigureSlot& operator=(const FigureSlot&) = delete;

    // The figure, with its records in the engine: call before each use
    // (Create, Size, ticks, pauses); the figure used before keeps its own.
    EmulatedWindow& Enter();

private:
    EmulatedWindow Window;
    AnimationStateRecord State{};
    RandomRecord Random{};
    ColourCycleRecord Colour{};
    static FigureSlot* Loaded;  // whose records the engine holds
};
