// The software surface's pixels kept as a canvas's RGBA bytes, opaque, with
// the rectangle changed since the page last copied it.
#pragma once
#include <cstdint>
#include <vector>

#include "raster/SoftwareSurface.h"

struct ChangedRect {
    std::int32_t Left, Top, Right, Bottom;  // right and bottom excluded; empty when Left >= Right
};

class CanvasSink : public PixelSink {
public:
    // Black, every pixel changed. Sizes below 1 give an empty canvas.
    void Resize(std::int32_t width, std::int32_t height);
    void Point(std::int32_t x, std::int32_t y, Colour colour) override;
    void Clear(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) override;

    // The changed rectangle, then nothing changed.
    ChangedRect TakeChanged();
    const std::uint32_t* Pixels() const { return Rgba.data(); }

private:
    void Grow(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom);

    std::int32_t Width = 0, Height = 0;
    std::vector<std::uint32_t> Rgba;  // in memory R, G, B, A: 0xAABBGGRR on little-endian WebAssembly
    ChangedRect Changed = {0, 0, 0, 0};
};
