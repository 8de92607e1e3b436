// The still picture an address asks for (?ticks=, width=, height=), cut to
// what the page can hold: a side of at most MAX_STILL_SIDE pixels, at most
// MAX_STILL_PIXELS in all (the module's copy and the canvas's each take 4
// bytes a pixel), and the renderer's tick limit. Ticks run in slices, so
// their number costs time, not memory.
#pragma once
#include <cstdint>

const std::uint32_t MAX_STILL_SIDE = 8192;
const std::uint32_t MAX_STILL_PIXELS = 4096u * 4096u;
const std::uint32_t MAX_STILL_TICKS = 100000000;

struct StillSize {
    std::uint32_t Width, Height, Ticks;
    bool WidthCut, HeightCut, TicksCut;
};

// Width and height from 1 up; a picture over the pixel limit loses height.
StillSize LimitStill(std::uint32_t width, std::uint32_t height, std::uint32_t ticks);
