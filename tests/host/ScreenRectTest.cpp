// The full-screen rectangle for the monitor layouts a system may report.
#include <gtest/gtest.h>

#include "host/ScreenRect.h"

namespace {

struct Layout {
    const char* Name;
    ScreenMetrics Metrics;
    ScreenRect Expected;
};

const Layout LAYOUTS[] = {
    // A 1280 x 1024 monitor left of a 1920 x 1080 primary, tops aligned.
    {"monitor left of the primary", {-1280, 0, 3200, 1080, 1920, 1080}, {-1280, 0, 3200, 1080}},
    // A monitor above and right: the origin goes up, not left.
    {"monitor above the primary", {0, -768, 2048, 1848, 1024, 1080}, {0, -768, 2048, 1848}},
    {"one monitor", {0, 0, 1024, 768, 1024, 768}, {0, 0, 1024, 768}},
    // Windows 95 and NT 4 know no virtual screen and answer 0.
    {"no virtual screen", {0, 0, 0, 0, 800, 600}, {0, 0, 800, 600}},
    {"no virtual height", {-5, -5, 640, 0, 640, 480}, {0, 0, 640, 480}},
};

}  // namespace

TEST(FullScreenRect, LayoutsTable)
{
    for (const Layout& layout : LAYOUTS) {
        ScreenRect r = FullScreenRect(layout.Metrics);
        EXPECT_EQ(r.X, layout.Expected.X) << layout.Name;
        EXPECT_EQ(r.Y, layout.Expected.Y) << layout.Name;
        EXPECT_EQ(r.Width, layout.Expected.Width) << layout.Name;
        EXPECT_EQ(r.Height, layout.Expected.Height) << layout.Name;
    }
}
