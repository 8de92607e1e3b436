#include "web/CanvasSink.h"

#include <algorithm>

namespace {

const std::uint32_t OPAQUE = 0xFF000000u;

}  // namespace

void CanvasSink::Resize(std::int32_t width, std::int32_t height)
{
    Width = width > 0 && height > 0 ? width : 0;
    Height = width > 0 && height > 0 ? height : 0;
    Rgba.assign(static_cast<std::size_t>(Width) * static_cast<std::size_t>(Height), OPAQUE);
    Changed = {0, 0, Width, Height};
}

void CanvasSink::Point(std::int32_t x, std::int32_t y, Colour colour)
{
    Rgba[static_cast<std::size_t>(y) * static_cast<std::size_t>(Width) + static_cast<std::size_t>(x)] = OPAQUE | colour;
    Grow(x, y, x + 1, y + 1);
}

void CanvasSink::Clear(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom)
{
    for (std::int32_t y = top; y < bottom; y++)
        std::fill_n(Rgba.begin() + static_cast<std::ptrdiff_t>(y) * Width + left, right - left, OPAQUE);
    Grow(left, top, right, bottom);
}

ChangedRect CanvasSink::TakeChanged()
{
    ChangedRect changed = Changed;
    Changed = {0, 0, 0, 0};
    return changed;
}

void CanvasSink::Grow(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom)
{
    if (Changed.Left >= Changed.Right) {
        Changed = {left, top, right, bottom};
        return;
    }
    Changed = {std::min(Changed.Left, left), std::min(Changed.Top, top), std::max(Changed.Right, right),
               std::max(Changed.Bottom, bottom)};
}
