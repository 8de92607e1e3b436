// The 32-bit conversions at, just inside and just beyond the ends of their range.
#include <gtest/gtest.h>

#include <limits>

#include "base/SaturatingMath.h"

TEST(SaturatingMath, EdgesOfThe32BitRange)
{
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
    const std::pair<double, std::int32_t> truncated[] = {{nan, 0},
                                                         {inf, INT32_MAX},
                                                         {-inf, INT32_MIN},
                                                         {-1.9, -1},
                                                         {-0.5, 0},
                                                         {0.99, 0},
                                                         {2147483646.9, INT32_MAX - 1},
                                                         {2147483647.0, INT32_MAX},
                                                         {2147483647.5, INT32_MAX},
                                                         {2147483648.0, INT32_MAX},
                                                         {4294967296.0, INT32_MAX},
                                                         {-2147483647.9, INT32_MIN + 1},
                                                         {-2147483648.9, INT32_MIN},
                                                         {-2147483649.0, INT32_MIN},
                                                         {-1e300, INT32_MIN}};
    for (const auto& t : truncated)
        EXPECT_EQ(TruncToInt32(t.first), t.second) << std::fixed << t.first;

    const std::int64_t max = INT32_MAX, min = INT32_MIN;
    for (std::int64_t v : {max, max + 1, INT64_MAX})
        EXPECT_EQ(SaturateToInt32(v), INT32_MAX) << v;
    for (std::int64_t v : {min, min - 1, INT64_MIN})
        EXPECT_EQ(SaturateToInt32(v), INT32_MIN) << v;

    // a, b, a + b and a - b, saturated.
    const std::int32_t sums[][4] = {
        {INT32_MAX, 1, INT32_MAX, INT32_MAX - 1},  {INT32_MAX, -1, INT32_MAX - 1, INT32_MAX},
        {INT32_MIN, -1, INT32_MIN, INT32_MIN + 1}, {INT32_MIN, 1, INT32_MIN + 1, INT32_MIN},
        {-1, INT32_MIN, INT32_MIN, INT32_MAX},     {0, INT32_MIN, INT32_MIN, INT32_MAX},
        {-2, INT32_MAX, INT32_MAX - 2, INT32_MIN}, {INT32_MAX, INT32_MAX, INT32_MAX, 0},
        {INT32_MIN, INT32_MIN, INT32_MIN, 0}};
    for (const auto& s : sums) {
        EXPECT_EQ(AddSaturating(s[0], s[1]), s[2]) << s[0] << " + " << s[1];
        EXPECT_EQ(SubtractSaturating(s[0], s[1]), s[3]) << s[0] << " - " << s[1];
    }
}
