// Conversions that stay defined for any input. Stored settings are taken
// without range checks, so an object size of millions of percent reaches the
// radius, the scales and the shape vertices; results beyond 32 bits saturate.
#pragma once
#include <cstdint>

// Truncates toward zero; saturates to the 32-bit range; NaN gives 0.
inline std::int32_t TruncToInt32(double value)
{
    if (value != value)
        return 0;
    if (value >= 2147483647.0)
        return INT32_MAX;
    if (value <= -2147483648.0)
        return INT32_MIN;
    return static_cast<std::int32_t>(value);
}

inline std::int32_t SaturateToInt32(std::int64_t value)
{
    if (value > INT32_MAX)
        return INT32_MAX;
    if (value < INT32_MIN)
        return INT32_MIN;
    return static_cast<std::int32_t>(value);
}

inline std::int32_t AddSaturating(std::int32_t a, std::int32_t b)
{
    return SaturateToInt32(static_cast<std::int64_t>(a) + b);
}

inline std::int32_t SubtractSaturating(std::int32_t a, std::int32_t b)
{
    return SaturateToInt32(static_cast<std::int64_t>(a) - b);
}
