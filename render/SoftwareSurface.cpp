// Placeholder: the GDI-exact rasteriser lands separately.
#include "render/SoftwareSurface.h"

void SoftwareSurface::SelectPen(Colour colour) { PenColour = colour; }
void SoftwareSurface::DeselectPen() { PenColour = 0; }
void SoftwareSurface::MoveTo(std::int32_t x, std::int32_t y) { CurrentX = x; CurrentY = y; }
void SoftwareSurface::LineTo(std::int32_t x, std::int32_t y) { CurrentX = x; CurrentY = y; }
void SoftwareSurface::Arc(std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t,
                          std::int32_t, std::int32_t) {}
void SoftwareSurface::SetPixel(std::int32_t x, std::int32_t y, Colour colour)
{
    if (x >= 0 && y >= 0 && x < Target.Width && y < Target.Height)
        Target.Pixels[static_cast<std::size_t>(y) * Target.Width + x] = colour;
}
void SoftwareSurface::FillRect(std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::uintptr_t) {}
