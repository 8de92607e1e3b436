// GDI's pixel rules for a one-pixel solid pen, clipped to the bitmap.
//
// Every drawing walks only the part of a figure that lies over the bitmap, so
// its cost is bounded by the bitmap's size whatever the coordinates. All
// arithmetic is 64-bit: differences of 32-bit coordinates need 33 bits.
#include "raster/SoftwareSurface.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

typedef std::int64_t i64;
typedef std::uint64_t u64;

// The first i in [lo, hi] where pred turns true (pred is false, then true),
// or hi + 1 when it never does.
template <typename Pred> i64 FirstTrue(i64 lo, i64 hi, Pred pred)
{
    i64 end = hi + 1;
    while (lo < end) {
        i64 mid = lo + (end - lo) / 2;
        if (pred(mid))
            end = mid;
        else
            lo = mid + 1;
    }
    return lo;
}

// Offset of the minor coordinate at step i of a line whose minor extent is m
// over n major steps: ceil(m*i/n - 1/2), exact halves going to the smaller
// value. |m| <= n < 2^32 and i < n, so |m|*i fits in 64 bits.
i64 MinorOffset(i64 m, u64 n, i64 i)
{
    u64 product = static_cast<u64>(m < 0 ? -m : m) * static_cast<u64>(i);
    i64 quotient = static_cast<i64>(product / n);
    u64 twiceRemainder = 2 * (product % n);
    if (m >= 0)
        return quotient + (twiceRemainder > n ? 1 : 0);
    return -quotient - (twiceRemainder >= n ? 1 : 0);
}

// a*a + b*b - d*d, exact when the true value fits in 64 bits; wraps otherwise.
// Unsigned arithmetic keeps the wrap defined.
i64 CircleError(u64 a, u64 b, u64 d)
{
    return static_cast<i64>(a * a + b * b - d * d);
}

// For a circle of doubled radius d (pixel centres on the parity of d), the b
// of that parity, b >= 0, that minimises |a*a + b*b - d*d|. 0 <= a <= d.
// The square root gives a start within a step or two; the exact error terms,
// all small near the answer, settle it. There are no ties: the two sides
// differ modulo 8.
i64 OutlineHeight(i64 a, i64 d)
{
    const i64 lowest = d & 1;
    double estimate = std::sqrt(static_cast<double>(d - a) * static_cast<double>(d + a));
    i64 b = static_cast<i64>(estimate);
    if ((b & 1) != lowest)
        ++b;
    while (b > lowest && CircleError(a, b, d) > 0)
        b -= 2;
    while (CircleError(a, b + 2, d) <= 0)
        b += 2;
    i64 below = CircleError(a, b, d);
    if (below > 0)
        return b;  // b is the lowest and already too far out
    i64 above = CircleError(a, b + 2, d);
    return above < -below ? b + 2 : b;
}

}  // namespace

void SoftwareSurface::SelectPen(Colour colour)
{
    PenColour = colour;
}

void SoftwareSurface::DeselectPen()
{
    PenColour = 0;
}

void SoftwareSurface::MoveTo(std::int32_t x, std::int32_t y)
{
    CurrentX = x;
    CurrentY = y;
}

void SoftwareSurface::Plot(i64 x, i64 y)
{
    if (x < 0 || y < 0 || x >= Width || y >= Height)
        return;
    if (Skipping && x == SkipX && y == SkipY)
        return;
    Put(x, y, PenColour);
}

// The pixels of column x (row y) whose doubled distance from the doubled
// centre is b; pixel centres lie on b's parity, so the halves are exact.
void SoftwareSurface::PlotColumnPair(i64 x, i64 centreY2, i64 b)
{
    Plot(x, (centreY2 - b - 1) / 2);
    Plot(x, (centreY2 + b - 1) / 2);
}

void SoftwareSurface::PlotRowPair(i64 y, i64 centreX2, i64 b)
{
    Plot((centreX2 - b - 1) / 2, y);
    Plot((centreX2 + b - 1) / 2, y);
}

// (x, y) lies on the surface.
void SoftwareSurface::Put(i64 x, i64 y, Colour colour)
{
    if (Sink)
        Sink->Point(static_cast<std::int32_t>(x), static_cast<std::int32_t>(y), colour);
    else
        Frame->Pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(Width) + static_cast<std::size_t>(x)] =
            colour;
}

