// Helpers shared by the fuzz targets: reading numbers off the input, and
// failing loudly when a checked property does not hold.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// Takes little-endian numbers from the front of the input; past its end, zeros.
struct FuzzInput {
    const std::uint8_t* Data;
    std::size_t Size;

    std::uint32_t Take(int bytes)
    {
        std::uint32_t value = 0;
        for (int i = 0; i < bytes && Size > 0; i++, Data++, Size--)
            value |= static_cast<std::uint32_t>(*Data) << (8 * i);
        return value;
    }
};

// Abort (a finding) when `holds` is false; asserts would vanish under NDEBUG.
inline void FuzzCheck(bool holds, const char* what)
{
    if (!holds) {
        std::fprintf(stderr, "fuzz check failed: %s\n", what);
        std::abort();
    }
}
