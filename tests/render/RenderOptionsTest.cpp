// orbilux-render's options and the shape of the trace a run writes.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "render/RenderOptions.h"
#include "render/Renderer.h"

namespace {

bool Parse(std::vector<const char*> args, RenderOptions& options)
{
    args.insert(args.begin(), "orbilux-render");
    std::string error;
    return ParseRenderOptions(static_cast<int>(args.size()), args.data(), options, error);
}

TEST(RenderOptions, NumbersAndSettings)
{
    std::uint32_t v = 0;
    EXPECT_TRUE(ParseNumber32("4294967295", v)); EXPECT_EQ(v, 4294967295u);
    EXPECT_TRUE(ParseNumber32("0xFFFFffff", v)); EXPECT_EQ(v, 4294967295u);
    EXPECT_TRUE(ParseNumber32("-1", v)); EXPECT_EQ(v, 4294967295u);
    EXPECT_TRUE(ParseNumber32("-2147483648", v)); EXPECT_EQ(v, 0x80000000u);
    for (const char* bad : {"", "-", "0x", "4294967296", "-2147483649", "1e3", "+5", " 5", "0x1g", "99999999999999999999"})
        EXPECT_FALSE(ParseNumber32(bad, v)) << bad;

    RenderOptions options;
    ASSERT_TRUE(Parse({"--setting", "ZoomOption=0x3FE", "--setting", "ZoomOption=2", "--setting=ColourOption=30"},
                      options));
    std::uint32_t value = 0;
    EXPECT_EQ(options.Store.ReadValue("ZoomOption", value), StoreRead::Read);
    EXPECT_EQ(value, 2u);  // the last one given counts
    EXPECT_EQ(options.Store.ReadValue("ImagesPerSec", value), StoreRead::ValueUnreadable);
    EXPECT_EQ(options.Width, 1024u);
    EXPECT_EQ(options.Ticks, 360u);

    RenderOptions none;
    ASSERT_TRUE(Parse({}, none));
    EXPECT_EQ(none.Store.ReadValue("ZoomOption", value), StoreRead::KeyMissing);
}

// Reads a whole trace written by RunRender.
std::vector<std::string> TraceOf(const RenderRequest& request, MemoryStore& store)
{
    std::FILE* file = std::tmpfile();
    EXPECT_TRUE(RunRender(request, store, file, nullptr));
    std::rewind(file);
    std::vector<std::string> lines;
    char line[200];
    while (std::fgets(line, sizeof line, file)) {
        std::string text(line);
        text.pop_back();
        lines.push_back(text);
    }
    std::fclose(file);
    return lines;
}

TEST(RenderTrace, FollowsTheWindowsLife)
{
    MemoryStore store;
    std::vector<std::string> trace = TraceOf({5, 300, 200, 725}, store);
    ASSERT_GE(trace.size(), 4u);
    EXPECT_EQ(trace[0], "timer on 20");
    EXPECT_EQ(trace[1], "fill 0 0 300 200");
    EXPECT_EQ(trace[2], "tick 0");
    EXPECT_EQ(trace[3].substr(0, 6), "pen 0x");

    int ticks = 0, pens = 0, arcs = 0, pauses = 0;
    for (std::size_t i = 0; i < trace.size(); i++) {
        const std::string& line = trace[i];
        if (line.compare(0, 5, "tick ") == 0) {
            EXPECT_EQ(line, "tick " + std::to_string(ticks));
            ticks++;
        }
        pens += line.compare(0, 4, "pen ") == 0;
        arcs += line.compare(0, 4, "arc ") == 0;
        if (line == "sleep 1000") {
            pauses++;
            ASSERT_GE(i, 4u);
            ASSERT_LT(i + 2, trace.size());
            EXPECT_EQ(trace[i - 1], "timer off");
            EXPECT_EQ(trace[i + 1], "timer on 20");
            EXPECT_EQ(trace[i + 2], "fill 0 0 300 200");
            EXPECT_EQ(trace[i - 4], "tick " + std::to_string(360 * pauses - 1));
        }
    }
    EXPECT_EQ(ticks, 725);
    EXPECT_EQ(pens, 725);
    EXPECT_EQ(arcs, 725);  // default: a circle per point
    EXPECT_EQ(pauses, 2);

    // The same seed, the same trace.
    MemoryStore again;
    EXPECT_EQ(TraceOf({5, 300, 200, 725}, again), trace);
}

int LitPixels(const Bitmap& bitmap)
{
    int lit = 0;
    for (Colour pixel : bitmap.Pixels)
        lit += pixel != 0;
    return lit;
}

TEST(RenderTrace, PictureOfAClosingTickIsTheClosedFigure)
{
    MemoryStore store;
    Bitmap closed(200, 150), next(200, 150);
    RunRender({1, 200, 150, 360}, store, nullptr, &closed);
    RunRender({1, 200, 150, 361}, store, nullptr, &next);
    // The pause shows the whole figure; one tick later only the next figure's
    // first circle stands on the erased window.
    EXPECT_GT(LitPixels(closed), 10 * LitPixels(next));
    EXPECT_GT(LitPixels(next), 0);
}

}  // namespace
