// LineTo against GDI's pixels, and the current position it keeps.
#include <gtest/gtest.h>

#include <cstdio>

#include "GdiVectors.h"

namespace {

TEST(SurfaceLines, ShortLinesMatchGdiWhereverTheyStart)
{
    const std::vector<GdiVector> lines = LoadGdiVectors("lines_r16.txt");
    ASSERT_EQ(lines.size(), 1089u);
    // Inside the bitmap, and hanging off each corner.
    const std::int32_t origins[][2] = {{20, 20}, {3, 36}, {37, 2}, {-5, -9}, {45, 44}};
    for (const GdiVector& line : lines) {
        int dx = 0, dy = 0;
        ASSERT_EQ(std::sscanf(line.Head.c_str(), "%d %d", &dx, &dy), 2);
        for (const auto& o : origins) {
            Bitmap bitmap(40, 40);
            SoftwareSurface surface(bitmap);
            surface.SelectPen(0xFFFFFF);
            surface.MoveTo(o[0], o[1]);
            surface.LineTo(o[0] + dx, o[1] + dy);
            ASSERT_EQ(LitPixels(bitmap), Placed(line.Pixels, o[0], o[1], bitmap))
                << "line " << line.Head << " from " << o[0] << "," << o[1];
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
    const std::int32_t lo = -2147483647 - 1, hi = 2147483647;
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
    surface.LineTo(2, 5);
    surface.SetPixel(9, 9, 0xABCDEF);
    EXPECT_EQ(LitPixels(bitmap), (std::vector<Pixel>{{2, 2}, {3, 2}, {3, 5}, {4, 2}, {4, 5}, {5, 2}, {5, 3}, {5, 4},
                                                      {5, 5}, {9, 9}}));
    EXPECT_EQ(bitmap.At(3, 5), 0x123456u);
    EXPECT_EQ(bitmap.At(9, 9), 0xABCDEFu);

    surface.FillRect(4, lo, hi, 5, 0);
    surface.FillRect(9, 9, 0, 0, 0);
    surface.FillRect(lo, hi, hi, lo, 0);
    EXPECT_EQ(LitPixels(bitmap), (std::vector<Pixel>{{2, 2}, {3, 2}, {3, 5}, {4, 5}, {5, 5}, {9, 9}}));
    surface.FillRect(lo, lo, hi, hi, 0);
    EXPECT_TRUE(LitPixels(bitmap).empty());
}

}  // namespace
