// Full circles on the software surface against GDI's, case by case
// (CircleCases.h; GDI's digests come from GdiCircles.cpp under Wine).
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "CircleCases.h"
#include "raster/SoftwareSurface.h"

namespace {

// Keeps what the surface plots, as (y, x).
class Collector : public PixelSink {
public:
    std::vector<std::pair<int, int>> Lit;
    void Point(std::int32_t x, std::int32_t y, Colour) override { Lit.emplace_back(y, x); }
    void Clear(std::int32_t, std::int32_t, std::int32_t, std::int32_t) override {}
};

}  // namespace

TEST(SurfaceCircles, EverySizeInsideAndAcrossEachEdgeMatchesGdi)
{
    std::ifstream file(ORBILUX_GDI_DATA "/circles.txt");
    const circles::Picture picture = [](const circles::Drawing& drawing) {
        Collector collector;
        SoftwareSurface surface(collector, circles::Width, circles::Height);
        surface.SelectPen(0xFFFFFF);
        drawing(surface);
        std::vector<std::pair<int, int>>& lit = collector.Lit;
        std::sort(lit.begin(), lit.end());
        lit.erase(std::unique(lit.begin(), lit.end()), lit.end());
        return lit;
    };
    for (int size = 0; size <= circles::LargestSize; ++size)
        for (int side = 0; side < 4; ++side) {
            std::string gdi;
            ASSERT_TRUE(std::getline(file, gdi)) << "circles.txt ends before size " << size;
            EXPECT_EQ(circles::CaseLine(side, size, picture), gdi) << "digests of: " << circles::Groups;
        }
}
