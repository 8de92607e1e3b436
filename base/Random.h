// The random sequence every build shares: seed = seed * 214013 + 2531011
// (mod 2^32), each draw returning bits 16 to 30 of the new seed. The C
// library's rand is not used, since its sequence differs between libraries.
#pragma once
#include <cstdint>

struct RandomRecord {
    std::uint32_t Seed;
};
extern RandomRecord RandomState;

void SeedRandom(std::uint32_t seed);
// 0 to 32767.
std::int32_t NextRandom();
