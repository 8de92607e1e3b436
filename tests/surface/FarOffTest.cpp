// Lines and circles from far outside the bitmap, up to the ends of the 32-bit
// range: only the part over the bitmap is drawn, and exactly.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "GdiVectors.h"

namespace {

typedef std::int64_t i64;
const i64 Min32 = std::numeric_limits<std::int32_t>::min();
const i64 Max32 = std::numeric_limits<std::int32_t>::max();

// A line n steps long along its major axis repeats its pixels every n steps
// when stretched: so every line of lines_r16.txt, repeated nearly 2^31 pixels
// from far off until it passes (10, 20), has known pixels on the bitmap.
TEST(SurfaceFarOff, StretchedLinesCrossTheBitmapExactly)
{
    for (const GdiVector& line : LoadGdiVectors("lines_r16.txt")) {
        int dx = 0, dy = 0;
        ASSERT_EQ(std::sscanf(line.Head.c_str(), "%d %d", &dx, &dy), 2);
        if (dx == 0 && dy == 0)
            continue;
        const i64 repeats = (i64(1) << 31) / std::max(std::abs(dx), std::abs(dy)) - 70;
        Bitmap bitmap(64, 48);
        SoftwareSurface surface(bitmap);
        surface.SelectPen(0xFFFFFF);
        surface.MoveTo(static_cast<std::int32_t>(10 - repeats * dx), static_cast<std::int32_t>(20 - repeats * dy));
        surface.LineTo(10 + 8 * dx, 20 + 8 * dy);
        std::vector<Pixel> expected;
        for (i64 q = -70; q < 8; ++q)
            for (const Pixel& p : line.Pixels)
                expected.emplace_back(10 + q * dx + p.first, 20 + q * dy + p.second);
        ASSERT_EQ(LitPixels(bitmap), Placed(expected, 0, 0, bitmap)) << "stretched " << line.Head;
    }

    // Corner to corner of the 32-bit plane, and the full width along one row.
    Bitmap bitmap(64, 48);
    SoftwareSurface surface(bitmap);
    surface.SelectPen(0xFFFFFF);
    surface.MoveTo(Min32, Min32);
    surface.LineTo(Max32, Max32);
    surface.MoveTo(Max32, 7);
    surface.LineTo(Min32, 7);
    std::vector<Pixel> expected;
    for (i64 x = 0; x < 64; ++x) {
        expected.emplace_back(x, 7);
        if (x < 48 && x != 7)
            expected.emplace_back(x, x);
    }
    EXPECT_EQ(LitPixels(bitmap), Placed(expected, 0, 0, bitmap));
}

// Whether the pixel at doubled offsets (x, y) from the centre is on the
// outline of doubled radius d: the larger offset b must be the one of its
// parity that brings a*a + b*b closest to d*d. Exact while d*d < 2^63.
bool OnOutline(i64 x, i64 y, i64 d)
{
    auto error = [d](i64 a, i64 b) { return std::llabs(a * a + b * b - d * d); };
    auto closest = [&](i64 a, i64 b) { return error(a, b) < error(a, b + 2) && (b < 2 || error(a, b) < error(a, b - 2)); };
    x = std::llabs(x);
    y = std::llabs(y);
    return (x <= y && closest(x, y)) || (y <= x && closest(y, x));
}

TEST(SurfaceFarOff, LargeCirclesCrossTheBitmapExactly)
{
    const i64 radii[] = {4, 37, 1000, 65537, (1 << 20) + 3, (1 << 24) - 1, 1 << 24, 1000000007};
    for (i64 r : radii)
        for (int angle = 0; angle < 360; angle += 25) {
            // Centre so that the outline passes near the bitmap's middle.
            const double t = angle * 3.14159265358979 / 180;
            const i64 cx = 32 - static_cast<i64>(r * std::cos(t)), cy = 24 - static_cast<i64>(r * std::sin(t));
            for (bool inverted : {false, true}) {
                Bitmap bitmap(64, 48);
                SoftwareSurface surface(bitmap);
                surface.SelectPen(0xFFFFFF);
                const i64 lo = inverted ? -1 : 1;  // box corners as DrawCircle makes them from +-r
                auto at = [](i64 v) { return static_cast<std::int32_t>(v); };
                surface.Arc(at(cx - lo * r), at(cy - lo * r), at(cx + lo * r), at(cy + lo * r), at(cx - lo * r), at(cy),
                            at(cx - lo * r), at(cy));
                // The pixel where the arc closes: above the left start, or the right start's own.
                const Pixel gap = inverted ? Pixel(cx + r - 1, cy) : Pixel(cx - r, cy - 2);
                std::vector<Pixel> expected;
                for (i64 x = 0; x < 64; ++x)
                    for (i64 y = 0; y < 48; ++y)
                        if (std::llabs(x - cx) <= r && std::llabs(y - cy) <= r &&
                            OnOutline(2 * (x - cx) + 1, 2 * (y - cy) + 1, 2 * r - 1) && Pixel(x, y) != gap)
                            expected.emplace_back(x, y);
                ASSERT_EQ(LitPixels(bitmap), expected) << "r " << r << " angle " << angle << " inverted " << inverted;
                ASSERT_FALSE(expected.empty());
            }
        }

    // Boxes spanning the whole 32-bit range, either way round: the bitmap
    // lies deep inside the circle; the flat box is drawn only on its rows.
    Bitmap bitmap(64, 48);
    SoftwareSurface surface(bitmap);
    surface.SelectPen(0xFFFFFF);
    surface.Arc(Min32, Min32, Max32, Max32, Min32, 0, Min32, 0);
    surface.Arc(Max32, Max32, Min32, Min32, Max32, 0, Max32, 0);
    surface.Arc(Min32, Max32, Max32, Min32, 0, 0, 5, 5);
    EXPECT_TRUE(LitPixels(bitmap).empty());
    surface.Arc(Min32, 3, Max32, 9, Min32, 6, Min32, 6);
    for (const Pixel& p : LitPixels(bitmap))
        EXPECT_TRUE(p.second >= 3 && p.second < 9);
}

}  // namespace
