// Draws into a bitmap and remembers which pixels changed since the last
// Forget: one bit a pixel and their bounding box, so an animation frame can
// hold just the changed rectangle without a copy of the picture before it.
#pragma once
#include <cstdint>
#include <vector>

#include "raster/SoftwareSurface.h"

class ChangedPixels : public PixelSink {
public:
    // Throws std::bad_alloc when the bits do not fit (one 32nd of the bitmap).
    explicit ChangedPixels(Bitmap& bitmap);

    void Point(std::int32_t x, std::int32_t y, Colour colour) override;
    void Clear(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) override;

    bool Changed(std::int32_t x, std::int32_t y) const
    {
        std::size_t i = Index(x, y);
        return (Bits[i / 64] >> (i % 64)) & 1;
    }
    // The box around the changed pixels, right and bottom excluded; empty
    // (Left == Right) when none changed.
    std::int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
    // Starts a new count: no pixel changed.
    void Forget();

private:
    std::size_t Index(std::int32_t x, std::int32_t y) const
    {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(Picture.Width) + static_cast<std::size_t>(x);
    }
    void Mark(std::int32_t x, std::int32_t y, std::size_t i);

    Bitmap& Picture;
    std::vector<std::uint64_t> Bits;
};
