// The degree tables, the curve formulas and the pairing rules.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "curves/CurveFamily.h"
#include "curves/TrigTables.h"

static bool SameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

TEST(Curves, TablesHoldTheCutOffPiValues)
{
    BuildTrigTables();
    const double* s = TrigTables.Sine;
    const double* c = TrigTables.Cosine;
    // Degree, sine, cosine; pass 180 overwrites the -0.0 of pass 0 at Sine[180].
    const double quadrants[][3] = {
        {0, 0, 1}, {90, 1, 4.49e-11}, {180, 8.98e-11, -1}, {270, -1, 4.49e-11}, {360, -8.98e-11, 1}};
    for (const auto& q : quadrants) {
        EXPECT_NEAR(s[int(q[0])], q[1], 0.01e-11) << q[0];
        EXPECT_NEAR(c[int(q[0])], q[2], 0.01e-11) << q[0];
    }
    EXPECT_TRUE(SameBits(s[0], 0.0) && SameBits(s[360], -s[180]));
    // Copies, not separate evaluations: the mirror is exact.
    for (int i = 1; i <= 179; i++) {
        ASSERT_TRUE(SameBits(s[180 + i], -s[i])) << i;
        ASSERT_TRUE(SameBits(c[360 - i], c[i])) << i;
    }
    // The side of 0.5 decides where truncated vertices fall.
    EXPECT_TRUE(s[30] < 0.5 && s[150] > 0.5 && c[60] > 0.5 && c[120] > -0.5);
}

// Kind: value at 45 degrees, smallest and largest over 0 to 360.
const double CHECK_VALUES[50][3] = {
    {1.0000, -1.0000, 1.0000}, {0.7071, -1.0000, 1.0000}, {0.0, -0.3847, 0.3847},     {0.7071, -0.7436, 0.7436},
    {0.0, -1.0000, 0.1250},    {0.0, -0.4642, 0.4642},    {0.0, -0.0789, 1.0000},     {0.5000, -0.5485, 0.5485},
    {0.0, -0.6733, 0.6733},    {0.3536, -1.0000, 1.0000}, {2.0281, 0.4631, 2.1592},   {1.6487, 1.0000, 2.7183},
    {1.0000, 0.7092, 1.4100},  {1.6487, 1.0000, 1.8085},  {1.0000, 0.7929, 1.2613},   {1.0000, 0.8250, 1.2121},
    {1.0000, 0.7884, 1.2685},  {1.4241, 0.6496, 1.5393},  {-0.7071, -1.7811, 1.7811}, {1.2840, 0.4185, 2.3894},
    {1.9221, -2.0964, 2.0964}, {1.4341, -1.4585, 1.4585}, {0.7071, -1.0000, 1.0000},  {1.4341, -1.4417, 1.4417},
    {0.7071, -0.7071, 0.7071}, {0.7071, -1.4958, 1.4958}, {0.7071, -2.7183, 2.7183},  {1.1658, -1.3612, 1.3612},
    {0.7071, -1.7879, 1.7879}, {1.0070, -2.7183, 1.4274}, {2.0281, -2.0940, 2.0940},  {1.6487, -1.8459, 1.8459},
    {1.0000, -1.2144, 1.2144}, {1.6487, -1.7433, 1.7433}, {1.0000, -1.0719, 1.0719},  {1.0000, -1.0937, 1.0937},
    {1.0000, -1.0989, 1.0989}, {1.4241, -1.4988, 1.4988}, {1.0000, -1.1550, 1.1550},  {1.2840, -0.9350, 2.0733},
    {0.0, -1.4152, 1.0000},    {0.0, -1.1196, 1.1196},    {0.0, -1.0675, 1.0000},     {0.0, -1.0000, 1.0000},
    {0.0, -2.7183, 1.0000},    {0.0, -1.3065, 1.0000},    {0.0, -2.7183, 1.0000},     {0.0, -1.2550, 1.0000},
    {0.0, -1.3284, 1.0000},    {0.0, -0.6811, 1.0000},
};

TEST(Curves, EveryKindMatchesItsCheckValuesAndCloses)
{
    BuildTrigTables();
    const double tolerance = 0.00005 + 1e-9;
    for (int kind = 0; kind < 50; kind++) {
        double smallest = CurveValue(0, kind), largest = smallest;
        for (int a = 1; a <= 360; a++) {
            smallest = std::fmin(smallest, CurveValue(a, kind));
            largest = std::fmax(largest, CurveValue(a, kind));
        }
        EXPECT_NEAR(CurveValue(45, kind), CHECK_VALUES[kind][0], tolerance) << "kind " << kind;
        EXPECT_NEAR(smallest, CHECK_VALUES[kind][1], tolerance) << "kind " << kind;
        EXPECT_NEAR(largest, CHECK_VALUES[kind][2], tolerance) << "kind " << kind;
        EXPECT_NEAR(CurveValue(360, kind), CurveValue(0, kind), 3e-10) << "kind " << kind;
    }
    EXPECT_DOUBLE_EQ(CurveValue(0, 11), std::exp(1.0));
    EXPECT_DOUBLE_EQ(CurveValue(90, 9), -1.0);
    // 2 x 180 reduces to entry 0, while the outer factor of kind 20 reads entry 180.
    EXPECT_TRUE(SameBits(CurveValue(180, 0), 0.0));
    EXPECT_NEAR(CurveValue(180, 20), 8.98e-11, 0.01e-11);
    // A kind or degree out of range reads as zero, each on its own.
    const int outside[][2] = {{0, 50}, {45, -1}, {360, 50}, {-1, 0}, {361, 12}, {-360, 49}};
    for (const auto& o : outside)
        EXPECT_TRUE(SameBits(CurveValue(o[0], o[1]), 0.0)) << o[0] << ", kind " << o[1];
}

TEST(Curves, PairRulesHoldBothWays)
{
    const int rejected[][2] = {{0, 0}, {0, 35}, {35, 0}, {5, 14}, {14, 5}, {16, 4}, {44, 45}, {6, 49}, {49, 6}};
    for (const auto& pair : rejected)
        EXPECT_TRUE(IsRejectedPair(pair[0], pair[1])) << pair[0] << "," << pair[1];
    const int accepted[][2] = {{41, 45}, {20, 21}, {1, 3}, {6, 40}, {16, 5}};
    for (const auto& pair : accepted)
        EXPECT_FALSE(IsRejectedPair(pair[0], pair[1])) << pair[0] << "," << pair[1];
    int count = 0;
    for (int x = 0; x < 50; x++)
        for (int y = 0; y < 50; y++)
            count += IsRejectedPair(x, y);
    EXPECT_EQ(count, 412);
}
