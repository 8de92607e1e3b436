#include "base/Random.h"

RandomRecord RandomState = {1};

void SeedRandom(std::uint32_t seed)
{
    RandomState.Seed = seed;
}

std::int32_t NextRandom()
{
    RandomState.Seed = RandomState.Seed * 214013u + 2531011u;
    return static_cast<std::int32_t>((RandomState.Seed >> 16) & 0x7FFF);
}
