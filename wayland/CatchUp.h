// Bringing one buffer of a pair up to date with the other after a frame:
// the frame's cleared boxes are copied, then its pixels are written again in
// the order drawn (reading the other buffer for them would cost a second
// cache miss per pixel, as they lie far apart).
#pragma once
#include <cstdint>
#include <vector>

#include "wayland/DamageTiles.h"

// One pixel drawn: its offset into the buffer and the value written.
struct PixelWrite {
    std::uint32_t At, Colour;
};

// `back` and `front` are pictures `width` pixels a row. A pixel drawn before
// a box was cleared must not be in `pixels` (the box has it).
void CatchUp(std::uint32_t* back, const std::uint32_t* front, std::int32_t width, const std::vector<Box>& boxes,
             const std::vector<PixelWrite>& pixels);
