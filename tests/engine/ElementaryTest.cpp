// The project's own exp, cube and degree tables: the same bits on every build,
// equal to the correctly rounded values. The digests come from
// tests/engine/elementary_reference.py, which rounds 80-digit values once.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <ios>
#include <vector>

#include "base/DoubleDouble.h"
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

// The ends of the ranges, from elementary_reference.py --ends: the last
// arguments before overflow, the first with a normal and the first with a
// non-zero result, each with its neighbours one double either side.
TEST(Elementary, RangeEnds)
{
    const double exps[][2] = {{0x1.62e42fefa39eep+9, 0x1.ffffffffffb2ap+1023},
                              {0x1.62e42fefa39efp+9, 0x1.fffffffffff2ap+1023},
                              {0x1.62e42fefa39f0p+9, INFINITY},
                              {INFINITY, INFINITY},
                              {-0x1.6232bdd7abcd3p+9, 0x0.ffffffffffe7cp-1022},
                              {-0x1.6232bdd7abcd2p+9, 0x1.000000000007cp-1022},
                              {-0x1.6232bdd7abcd1p+9, 0x1.000000000027cp-1022},
                              {-720.0, 0x0.0000993b4dc95p-1022},
                              {-740.0, 0x0.0000000000055p-1022},
                              {-0x1.74910d52d3052p+9, 0.0},
                              {-0x1.74910d52d3051p+9, 0x0.0000000000001p-1022},
                              {-0x1.74910d52d3050p+9, 0x0.0000000000001p-1022},
                              {-INFINITY, 0.0}};
    for (const auto& e : exps)
        EXPECT_EQ(Bits(Exp(e[0])), Bits(e[1])) << std::hexfloat << e[0];

    // Cubes below the smallest normal are signed zeros.
    const double cubes[][2] = {{0x1.428a2f98d728ap-341, 0.0},
                               {0x1.428a2f98d728bp-341, 0x1.0000000000000p-1022},
                               {0x1.428a2f98d728cp-341, 0x1.0000000000003p-1022},
                               {-0x1.428a2f98d728bp-341, -0x1.0000000000000p-1022},
                               {-0x1.428a2f98d728ap-341, -0.0},
                               {0x1.428a2f98d7289p+341, 0x1.ffffffffffff7p+1023},
                               {0x1.428a2f98d728ap+341, 0x1.ffffffffffffcp+1023},
                               {0x1.428a2f98d728bp+341, INFINITY}};
    for (const auto& c : cubes)
        EXPECT_EQ(Bits(Cube(c[0])), Bits(c[1])) << std::hexfloat << c[0];
}

// Dekker's product is exact only while both halves of each split hold at
// most 26 bits: a, b, the rounded product and its exact error.
TEST(Elementary, ProductsAreExact)
{
    const double products[][4] = {
        {0x1.14682c5c38921p+31, 0x1.fbf1515ea5847p+32, 0x1.12376ee3c6ed1p+64, 0x1.17f80ec430138p+8},
        {0x1.ff0e13a2aed09p-33, 0x1.9027ef5ccfeb7p-5, 0x1.8f6adbd54db27p-37, -0x1.45798a7eb4122p-91},
        {0x1.44a393a43c9b7p-6, 0x1.d70d80a470279p+36, 0x1.2aad0a09fdd7cp+31, -0x1.6768d6a13a810p-26},
        {0x1.358e465d8f0edp+38, 0x1.bb9d26a4eb091p+12, 0x1.0c359d5fcbdd7p+51, 0x1.48aa17ee598f4p-4}};
    for (const auto& p : products) {
        const DoubleDouble product = TwoProduct(p[0], p[1]);
        EXPECT_EQ(Bits(product.hi), Bits(p[2])) << std::hexfloat << p[0] << " * " << p[1];
        EXPECT_EQ(Bits(product.lo), Bits(p[3])) << std::hexfloat << p[0] << " * " << p[1];
    }
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
