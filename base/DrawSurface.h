// The drawing operations the engine needs, in GDI's terms. The Windows saver
// implements them on the window's own device context, the headless renderer on
// a software bitmap that follows the same pixel rules.
#pragma once
#include <cstdint>

// Colours are 0x00BBGGRR.
typedef std::uint32_t Colour;

class DrawSurface {
public:
    // Creates the tick's one-pixel solid pen and selects it; the next call
    // to DeselectPen puts the previous pen back and deletes this one.
    virtual void SelectPen(Colour colour) = 0;
    virtual void DeselectPen() = 0;
    // Sets the current position. It persists from tick to tick.
    virtual void MoveTo(std::int32_t x, std::int32_t y) = 0;
    // Line from the current position to (x, y), end pixel excluded; moves the
    // current position there.
    virtual void LineTo(std::int32_t x, std::int32_t y) = 0;
    // Elliptic arc in the box from (xs, ys) to (xe, ye) counter-clockwise; equal
    // start and end points give the whole ellipse. The current position stays.
    virtual void Arc(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom, std::int32_t xs,
                     std::int32_t ys, std::int32_t xe, std::int32_t ye) = 0;
    virtual void SetPixel(std::int32_t x, std::int32_t y, Colour colour) = 0;
    // Fills with a brush the host made (the black background brush); right and
    // bottom edges excluded.
    virtual void FillRect(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
                          std::uintptr_t brush) = 0;

protected:
    ~DrawSurface() = default;
};
