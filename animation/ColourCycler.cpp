#include "animation/ColourCycler.h"

#include "base/Random.h"
#include "settings/Settings.h"

ColourCycleRecord ColourCycle;

namespace {

// The test looks at the value before the change and only negates the step,
// so a component seeded below the band keeps bouncing around its seed.
void StepComponent(std::uint8_t& component, std::int32_t& step)
{
    std::int32_t c = component;
    if (c >= 250 || static_cast<std::int64_t>(c) <= Settings.ColourOption)
        step = -step;
    component = static_cast<std::uint8_t>((c + step) & 0xFF);
}

}  // namespace

void SeedPenColour()
{
    ColourCycle.RedStep = 1;
    ColourCycle.GreenStep = 2;
    ColourCycle.BlueStep = 3;
    ColourCycle.Red = static_cast<std::uint8_t>(NextRandom() % 120 + 50);
    ColourCycle.Green = static_cast<std::uint8_t>(NextRandom() % 120 + 50);
    ColourCycle.Blue = static_cast<std::uint8_t>(NextRandom() % 120 + 50);
}

Colour NextPenColour()
{
    StepComponent(ColourCycle.Red, ColourCycle.RedStep);
    StepComponent(ColourCycle.Green, ColourCycle.GreenStep);
    StepComponent(ColourCycle.Blue, ColourCycle.BlueStep);
    return static_cast<Colour>(ColourCycle.Red) + 256u * ColourCycle.Green + 65536u * ColourCycle.Blue;
}
