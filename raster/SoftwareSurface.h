// A drawing surface on a plain 32-bit bitmap that sets the same pixels as GDI
// does for the engine's operations, so the headless renderer shows what the
// saver shows.
#pragma once
#include <cstdint>
#include <vector>

#include "base/DrawSurface.h"

// Pixels are 0x00BBGGRR, row after row from the top.
struct Bitmap {
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    std::vector<Colour> Pixels;

    // A negative size gives an empty bitmap.
    Bitmap(std::int32_t width, std::int32_t height)
        : Width(width > 0 && height > 0 ? width : 0), Height(width > 0 && height > 0 ? height : 0),
          Pixels(static_cast<std::size_t>(Width) * static_cast<std::size_t>(Height), 0)
    {
    }
    Colour At(std::int32_t x, std::int32_t y) const { return Pixels[static_cast<std::size_t>(y) * Width + x]; }
};

// Takes a surface's pixels, in drawing order, instead of a bitmap: for a
// host that keeps its picture elsewhere. Coordinates are on the surface.
class PixelSink {
public:
    virtual void Point(std::int32_t x, std::int32_t y, Colour colour) = 0;
    // Black, right and bottom excluded, never empty.
    virtual void Clear(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) = 0;

protected:
    ~PixelSink() = default;
};

class SoftwareSurface : public DrawSurface {
public:
    // Draws on `bitmap`, which keeps its size.
    explicit SoftwareSurface(Bitmap& bitmap) : Frame(&bitmap), Width(bitmap.Width), Height(bitmap.Height) {}
    // Sends the pixels of a width x height surface to `sink`.
    SoftwareSurface(PixelSink& sink, std::int32_t width, std::int32_t height)
        : Sink(&sink), Width(width), Height(height)
    {
    }
    // The sink's surface size changed.
    void Resize(std::int32_t width, std::int32_t height) { Width = width, Height = height; }

    void SelectPen(Colour colour) override;
    void DeselectPen() override;
    void MoveTo(std::int32_t x, std::int32_t y) override;
    void LineTo(std::int32_t x, std::int32_t y) override;
    void Arc(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom, std::int32_t xs,
             std::int32_t ys, std::int32_t xe, std::int32_t ye) override;
    void SetPixel(std::int32_t x, std::int32_t y, Colour colour) override;
    // Fills black whatever the brush; the renderer has only the black one.
    void FillRect(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
                  std::uintptr_t brush) override;

private:
    // Sets one pixel in the pen colour unless it lies outside the bitmap or
    // is the pixel that a full-circle Arc leaves out.
    void Plot(std::int64_t x, std::int64_t y);
    void PlotColumnPair(std::int64_t x, std::int64_t centreY2, std::int64_t b);
    void PlotRowPair(std::int64_t y, std::int64_t centreX2, std::int64_t b);
    void DrawCircle(std::int64_t left, std::int64_t top, std::int64_t size);
    void DrawEllipse(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom);

    void Put(std::int64_t x, std::int64_t y, Colour colour);

    Bitmap* Frame = nullptr;  // one of these two
    PixelSink* Sink = nullptr;
    std::int32_t Width, Height;
    Colour PenColour = 0;  // after DeselectPen: the stock black pen
    std::int32_t CurrentX = 0;
    std::int32_t CurrentY = 0;
    bool Skipping = false;  // while an Arc leaves out (SkipX, SkipY)
    std::int64_t SkipX = 0;
    std::int64_t SkipY = 0;
};
