// Draws on the picture and keeps the rectangle that the drawing may have
// changed, so that only that part is shown on the window.
#pragma once
#include <cstdint>

#include "base/DrawSurface.h"

// Left and top included, right and bottom excluded; empty when right <= left
// or bottom <= top.
struct PixelRect {
    std::int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
    bool Empty() const { return Right <= Left || Bottom <= Top; }
};

// The smallest rectangle holding both (an empty one adds nothing).
PixelRect Union(const PixelRect& a, const PixelRect& b);
// The part of `r` inside a width x height frame.
PixelRect Clip(const PixelRect& r, std::int32_t width, std::int32_t height);
// The rectangle spanning two points, both included (any order, any values).
PixelRect Span(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1);

class DirtySurface : public DrawSurface {
public:
    explicit DirtySurface(DrawSurface& target) : Target(target) {}

    void SelectPen(Colour colour) override { Target.SelectPen(colour); }
    void DeselectPen() override { Target.DeselectPen(); }
    void MoveTo(std::int32_t x, std::int32_t y) override;
    void LineTo(std::int32_t x, std::int32_t y) override;
    void Arc(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom, std::int32_t xs,
             std::int32_t ys, std::int32_t xe, std::int32_t ye) override;
    void SetPixel(std::int32_t x, std::int32_t y, Colour colour) override;
    void FillRect(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
                  std::uintptr_t brush) override;

    // What changed since the last call, clipped to the frame; then forgets it.
    PixelRect Take(std::int32_t width, std::int32_t height);
    // Marks a rectangle to send again (an exposed or resized area).
    void Add(const PixelRect& r) { Dirty = Union(Dirty, r); }

private:
    DrawSurface& Target;
    PixelRect Dirty;
    std::int32_t CurrentX = 0, CurrentY = 0;
};
