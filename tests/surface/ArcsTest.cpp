// Full-circle Arc against GDI's pixels, and sound outlines for other arcs.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "GdiVectors.h"

namespace {

TEST(SurfaceArcs, FullCirclesMatchGdiAlsoWhenClipped)
{
    const std::vector<GdiVector> arcs = LoadGdiVectors("arcs_fullcircle.txt");
    ASSERT_EQ(arcs.size(), 7u);
    for (const GdiVector& arc : arcs) {
        int r, l, t, rt, b, xs, ys;
        ASSERT_EQ(std::sscanf(arc.Head.c_str(), "r=%d box=(%d,%d,%d,%d) start=end=(%d,%d)", &r, &l, &t, &rt, &b, &xs,
                              &ys),
                  7);
        for (int shift : {0, -97, -150}) {  // centre at 100, at 3, at -50
            Bitmap bitmap(200, 200);
            SoftwareSurface surface(bitmap);
            surface.SelectPen(0x0000FF);
            surface.Arc(l + shift, t + shift, rt + shift, b + shift, xs + shift, ys + shift, xs + shift, ys + shift);
            ASSERT_EQ(LitPixels(bitmap), Placed(arc.Pixels, 100 + shift, 100 + shift, bitmap))
                << arc.Head << " shifted " << shift;
        }
    }
}

// Arc(c-r, c-r, c+r, c+r) from a start straight left of, above, right of or
// below the centre; the left start is the one the circle shape uses. A start
// further out on the same ray, and the box given the other way round (as a
// negative radius makes it), draw the same.
TEST(SurfaceArcs, EveryRadiusFromEachSideMatchesGdi)
{
    const std::vector<GdiVector> arcs = LoadGdiVectors("arcs_sides.txt");
    ASSERT_EQ(arcs.size(), 320u);
    for (const GdiVector& arc : arcs) {
        char side[16] = "";
        int r = 0;
        ASSERT_EQ(std::sscanf(arc.Head.c_str(), "arc-%15s r=%d", side, &r), 2);
        for (int c : {100, 17}) {
            int sx = c, sy = c;
            if (!std::strcmp(side, "left"))
                sx = c - r;
            else if (!std::strcmp(side, "top"))
                sy = c - r;
            else if (!std::strcmp(side, "right"))
                sx = c + r;
            else
                sy = c + r;
            const int farX = c + 5 * (sx - c), farY = c + 5 * (sy - c);
            const int boxes[][4] = {{c - r, c - r, c + r, c + r}, {c + r, c + r, c - r, c - r}};
            for (const auto& box : boxes)
                for (const auto& start : {std::make_pair(sx, sy), std::make_pair(farX, farY)}) {
                    Bitmap bitmap(200, 200);
                    SoftwareSurface surface(bitmap);
                    surface.SelectPen(0xFFFFFF);
                    surface.Arc(box[0], box[1], box[2], box[3], start.first, start.second, start.first, start.second);
                    ASSERT_EQ(LitPixels(bitmap), Placed(arc.Pixels, c, c, bitmap))
                        << arc.Head << " centre " << c << " box " << box[0] << " start " << start.first << ","
                        << start.second;
                }
        }
    }
}

// Boxes and starts the shapes never use: no exact reference, but the outline
// must fill its box's extent and stay inside it.
TEST(SurfaceArcs, OtherBoxesAndStartsDrawOutlinesWithinTheBox)
{
    const int cases[][8] = {
        {10, 20, 90, 40, 10, 30, 10, 30},    // wide
        {30, 5, 41, 95, 30, 50, 30, 50},     // tall, odd width
        {20, 20, 61, 61, 20, 40, 20, 40},    // odd-sized square
        {20, 20, 60, 60, 60, 60, 60, 60},    // start off the axes
        {20, 20, 60, 60, 20, 40, 60, 40},    // half arc: drawn whole
        {50, 10, 51, 90, 50, 10, 50, 10},    // one pixel wide
        {5, 70, 95, 71, 0, 0, 0, 0},         // one pixel high
        {0, 0, 1, 1, 0, 0, 0, 0},            // one pixel
    };
    for (const auto& a : cases) {
        Bitmap bitmap(100, 100);
        SoftwareSurface surface(bitmap);
        surface.SelectPen(0xFFFFFF);
        surface.Arc(a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7]);
        const std::vector<Pixel> lit = LitPixels(bitmap);
        ASSERT_FALSE(lit.empty()) << a[0] << "," << a[1] << "," << a[2] << "," << a[3];
        std::int64_t minX = 1000, minY = 1000, maxX = -1, maxY = -1;
        for (const Pixel& p : lit) {
            minX = std::min(minX, p.first);
            maxX = std::max(maxX, p.first);
            minY = std::min(minY, p.second);
            maxY = std::max(maxY, p.second);
        }
        EXPECT_EQ(minX, a[0]);
        EXPECT_EQ(maxX, a[2] - 1);
        EXPECT_EQ(minY, a[1]);
        EXPECT_EQ(maxY, a[3] - 1);
    }
    Bitmap bitmap(100, 100);
    SoftwareSurface surface(bitmap);
    surface.SelectPen(0xFFFFFF);
    surface.Arc(40, 40, 40, 60, 40, 50, 40, 50);  // empty box
    surface.Arc(40, 40, 60, 40, 40, 40, 40, 40);
    EXPECT_TRUE(LitPixels(bitmap).empty());
}

}  // namespace
