// The drifting pen colour.
#include <gtest/gtest.h>

#include <vector>

#include "animation/ColourCycler.h"
#include "settings/Settings.h"

// Components (red, green, blue) the calls return from a start and a band.
TEST(Colour, ComponentsTurnBackAtTheBandsEdges)
{
    const struct {
        std::int32_t Option;
        int Start[3], Steps[3];
        std::vector<std::vector<int>> Calls;
    } cases[] = {
        {10, {100, 60, 249}, {1, 2, 3}, {{101, 62, 252}, {102, 64, 249}, {103, 66, 246}}},
        {10, {250, 10, 11}, {1, -1, -2}, {{249, 11, 9}, {248, 12, 11}}},
        {30, {31, 30, 251}, {-1, -2, 3}, {{30, 32, 248}, {31, 34, 245}}},
        // Seeded on the low bound with a rising step: alternates below it.
        {50, {50, 50, 50}, {1, 2, 3}, {{49, 48, 47}, {50, 50, 50}, {49, 48, 47}}},
        // Outside 10, 30 and 50 (a hand-edited value) a component may wrap.
        {300, {1, 100, 100}, {-1, 2, 3}, {{2, 98, 97}}},
        {-2147483647 - 1, {0, 100, 100}, {-1, 2, 3}, {{255, 102, 103}, {0, 104, 106}}},
    };
    for (const auto& c : cases) {
        ResetSettings();
        Settings.ColourOption = c.Option;
        ColourCycle = {static_cast<std::uint8_t>(c.Start[0]),
                       static_cast<std::uint8_t>(c.Start[1]),
                       static_cast<std::uint8_t>(c.Start[2]),
                       c.Steps[0],
                       c.Steps[1],
                       c.Steps[2]};
        for (const auto& rgb : c.Calls) {
            Colour colour = NextPenColour();
            EXPECT_EQ(colour, static_cast<Colour>(rgb[0] + 256 * rgb[1] + 65536 * rgb[2]))
                << "option " << c.Option << " from " << c.Start[0] << "," << c.Start[1] << "," << c.Start[2];
        }
    }
}
