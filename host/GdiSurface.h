// The engine's drawing surface over a Win32 device context.
#pragma once
#include <windows.h>

#include "base/DrawSurface.h"

class GdiSurface : public DrawSurface {
public:
    explicit GdiSurface(HDC dc) : Dc(dc), Pen(nullptr), KeptPen(nullptr) {}

    void SelectPen(Colour colour) override;
    void DeselectPen() override;
    void MoveTo(std::int32_t x, std::int32_t y) override;
    void LineTo(std::int32_t x, std::int32_t y) override;
    void Arc(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom, std::int32_t xs,
             std::int32_t ys, std::int32_t xe, std::int32_t ye) override;
    void SetPixel(std::int32_t x, std::int32_t y, Colour colour) override;
    void FillRect(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
                  std::uintptr_t brush) override;

    HDC Context() const { return Dc; }

private:
    HDC Dc;
    HPEN Pen;         // the tick's own pen, while selected
    HGDIOBJ KeptPen;  // the pen it replaced, selected again by DeselectPen
};
