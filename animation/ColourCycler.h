// The pen colour: each component bounces between the colour option and 250,
// red, green and blue at speeds 1, 2 and 3.
#pragma once
#include <cstdint>

#include "base/DrawSurface.h"

struct ColourCycleRecord {
    std::uint8_t Red, Green, Blue;
    std::int32_t RedStep, GreenStep, BlueStep;
};
extern ColourCycleRecord ColourCycle;

// Three random draws: red, green, blue, each 50 to 169.
void SeedPenColour();
// Advances every component one step and returns 0x00BBGGRR.
Colour NextPenColour();
