#include "base/Elementary.h"

#include <cstdint>
#include <cstring>
#include <limits>

namespace {

// m^3 for m < 2^53, exactly, in five 32-bit limbs (least significant first).
void CubeLimbs(std::uint64_t m, std::uint32_t cube[5])
{
    const std::uint32_t factor[2] = {static_cast<std::uint32_t>(m), static_cast<std::uint32_t>(m >> 32)};
    std::uint32_t square[4] = {};
    std::uint32_t result[6] = {};
    // product = a * factor, schoolbook with 64-bit column sums.
    auto multiply = [&factor](const std::uint32_t* a, int na, std::uint32_t* product) {
        for (int i = 0; i < na; i++) {
            std::uint64_t carry = 0;
            for (int j = 0; j < 2; j++) {
                std::uint64_t t = static_cast<std::uint64_t>(a[i]) * factor[j] + product[i + j] + carry;
                product[i + j] = static_cast<std::uint32_t>(t);
                carry = t >> 32;
            }
            product[i + 2] = static_cast<std::uint32_t>(carry);
        }
    };
    multiply(factor, 2, square);
    multiply(square, 4, result);
    std::memcpy(cube, result, 5 * sizeof(std::uint32_t));
}

int BitAt(const std::uint32_t* limbs, int i)
{
    return static_cast<int>((limbs[i / 32] >> (i % 32)) & 1);
}

}  // namespace

double Cube(double x)
{
    std::uint64_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    const std::uint64_t sign = bits & (std::uint64_t(1) << 63);
    const int field = static_cast<int>((bits >> 52) & 0x7FF);
    const std::uint64_t fraction = bits & ((std::uint64_t(1) << 52) - 1);
    if (field == 0x7FF || x == 0)
        return x * x * x;  // infinities, NaN and signed zeros are exact
    // |x| = m * 2^e with a whole m, so |x|^3 = m^3 * 2^(3e).
    const std::uint64_t m = field ? fraction | (std::uint64_t(1) << 52) : fraction;
    const int e = (field ? field : 1) - 1075;

    std::uint32_t cube[5];
    CubeLimbs(m, cube);
    int length = 159;
    while (!BitAt(cube, length - 1))
        length--;
    // The leading 53 bits, rounded to nearest with ties to even.
    const int shift = length - 53;
    std::uint64_t q = 0;
    for (int i = length - 1; i >= shift && i >= 0; i--)
        q = q << 1 | static_cast<std::uint64_t>(BitAt(cube, i));
    int exponent = length - 1 + 3 * e;  // of the leading bit
    if (shift < 0) {
        q <<= -shift;
    } else if (shift > 0 && BitAt(cube, shift - 1)) {
        bool sticky = false;
        for (int i = 0; i < shift - 1 && !sticky; i++)
            sticky = BitAt(cube, i) != 0;
        if (sticky || (q & 1)) {
            q++;
            if (q >> 53) {
                q >>= 1;
                exponent++;
            }
        }
    }
    double result;
    if (exponent > 1023) {
        result = std::numeric_limits<double>::infinity();
    } else if (exponent < -1022) {
        result = 0.0;
    } else {
        std::uint64_t out = static_cast<std::uint64_t>(exponent + 1023) << 52 | (q & ((std::uint64_t(1) << 52) - 1));
        std::memcpy(&result, &out, sizeof result);
    }
    return sign ? -result : result;
}
