#include "wayland/ScaleChoice.h"

namespace {

// `side` x numerator / 120, rounded to nearest (halves up), at least 1.
std::uint32_t Scaled120(std::uint32_t side, std::uint32_t numerator)
{
    std::uint64_t value = (static_cast<std::uint64_t>(side) * numerator + 60) / 120;
    return value == 0 ? 1 : value > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<std::uint32_t>(value);
}

}  // namespace

BufferPlan ChooseBuffer(std::uint32_t logicalWidth, std::uint32_t logicalHeight, std::int32_t integerScale,
                        std::uint32_t fractional120, bool haveViewporter)
{
    BufferPlan plan{false, 0, 0, 1, false};
    if (logicalWidth == 0 || logicalHeight == 0 || logicalWidth > MAX_BUFFER_SIDE || logicalHeight > MAX_BUFFER_SIDE)
        return plan;
    plan.Valid = true;
    if (fractional120 != 0 && haveViewporter) {
        std::uint32_t width = Scaled120(logicalWidth, fractional120);
        std::uint32_t height = Scaled120(logicalHeight, fractional120);
        if (width <= MAX_BUFFER_SIDE && height <= MAX_BUFFER_SIDE) {
            plan.Width = width, plan.Height = height, plan.Viewport = true;
            return plan;
        }
    }
    std::int32_t scale = integerScale < 1 ? 1 : integerScale > MAX_INTEGER_SCALE ? MAX_INTEGER_SCALE : integerScale;
    std::uint32_t largest = logicalWidth > logicalHeight ? logicalWidth : logicalHeight;
    while (scale > 1 && largest * static_cast<std::uint32_t>(scale) > MAX_BUFFER_SIDE)
        scale--;
    plan.Width = logicalWidth * static_cast<std::uint32_t>(scale);
    plan.Height = logicalHeight * static_cast<std::uint32_t>(scale);
    plan.BufferScale = scale;
    return plan;
}