void SoftwareSurface::LineTo(std::int32_t x, std::int32_t y)
{
    const i64 x0 = CurrentX, y0 = CurrentY;
    CurrentX = x;
    CurrentY = y;
    const i64 dx = x - x0, dy = y - y0;
    if (dx == 0 && dy == 0)
        return;

    // Step along the major axis; the minor coordinate follows MinorOffset.
    const bool xMajor = std::llabs(dx) >= std::llabs(dy);
    const i64 major0 = xMajor ? x0 : y0;
    const i64 minor0 = xMajor ? y0 : x0;
    const i64 majorDelta = xMajor ? dx : dy;
    const i64 m = xMajor ? dy : dx;
    const u64 n = static_cast<u64>(std::llabs(majorDelta));
    const i64 step = majorDelta > 0 ? 1 : -1;
    const i64 majorLimit = xMajor ? Width : Height;
    const i64 minorLimit = xMajor ? Height : Width;

    // Steps whose major coordinate lies on the bitmap; the end is excluded.
    i64 lo = 0, hi = static_cast<i64>(n) - 1;
    if (step > 0) {
        lo = std::max(lo, -major0);
        hi = std::min(hi, majorLimit - 1 - major0);
    } else {
        lo = std::max(lo, major0 - (majorLimit - 1));
        hi = std::min(hi, major0);
    }
    if (lo > hi)
        return;

    // The minor coordinate is monotonic in the step: find where it is on the bitmap.
    auto minorAt = [&](i64 i) { return minor0 + MinorOffset(m, n, i); };
    if (m >= 0) {
        lo = FirstTrue(lo, hi, [&](i64 i) { return minorAt(i) >= 0; });
        hi = FirstTrue(lo, hi, [&](i64 i) { return minorAt(i) >= minorLimit; }) - 1;
    } else {
        lo = FirstTrue(lo, hi, [&](i64 i) { return minorAt(i) < minorLimit; });
        hi = FirstTrue(lo, hi, [&](i64 i) { return minorAt(i) < 0; }) - 1;
    }
    for (i64 i = lo; i <= hi; ++i) {
        const i64 major = major0 + step * i;
        const i64 minor = minorAt(i);
        if (xMajor)
            Plot(major, minor);
        else
            Plot(minor, major);
    }
}

// The circle in the square box from (left, top), size pixels wide and high.
// In doubled units about its centre, pixel centres lie on the parity of
// d = size - 1; the outline has, for every a <= OutlineHeight(a, d), the
// pixels (+-a, +-b) and (+-b, +-a). Each column and row of the bitmap inside
// the box holds at most two of them, found directly.
void SoftwareSurface::DrawCircle(i64 left, i64 top, i64 size)
{
    const i64 d = size - 1;
    const i64 centreX2 = 2 * left + size;  // doubled centre
    const i64 centreY2 = 2 * top + size;
    const i64 firstX = std::max<i64>(left, 0), lastX = std::min<i64>(left + size, Width) - 1;
    for (i64 x = firstX; x <= lastX; ++x) {
        const i64 a = std::llabs(2 * x + 1 - centreX2);
        const i64 b = OutlineHeight(a, d);
        if (a <= b)
            PlotColumnPair(x, centreY2, b);
    }
    const i64 firstY = std::max<i64>(top, 0), lastY = std::min<i64>(top + size, Height) - 1;
    for (i64 y = firstY; y <= lastY; ++y) {
        const i64 a = std::llabs(2 * y + 1 - centreY2);
        const i64 b = OutlineHeight(a, d);
        if (a <= b)
            PlotRowPair(y, centreX2, b);
    }
}

