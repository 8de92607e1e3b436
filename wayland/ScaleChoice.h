// The buffer an output's surface gets: the output's physical pixels, by the
// integer buffer scale or, where the compositor sends a fractional scale and
// offers a viewport, by a buffer of the physical size shown at the logical
// size.
#pragma once
#include <cstdint>

// A buffer's largest side.
const std::uint32_t MAX_BUFFER_SIDE = 16384;
// The largest integer scale taken as it is.
const std::int32_t MAX_INTEGER_SCALE = 16;

struct BufferPlan {
    bool Valid;           // false: nothing can be shown at this size
    std::uint32_t Width;  // the buffer (and the figure) in pixels
    std::uint32_t Height;
    std::int32_t BufferScale;  // for wl_surface.set_buffer_scale
    bool Viewport;             // show through the viewport at the logical size
};

// `logicalWidth` x `logicalHeight` as the layer surface was configured;
// `integerScale` from wl_output.scale (below 1 counts as 1); `fractional120`
// the fractional scale's preferred value in 120ths (0: none sent). A scale
// that would make a side larger than MAX_BUFFER_SIDE is lowered to one that
// fits; a logical side of 0 or above MAX_BUFFER_SIDE is not valid.
BufferPlan ChooseBuffer(std::uint32_t logicalWidth, std::uint32_t logicalHeight, std::int32_t integerScale,
                        std::uint32_t fractional120, bool haveViewporter);
