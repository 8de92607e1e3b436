// The project's own exp, cube and degree tables: the same bits on every build,
// equal to the correctly rounded values. The digests come from
// tests/engine/elementary_reference.py, which rounds 80-digit values once.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "base/Elementary.h"
#include "curves/CurveFamily.h"
#include "curves/TrigTables.h"

namespace {

std::uint64_t Bits(double v)
{
    std::uint64_t b;
    std::memcpy(&b, &v, sizeof b);
    return b;
}

// FNV-1a (64 bits) over each value's bytes, least significant first.
std::uint64_t Digest(const std::vector<double>& values)
{
    std::uint64_t h = 0xCBF29CE484222325u;
    for (double v : values) {
        std::uint64_t b = Bits(v);
        for (int i = 0; i < 8; i++, b >>= 8)
            h = (h ^ (b & 0xFF)) * 0x100000001B3u;
    }
    return h;
}

// 4,096 arguments from -3 to 3, as the reference script draws them.
std::vector<double> RandomArguments()
{
    std::vector<double> out;
    std::uint64_t state = 1;
    for (int i = 0; i < 4096; i++) {
        state = state * 6364136223846793005u + 1442695040888963407u;
        out.push_back(static_cast<double>(state >> 11) * 0x1p-53 * 6.0 - 3.0);
    }
    return out;
}

template <typename F> std::vector<double> Map(const std::vector<double>& in, F f)
{
    std::vector<double> out;
    for (double x : in)
        out.push_back(f(x));
    return out;
}

}  // namespace

TEST(Elementary, ExactlyKnownValues)
{
    // Argument, correctly rounded result.
    const double exps[][2] = {{0.0, 1.0},
                              {-0.0, 1.0},
                              {1.0, 0x1.5bf0a8b145769p+1},
                              {-1.0, 0x1.78b56362cef38p-2},
                              {3.0, 0x1.415e5bf6fb106p+4},
                              {-3.0, 0x1.97db0ccceb0afp-5},
                              {700.0, 0x1.d945df4f8ec8ep+1009},
                              {-700.0, 0x1.14f2b0fb9307fp-1010},
                              {800.0, INFINITY},
                              {-800.0, 0.0}};
    for (const auto& e : exps)
        EXPECT_EQ(Bits(Exp(e[0])), Bits(e[1])) << e[0];
    EXPECT_TRUE(std::isnan(Exp(NAN)));

    // Exact cubes, ties to even (262143^3 and 262141^3 are odd 54-bit numbers,
    // halfway between two doubles), a rounding just above 1, signed zeros.
    const double cubes[][2] = {{3.0, 27.0},
                               {-0.5, -0.125},
                               {262143.0, 0x1.fffe800060000p+53},
                               {262141.0, 0x1.fffb80035fff2p+53},
                               {1 + 0x1p-52, 0x1.0000000000003p+0},
                               {0.1, 0x1.0624dd2f1a9fdp-10},
                               {0x1p400, INFINITY},
                               {-0x1p-400, -0.0},
                               {-0.0, -0.0}};
    for (const auto& c : cubes)
        EXPECT_EQ(Bits(Cube(c[0])), Bits(c[1])) << c[0];
}

TEST(Elementary, EveryBuildComputesTheCorrectlyRoundedValues)
{
    const std::vector<double> args = RandomArguments();
    EXPECT_EQ(Digest(Map(args, Exp)), 0x62C13FB6952EDDD5u);
    EXPECT_EQ(Digest(Map(args, Cube)), 0xC705256FEFE69CFFu);

    BuildTrigTables();
    std::vector<double> tables(TrigTables.Sine, TrigTables.Sine + 361);
    tables.insert(tables.end(), TrigTables.Cosine, TrigTables.Cosine + 361);
    EXPECT_EQ(Digest(tables), 0x0B1E5299D5957E70u);

    // Every value of every curve, with each exp and cube correctly rounded.
    std::vector<double> curves;
    for (int kind = 0; kind < CURVE_KIND_COUNT; kind++)
        for (int degree = 0; degree <= 360; degree++)
            curves.push_back(CurveValue(degree, kind));
    EXPECT_EQ(Digest(curves), 0xE730237FF1B7A6EFu);
}
