// LineTo against GDI's pixels, near and from far off, and the current
// position it keeps; SetPixel and FillRect.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "GdiVectors.h"

// From inside the bitmap and hanging off each corner; and since a line n
// steps long along its major axis repeats its pixels every n steps when
// stretched, each repeated from nearly 2^31 pixels away until it passes
// (10, 20) has known pixels on the bitmap too.
TEST(SurfaceLines, ShortLinesMatchGdiWhereverTheyStart)
{
    const std::vector<GdiVector> lines = LoadGdiVectors("lines_r16.txt");
    ASSERT_EQ(lines.size(), 1089u);
    for (const GdiVector& line : lines) {
        int dx = 0, dy = 0;
        ASSERT_EQ(std::sscanf(line.Head.c_str(), "%d %d", &dx, &dy), 2);
        const std::int64_t repeats = (std::int64_t(1) << 31) / std::max({std::abs(dx), std::abs(dy), 1}) - 70;
        const std::int64_t starts[][4] = {
            {20, 20, 20 + dx, 20 + dy}, {3, 36, 3 + dx, 36 + dy},
            {37, 2, 37 + dx, 2 + dy},   {-5, -9, dx - 5, dy - 9},
            {45, 44, 45 + dx, 44 + dy}, {10 - repeats * dx, 20 - repeats * dy, 10 + 8 * dx, 20 + 8 * dy}};
        for (const auto& s : starts) {
            Bitmap bitmap(40, 40);
            SoftwareSurface surface(bitmap);
            surface.SelectPen(0xFFFFFF);
            surface.MoveTo(static_cast<std::int32_t>(s[0]), static_cast<std::int32_t>(s[1]));
            surface.LineTo(static_cast<std::int32_t>(s[2]), static_cast<std::int32_t>(s[3]));
            std::vector<Pixel> expected;
            const bool stretched = &s == &starts[5];
            for (std::int64_t q = stretched ? -70 : 0; q < (stretched ? 8 : 1); ++q)
                for (const Pixel& p : line.Pixels)
                    expected.emplace_back(s[0] + (stretched ? repeats + q : 0) * dx + p.first,
                                          s[1] + (stretched ? repeats + q : 0) * dy + p.second);
            ASSERT_EQ(LitPixels(bitmap), Placed(expected, 0, 0, bitmap))
                << "line " << line.Head << " from " << s[0] << "," << s[1];
        }
    }
}

TEST(SurfaceLines, LongLinesClippedToTheBitmapMatchGdi)
{
    const std::vector<GdiVector> lines = LoadGdiVectors("lines_random.txt");
    ASSERT_GE(lines.size(), 100u);
    for (const GdiVector& line : lines) {
        int x0, y0, x1, y1;
        ASSERT_EQ(std::sscanf(line.Head.c_str(), "%d %d %d %d", &x0, &y0, &x1, &y1), 4);
        Bitmap bitmap(256, 256);
        SoftwareSurface surface(bitmap);
        surface.SelectPen(0x00FF00);
        surface.MoveTo(x0, y0);
        surface.LineTo(x1, y1);
        ASSERT_EQ(LitPixels(bitmap), Placed(line.Pixels, 0, 0, bitmap)) << "line " << line.Head;
    }
}

// The current position carries over; Arc and SetPixel leave it. SetPixel
// takes its own colour; FillRect blacks out a clipped rectangle, right and
// bottom edges excluded, and nothing when inverted.
TEST(SurfaceLines, CurrentPositionSetPixelAndFillRect)
{
    const std::int32_t lo = INT32_MIN, hi = INT32_MAX;
    Bitmap bitmap(10, 10);
    SoftwareSurface surface(bitmap);
    surface.SelectPen(0x123456);
    surface.LineTo(0, 0);  // to the initial position: nothing
    surface.MoveTo(2, 2);
    surface.LineTo(5, 2);
    surface.LineTo(5, 5);
    surface.LineTo(5, 5);
    surface.Arc(20, 20, 30, 30, 20, 25, 20, 25);
    surface.SetPixel(-1, 3, 0xFF);
    surface.SetPixel(10, 3, 0xFF);
    surface.LineTo(2, 5);
    surface.SetPixel(9, 9, 0xABCDEF);
    EXPECT_EQ(LitPixels(bitmap),
              (std::vector<Pixel>{{2, 2}, {3, 2}, {3, 5}, {4, 2}, {4, 5}, {5, 2}, {5, 3}, {5, 4}, {5, 5}, {9, 9}}));
    EXPECT_EQ(bitmap.At(3, 5), 0x123456u);
    EXPECT_EQ(bitmap.At(9, 9), 0xABCDEFu);

    surface.FillRect(4, lo, hi, 5, 0);
    surface.FillRect(9, 9, 0, 0, 0);
    surface.FillRect(lo, hi, hi, lo, 0);
    EXPECT_EQ(LitPixels(bitmap), (std::vector<Pixel>{{2, 2}, {3, 2}, {3, 5}, {4, 5}, {5, 5}, {9, 9}}));
    surface.FillRect(lo, lo, hi, hi, 0);
    EXPECT_TRUE(LitPixels(bitmap).empty());
}