// An ellipse in a box that is not square, traced in floating point: close to
// GDI's outline, not pixel for pixel. Columns draw where the outline is
// flatter than 45 degrees, rows where it is steeper.
void SoftwareSurface::DrawEllipse(i64 left, i64 top, i64 right, i64 bottom)
{
    const i64 dx = right - left - 1, dy = bottom - top - 1;  // doubled radii
    const i64 centreX2 = left + right, centreY2 = top + bottom;
    // Nearest value of the parity of limit, clamped to 0..limit.
    auto snap = [](double v, i64 limit) {
        const i64 parity = limit & 1;
        i64 k = static_cast<i64>(std::floor((v - static_cast<double>(parity)) / 2 + 0.5));
        return std::min(limit, std::max<i64>(parity, 2 * k + parity));
    };
    const double rx = static_cast<double>(std::max<i64>(dx, 1));
    const double ry = static_cast<double>(std::max<i64>(dy, 1));

    const i64 firstX = std::max<i64>(left, 0), lastX = std::min<i64>(right, Width) - 1;
    for (i64 x = firstX; x <= lastX; ++x) {
        const double a = static_cast<double>(std::llabs(2 * x + 1 - centreX2));
        const double h = ry * std::sqrt(std::max(0.0, 1.0 - (a / rx) * (a / rx)));
        if (dy == 0 || a * ry * ry <= h * rx * rx)
            PlotColumnPair(x, centreY2, snap(h, dy));
    }
    const i64 firstY = std::max<i64>(top, 0), lastY = std::min<i64>(bottom, Height) - 1;
    for (i64 y = firstY; y <= lastY; ++y) {
        const double a = static_cast<double>(std::llabs(2 * y + 1 - centreY2));
        const double w = rx * std::sqrt(std::max(0.0, 1.0 - (a / ry) * (a / ry)));
        if (dx == 0 || a * rx * rx <= w * ry * ry)
            PlotRowPair(y, centreX2, snap(w, dx));
    }
}

void SoftwareSurface::Arc(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom, std::int32_t xs,
                          std::int32_t ys, std::int32_t xe, std::int32_t ye)
{
    // GDI takes the box whichever way round its corners come.
    const i64 l = std::min(left, right), r = std::max(left, right);
    const i64 t = std::min(top, bottom), b = std::max(top, bottom);
    const i64 size = r - l;
    if (size == 0 || t == b || (size == 1 && b - t == 1))
        return;  // GDI draws nothing in an empty or one-pixel box
    if (size != b - t || xs != xe || ys != ye) {
        // Only the full circle is drawn exactly; anything else gets the
        // whole outline.
        if (size == b - t)
            DrawCircle(l, t, size);
        else
            DrawEllipse(l, t, r, b);
        return;
    }

    // Start = end: the whole circle less the one pixel where the arc would
    // close. Measured for a start straight left, above, right or below the
    // centre; elsewhere the whole outline is drawn.
    const i64 sx = 2 * i64(xs) - (l + r), sy = 2 * i64(ys) - (t + b);  // doubled, from the centre
    const i64 radius = size / 2;
    const i64 cx = l + radius, cy = t + radius;
    auto skip = [&](i64 ox, i64 oy) {
        Skipping = true;
        SkipX = cx + ox;
        SkipY = cy + oy;
    };
    if (size % 2 != 0) {
        // The centre pixel's row and column lie half a pixel before the
        // centre; a start right of it leaves nothing out.
        if (sy == -1 && sx < 0)
            skip(radius == 1 ? 0 : -radius, -1);
        else if (sx == -1 && sy < 0)
            skip(1, radius == 1 ? 0 : -radius);
        else if (sx == -1 && sy > 0)
            skip(0, radius);
    } else if ((sx != 0 && sy != 0) || (sx == 0 && sy == 0)) {
        // whole outline
    } else if (sx < 0) {
        const i64 left4[4][2] = {{0, -1}, {-1, -2}, {-2, -2}, {-radius, -2}};
        const i64* o = left4[std::min<i64>(radius, 4) - 1];
        skip(o[0], o[1]);
    } else if (sy < 0) {
        const i64 top4[4][2] = {{0, 0}, {1, -1}, {1, -2}, {1, -radius}};
        const i64* o = top4[std::min<i64>(radius, 4) - 1];
        skip(o[0], o[1]);
    } else if (sx > 0) {
        skip(radius - 1, 0);
    } else {
        skip(0, radius - 1);
    }
    DrawCircle(l, t, size);
    Skipping = false;
}

void SoftwareSurface::SetPixel(std::int32_t x, std::int32_t y, Colour colour)
{
    if (x >= 0 && y >= 0 && x < Width && y < Height)
        Put(x, y, colour);
}

void SoftwareSurface::FillRect(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
                               std::uintptr_t)
{
    const std::int32_t x0 = std::max(left, 0), x1 = std::min(right, Width);
    const std::int32_t y0 = std::max(top, 0), y1 = std::min(bottom, Height);
    if (x0 >= x1 || y0 >= y1)
        return;
    if (Sink) {
        Sink->Clear(x0, y0, x1, y1);
        return;
    }
    for (std::int32_t y = y0; y < y1; ++y)
        std::fill(Frame->Pixels.begin() + static_cast<std::ptrdiff_t>(y) * Width + x0,
                  Frame->Pixels.begin() + static_cast<std::ptrdiff_t>(y) * Width + x1, Colour(0));
}
