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
          Pixels(static_cast<std::size_t>(Width) * static_cast<std::size_t>(Height), 0) {}
    Colour At(std::int32_t x, std::int32_t y) const { return Pixels[static_cast<std::size_t>(y) * Width + x]; }
};

class SoftwareSurface : public DrawSurface {
public:
    explicit SoftwareSurface(Bitmap& bitmap) : Target(bitmap) {}

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
    void DrawCircle(std::int64_t left, std::int64_t top, std::int64_t size);
    void DrawEllipse(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom);

    Bitmap& Target;
    Colour PenColour = 0;      // after DeselectPen: the stock black pen
    std::int32_t CurrentX = 0;
    std::int32_t CurrentY = 0;
    bool Skipping = false;     // while an Arc leaves out (SkipX, SkipY)
    std::int64_t SkipX = 0;
    std::int64_t SkipY = 0;
};
