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

TEST(SurfaceLines, CurrentPositionCarriesOverAndOnlyLinesMoveIt)
{
    Bitmap bitmap(10, 10);
    SoftwareSurface surface(bitmap);
    surface.SelectPen(0x123456);
    surface.LineTo(0, 0);  // from the initial position to itself: nothing
    EXPECT_TRUE(LitPixels(bitmap).empty());

    surface.MoveTo(2, 2);
    surface.LineTo(5, 2);
    surface.LineTo(5, 5);
    surface.LineTo(5, 5);                                   // zero length
    surface.Arc(20, 20, 30, 30, 20, 25, 20, 25);            // off the bitmap; keeps the position
    surface.SetPixel(-1, 3, 0xFF);                          // off the bitmap
    surface.LineTo(2, 5);
    const std::vector<Pixel> expected = {{2, 2}, {3, 2}, {3, 5}, {4, 2}, {4, 5}, {5, 2}, {5, 3}, {5, 4}, {5, 5}};
    EXPECT_EQ(LitPixels(bitmap), expected);
    for (const Pixel& p : expected)
        EXPECT_EQ(bitmap.At(static_cast<std::int32_t>(p.first), static_cast<std::int32_t>(p.second)), 0x123456u);

    // SetPixel takes its own colour; FillRect blacks out a clipped rectangle,
    // right and bottom edges excluded, and nothing when inverted.
    surface.SetPixel(9, 9, 0xABCDEF);
    EXPECT_EQ(bitmap.At(9, 9), 0xABCDEFu);
    surface.FillRect(4, -100, 1000, 5, 0);
    surface.FillRect(9, 9, 0, 0, 0);
    surface.FillRect(-2147483647 - 1, 2147483647, 2147483647, -2147483647 - 1, 0);
    const std::vector<Pixel> left = {{2, 2}, {3, 2}, {3, 5}, {4, 5}, {5, 5}, {9, 9}};
    EXPECT_EQ(LitPixels(bitmap), left);
    surface.FillRect(-2147483647 - 1, -2147483647 - 1, 2147483647, 2147483647, 0);
    EXPECT_TRUE(LitPixels(bitmap).empty());
}

}  // namespace
