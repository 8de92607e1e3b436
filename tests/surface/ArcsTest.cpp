// Arcs other than the full circles (CirclesTest.cpp): sound outlines.
#include <gtest/gtest.h>

#include <algorithm>

#include "GdiVectors.h"

// Boxes and starts the shapes never use: no exact reference, but the outline
// must reach its box's edges and stay inside; an empty box draws nothing.
TEST(SurfaceArcs, OtherBoxesAndStartsDrawOutlinesFillingTheBox)
{
    const int cases[][8] = {
        {10, 20, 90, 40, 10, 30, 10, 30}, {30, 5, 41, 95, 30, 50, 30, 50},   // wide; tall with odd width
        {20, 20, 61, 61, 20, 40, 20, 40}, {20, 20, 60, 60, 60, 60, 60, 60},  // odd-sized; start off the axes
        {20, 20, 60, 60, 20, 40, 60, 40}, {50, 10, 51, 90, 50, 10, 50, 10},  // half arc; one pixel wide
        {5, 70, 95, 71, 0, 0, 0, 0},      {40, 40, 40, 60, 40, 50, 40, 50},  // one pixel high; empty
    };
    for (const auto& a : cases) {
        Bitmap bitmap(100, 100);
        SoftwareSurface surface(bitmap);
        surface.SelectPen(0xFFFFFF);
        surface.Arc(a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7]);
        const std::vector<std::int64_t> none{100, -1, 100, -1}, box{a[0], a[2] - 1, a[1], a[3] - 1};
        std::vector<std::int64_t> extent = none;
        for (const Pixel& p : LitPixels(bitmap))
            extent = {std::min(extent[0], p.first), std::max(extent[1], p.first), std::min(extent[2], p.second),
                      std::max(extent[3], p.second)};
        EXPECT_EQ(extent, a[0] == a[2] ? none : box) << "box " << a[0];
    }
    // Boxes spanning the 32-bit range put the bitmap deep inside the circle;
    // the last circle's flat bottom runs along the row below the bitmap.
    Bitmap bitmap(64, 48);
    SoftwareSurface surface(bitmap);
    surface.SelectPen(0xFFFFFF);
    surface.Arc(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, INT32_MIN, 0, INT32_MIN, 0);
    surface.Arc(INT32_MIN, INT32_MAX, INT32_MAX, INT32_MIN, 0, 0, 5, 5);
    surface.Arc(-968, -1951, 1032, 49, -968, -951, -968, -951);
    EXPECT_TRUE(LitPixels(bitmap).empty());
}
