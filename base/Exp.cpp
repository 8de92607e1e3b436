#include "base/Elementary.h"

#include <cstdint>
#include <cstring>
#include <limits>

#include "base/DoubleDouble.h"

namespace {

// ln 2 in three parts: the first has 40 significant bits, so k * Ln2Part1 is
// exact for every k the range reduction uses.
const double Ln2Part1 = 0x1.62e42fefa2000p-1;
const double Ln2Part2 = 0x1.9ef35793c7673p-41;
const double Ln2Part3 = 0x1.f97b57a079a19p-103;
const double InverseLn2 = 0x1.71547652b82fep+0;

// The largest argument whose e^x rounds to a finite double, and one below
// every argument whose e^x rounds to more than zero (k stays above -1076).
const double LastFinite = 0x1.62e42fefa39efp+9;  // 709.78...
const double BelowSmallest = -746.0;

// 2^e for e from -1022 to 1023, straight from the bits.
double PowerOfTwo(int e)
{
    std::uint64_t bits = static_cast<std::uint64_t>(e + 1023) << 52;
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// e^r for |r| <= 0.35, in double-double: the Taylor series of e^(r/16), then
// squared four times. The series is summed from its last term:
// 1 + r(1 + r/2(1 + r/3(...))), its remainder below 2^-120.
DoubleDouble ExpSmall(DoubleDouble r)
{
    const DoubleDouble r16 = {r.hi / 16, r.lo / 16};
    DoubleDouble sum = {1.0, 0.0};
    for (int k = 14; k >= 1; k--)
        sum = Add({1.0, 0.0}, DivideByWhole(Multiply(r16, sum), k));
    for (int i = 0; i < 4; i++)
        sum = Multiply(sum, sum);
    return sum;
}

// y * 2^k rounded once to the subnormal spacing 2^-1074, for results below
// the normal range. m = y * 2^(k + 1074) is the result in units of 2^-1074:
// its high part is rounded to a whole number with 2^52 (exact, m < 2^52),
// and the low part decides a tie.
double ScaleBelowNormal(DoubleDouble y, int k)
{
    const double scale = PowerOfTwo(k + 1074);
    const double high = y.hi * scale, low = y.lo * scale;
    double whole = (high + 0x1p52) - 0x1p52;
    const double rest = high - whole;
    if (rest == 0.5 && low > 0)
        whole += 1;
    else if (rest == -0.5 && low < 0)
        whole -= 1;
    // The bits of a double whose exponent field is 0 are its count of 2^-1074;
    // 2^52 of them is the smallest normal, as the same bits read.
    const std::uint64_t bits = static_cast<std::uint64_t>(whole);
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

}  // namespace

double Exp(double x)
{
    if (x != x)
        return x;
    if (x > LastFinite)
        return std::numeric_limits<double>::infinity();
    if (x < BelowSmallest)
        return 0.0;
    // x = k ln 2 + r, with k the whole number nearest x / ln 2.
    const double n = x * InverseLn2;
    const int k = static_cast<int>(n >= 0 ? n + 0.5 : n - 0.5);
    const double kd = k;
    DoubleDouble r = TwoSum(x - kd * Ln2Part1, 0.0);
    DoubleDouble part2 = TwoProduct(kd, Ln2Part2);
    r = Add(r, {-part2.hi, -part2.lo});
    r = Add(r, {-kd * Ln2Part3, 0.0});
    const DoubleDouble y = ExpSmall(r);
    if (k < -1021 && y.hi * PowerOfTwo(k + 1074) < 0x1p52)
        return ScaleBelowNormal(y, k);
    // y.hi is y rounded to double; scaling by a power of two is exact for
    // normal results, done in two halves so that 2^k itself may overflow.
    return y.hi * PowerOfTwo(k / 2) * PowerOfTwo(k - k / 2);
}
