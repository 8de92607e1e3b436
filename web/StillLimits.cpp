#include "web/StillLimits.h"

#include <algorithm>

StillSize LimitStill(std::uint32_t width, std::uint32_t height, std::uint32_t ticks)
{
    StillSize still;
    still.Width = std::clamp(width, 1u, MAX_STILL_SIDE);
    still.Height = std::clamp(height, 1u, MAX_STILL_SIDE);
    still.Height = std::min(still.Height, MAX_STILL_PIXELS / still.Width);
    still.Ticks = std::min(ticks, MAX_STILL_TICKS);
    still.WidthCut = still.Width != width;
    still.HeightCut = still.Height != height;
    still.TicksCut = still.Ticks != ticks;
    return still;
}
