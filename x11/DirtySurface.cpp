#include "x11/DirtySurface.h"

#include <algorithm>

namespace {

std::int32_t Clamp(std::int64_t v)
{
    return static_cast<std::int32_t>(std::min<std::int64_t>(std::max<std::int64_t>(v, INT32_MIN), INT32_MAX));
}

}  // namespace

PixelRect Union(const PixelRect& a, const PixelRect& b)
{
    if (a.Empty()) return b;
    if (b.Empty()) return a;
    PixelRect r;
    r.Left = std::min(a.Left, b.Left);
    r.Top = std::min(a.Top, b.Top);
    r.Right = std::max(a.Right, b.Right);
    r.Bottom = std::max(a.Bottom, b.Bottom);
    return r;
}

PixelRect Clip(const PixelRect& r, std::int32_t width, std::int32_t height)
{
    PixelRect c;
    c.Left = std::max(r.Left, 0);
    c.Top = std::max(r.Top, 0);
    c.Right = std::min(r.Right, width);
    c.Bottom = std::min(r.Bottom, height);
    return c.Empty() ? PixelRect() : c;
}

PixelRect Span(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1)
{
    PixelRect r;
    r.Left = Clamp(std::min(x0, x1));
    r.Top = Clamp(std::min(y0, y1));
    r.Right = Clamp(std::max(x0, x1) + 1);
    r.Bottom = Clamp(std::max(y0, y1) + 1);
    return r;
}

void DirtySurface::MoveTo(std::int32_t x, std::int32_t y)
{
    CurrentX = x;
    CurrentY = y;
    Target.MoveTo(x, y);
}

void DirtySurface::LineTo(std::int32_t x, std::int32_t y)
{
    Add(Span(CurrentX, CurrentY, x, y));
    CurrentX = x;
    CurrentY = y;
    Target.LineTo(x, y);
}

void DirtySurface::Arc(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
                       std::int32_t xs, std::int32_t ys, std::int32_t xe, std::int32_t ye)
{
    Add(Span(left, top, right, bottom));
    Target.Arc(left, top, right, bottom, xs, ys, xe, ye);
}

void DirtySurface::SetPixel(std::int32_t x, std::int32_t y, Colour colour)
{
    Add(Span(x, y, x, y));
    Target.SetPixel(x, y, colour);
}

void DirtySurface::FillRect(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
                            std::uintptr_t brush)
{
    Add(Span(left, top, static_cast<std::int64_t>(right) - 1, static_cast<std::int64_t>(bottom) - 1));
    Target.FillRect(left, top, right, bottom, brush);
}

PixelRect DirtySurface::Take(std::int32_t width, std::int32_t height)
{
    PixelRect r = Clip(Dirty, width, height);
    Dirty = PixelRect();
    return r;
}
