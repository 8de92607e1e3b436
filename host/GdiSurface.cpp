#include "host/GdiSurface.h"

void GdiSurface::SelectPen(Colour colour)
{
    // A second SelectPen without DeselectPen would lose the first pen.
    DeselectPen();
    Pen = CreatePen(PS_SOLID, 1, colour);
    KeptPen = SelectObject(Dc, Pen);
}

void GdiSurface::DeselectPen()
{
    if (Pen == nullptr)
        return;
    // The pen must leave the DC before it can be deleted.
    SelectObject(Dc, KeptPen);
    DeleteObject(Pen);
    Pen = nullptr;
    KeptPen = nullptr;
}

void GdiSurface::MoveTo(std::int32_t x, std::int32_t y)
{
    MoveToEx(Dc, x, y, nullptr);
}

void GdiSurface::LineTo(std::int32_t x, std::int32_t y)
{
    ::LineTo(Dc, x, y);
}

void GdiSurface::Arc(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom, std::int32_t xs,
                     std::int32_t ys, std::int32_t xe, std::int32_t ye)
{
    ::Arc(Dc, left, top, right, bottom, xs, ys, xe, ye);
}

void GdiSurface::SetPixel(std::int32_t x, std::int32_t y, Colour colour)
{
    ::SetPixel(Dc, x, y, colour);
}

void GdiSurface::FillRect(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
                          std::uintptr_t brush)
{
    RECT rect = {left, top, right, bottom};
    ::FillRect(Dc, &rect, reinterpret_cast<HBRUSH>(brush));
}
