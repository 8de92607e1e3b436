#include "render/ChangedPixels.h"

#include <algorithm>

ChangedPixels::ChangedPixels(Bitmap& bitmap) : Picture(bitmap), Bits((bitmap.Pixels.size() + 63) / 64, 0) {}

void ChangedPixels::Mark(std::int32_t x, std::int32_t y, std::size_t i)
{
    Bits[i / 64] |= std::uint64_t(1) << (i % 64);
    if (Left == Right) {
        Left = x, Top = y, Right = x + 1, Bottom = y + 1;
        return;
    }
    Left = std::min(Left, x), Right = std::max(Right, x + 1);
    Top = std::min(Top, y), Bottom = std::max(Bottom, y + 1);
}

void ChangedPixels::Point(std::int32_t x, std::int32_t y, Colour colour)
{
    std::size_t i = Index(x, y);
    if (Picture.Pixels[i] == colour)
        return;
    Picture.Pixels[i] = colour;
    Mark(x, y, i);
}

void ChangedPixels::Clear(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom)
{
    for (std::int32_t y = top; y < bottom; y++)
        for (std::int32_t x = left; x < right; x++)
            Point(x, y, 0);
}

void ChangedPixels::Forget()
{
    // Only the box's rows hold marks.
    if (Left != Right) {
        std::size_t first = Index(0, Top) / 64, last = (Index(0, Bottom) + 63) / 64;
        std::fill(Bits.begin() + static_cast<std::ptrdiff_t>(first),
                  Bits.begin() + static_cast<std::ptrdiff_t>(std::min(last, Bits.size())), 0);
    }
    Left = Top = Right = Bottom = 0;
}
