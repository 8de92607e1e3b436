#include "wayland/CatchUp.h"

#include <cstring>

void CatchUp(std::uint32_t* back, const std::uint32_t* front, std::int32_t width, const std::vector<Box>& boxes,
             const std::vector<PixelWrite>& pixels)
{
    const std::size_t stride = static_cast<std::size_t>(width);
    for (const Box& box : boxes) {
        const std::size_t bytes = static_cast<std::size_t>(box.Right - box.Left) * 4;
        for (std::int32_t y = box.Top; y < box.Bottom; y++) {
            const std::size_t at = static_cast<std::size_t>(y) * stride + static_cast<std::size_t>(box.Left);
            std::memcpy(back + at, front + at, bytes);
        }
    }
    for (const PixelWrite& pixel : pixels)
        back[pixel.At] = pixel.Colour;
}
