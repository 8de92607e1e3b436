// The Wayland saver's portable decisions, one table each: the output list and
// its seeds, the buffer for an output's size and scale, the damage tiles, the
// input close rules in Wayland's terms, the tick catch-up, the other
// buffer's catch-up, and figures that share the engine's records one after
// another.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "render/Renderer.h"
#include "settings/MemoryStore.h"
#include "wayland/CatchUp.h"
#include "wayland/DamageTiles.h"
#include "wayland/FigureSlot.h"
#include "wayland/FramePacing.h"
#include "wayland/InputRules.h"
#include "wayland/OutputList.h"
#include "wayland/ScaleChoice.h"

const bool T = true, F = false;  // short for the tables

// Events "+N" (output N announced) and "-N" (gone), then the list as
// "name:seed" in order.
static std::string Listed(std::uint32_t base, const std::vector<std::string>& events)
{
    OutputList<int> list(base);
    for (const std::string& event : events) {
        std::uint32_t name = static_cast<std::uint32_t>(std::stoul(event.substr(1)));
        if (event[0] == '+')
            list.Add(name, std::make_unique<int>(static_cast<int>(name)));
        else
            list.Remove(name);
    }
    std::string out;
    for (auto& entry : list.All())
        out += std::to_string(entry.Name) + ":" + std::to_string(entry.Seed) +
            (*entry.Held == int(entry.Name) ? " " : "? ");
    return out;
}

TEST(OutputList, SeedsInAnnouncementOrderNeverReused)
{
    const struct {
        std::uint32_t Base;
        std::vector<std::string> Events;
        const char* Expected;
    } rows[] = {
        {5, {}, ""},
        {5, {"+40"}, "40:5 "},
        {5, {"+40", "+7", "+12"}, "40:5 7:6 12:7 "},
        {5, {"+40", "+7", "-40", "+12"}, "7:6 12:7 "},               // a later output gets a new seed
        {5, {"+40", "+40", "+7"}, "40:5 7:6 "},                      // listed twice: no seed spent
        {5, {"+40", "-99", "-40", "-40"}, ""},                       // unknown or gone twice: nothing
        {0xFFFFFFFFu, {"+1", "+2", "+3"}, "1:4294967295 2:0 3:1 "},  // the seed wraps
        {9, {"+1", "-1", "+1"}, "1:10 "},                            // the same name back is a new output
    };
    for (const auto& row : rows)
        EXPECT_EQ(Listed(row.Base, row.Events), row.Expected) << row.Events.size() << " events from " << row.Base;
}

TEST(ScaleChoice, PhysicalPixelsForEveryScale)
{
    const struct {
        std::uint32_t W, H;
        std::int32_t Scale;
        std::uint32_t Fraction;
        bool Viewporter;
        bool Valid;
        std::uint32_t BufferW, BufferH;
        std::int32_t BufferScale;
        bool Viewport;
    } rows[] = {
        {1024, 768, 1, 0, F, T, 1024, 768, 1, F},
        {400, 300, 2, 0, T, T, 800, 600, 2, F},  // integer scale: buffer scale
        {1920, 1080, 3, 0, F, T, 5760, 3240, 3, F},
        {1280, 720, 2, 180, T, T, 1920, 1080, 1, T},  // 1.5 with a viewport
        {1280, 720, 2, 180, F, T, 2560, 1440, 2, F},  // no viewporter: the integer scale
        {1366, 768, 1, 150, T, T, 1708, 960, 1, T},   // 1707.5 rounds up
        {3, 3, 1, 1, T, T, 1, 1, 1, T},               // never below one pixel
        {640, 480, 0, 0, F, T, 640, 480, 1, F},       // a bad scale counts as 1
        {640, 480, -3, 0, F, T, 640, 480, 1, F},
        {100, 100, 99, 0, F, T, 1600, 1600, 16, F},  // at most 16
        {10000, 100, 2, 0, F, T, 10000, 100, 1, F},  // lowered until it fits
        {5000, 100, 4, 0, F, T, 15000, 300, 3, F},
        {10000, 100, 1, 240, T, T, 10000, 100, 1, F},  // the fraction too large: integer path
        {16384, 16384, 1, 0, F, T, 16384, 16384, 1, F},
        {0, 768, 1, 0, F, F, 0, 0, 1, F},
        {1024, 0, 1, 0, F, F, 0, 0, 1, F},
        {16385, 10, 1, 0, F, F, 0, 0, 1, F},
        {0xFFFFFFFFu, 0xFFFFFFFFu, 16, 0xFFFFFFFFu, T, F, 0, 0, 1, F},
    };
    for (const auto& row : rows) {
        BufferPlan plan = ChooseBuffer(row.W, row.H, row.Scale, row.Fraction, row.Viewporter);
        std::string what = std::to_string(row.W) + "x" + std::to_string(row.H) + " scale " + std::to_string(row.Scale) +
            " fraction " + std::to_string(row.Fraction);
        EXPECT_EQ(plan.Valid, row.Valid) << what;
        EXPECT_EQ(plan.Width, row.BufferW) << what;
        EXPECT_EQ(plan.Height, row.BufferH) << what;
        EXPECT_EQ(plan.BufferScale, row.BufferScale) << what;
        EXPECT_EQ(plan.Viewport, row.Viewport) << what;
    }
}

// The boxes a DamageTiles of width x height hands out after `added`, as
// "left,top,right,bottom " in order.
static std::string Boxes(std::int32_t width, std::int32_t height, const std::vector<Box>& added)
{
    DamageTiles damage;
    damage.Resize(width, height);
    for (const Box& box : added)
        box.Right - box.Left == 1 && box.Bottom - box.Top == 1 ? damage.AddPoint(box.Left, box.Top) : damage.Add(box);
    std::vector<Box> boxes;
    damage.Boxes(boxes);
    std::string out;
    for (const Box& b : boxes)
        out += std::to_string(b.Left) + "," + std::to_string(b.Top) + "," + std::to_string(b.Right) + "," +
            std::to_string(b.Bottom) + " ";
    return out;
}

TEST(DamageTiles, TouchedTilesAsFewBoxes)
{
    auto px = [](std::int32_t x, std::int32_t y) { return Box{x, y, x + 1, y + 1}; };
    const struct {
        std::int32_t Width, Height;
        std::vector<Box> Added;
        const char* Expected;
    } rows[] = {
        {100, 100, {}, ""},
        {100, 100, {Box{5, 5, 5, 9}, Box{5, 5, 9, 4}}, ""},              // empty boxes
        {100, 100, {px(-1, 0), px(0, -1), px(100, 0), px(0, 100)}, ""},  // outside
        {100, 100, {px(0, 0)}, "0,0,32,32 "},
        {100, 100, {px(0, 0), px(31, 31)}, "0,0,32,32 "},            // one tile
        {100, 100, {px(0, 0), px(32, 0)}, "0,0,64,32 "},             // a run along a row
        {100, 100, {px(0, 0), px(64, 0)}, "0,0,32,32 64,0,96,32 "},  // a gap: two
        {100, 100, {px(99, 99)}, "96,96,100,100 "},                  // clipped to the picture
        {100, 100, {px(0, 0), px(0, 40), px(0, 70)}, "0,0,32,96 "},  // the same run down
        {100, 100, {px(0, 0), px(0, 40), px(40, 40)}, "0,0,32,32 0,32,64,64 "},
        {100, 100, {px(0, 0), px(0, 70)}, "0,0,32,32 0,64,32,96 "},  // an empty row parts them
        {100, 100, {Box{-50, -50, 500, 500}}, "0,0,100,100 "},       // the whole picture: one box
        // A ring: two runs a row where it is open, one where it is closed.
        {128,
         128,
         {Box{32, 0, 96, 1}, px(0, 40), px(127, 40), px(0, 70), px(127, 70), Box{32, 127, 96, 128}},
         "32,0,96,32 0,32,32,96 96,32,128,96 32,96,96,128 "},
        {0, 0, {px(0, 0)}, ""},
        {-5, 10, {px(0, 0)}, ""},
    };
    for (const auto& row : rows)
        EXPECT_EQ(Boxes(row.Width, row.Height, row.Added), row.Expected) << row.Added.size() << " boxes";
}

// Adding another's tiles; clearing leaves nothing and the next frame starts afresh.
TEST(DamageTiles, AddsAnotherAndClears)
{
    DamageTiles a, b, small;
    a.Resize(100, 100), b.Resize(100, 100), small.Resize(10, 10);
    a.AddPoint(0, 0);
    b.AddPoint(99, 0);
    small.AddPoint(5, 5);
    a.Add(b);
    a.Add(small);  // another size: ignored
    std::vector<Box> boxes;
    a.Boxes(boxes);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].Left, 96);
    a.Clear();
    EXPECT_TRUE(a.Empty());
    a.Boxes(boxes);
    EXPECT_TRUE(boxes.empty());
    a.AddPoint(50, 50);
    a.Boxes(boxes);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Left, 32);
    EXPECT_EQ(boxes[0].Top, 32);
}

// A frame drawn on one buffer of a pair (clears of boxes and pixels, in
// order), logged as the saver logs it (a clear drops the pixels listed
// before it), caught up on the other: both then hold the same picture.
TEST(CatchUp, TheOtherBufferEndsAsTheOneShown)
{
    struct Step {
        Box Cleared;  // empty: a pixel
        std::int32_t X, Y;
        std::uint32_t Colour;
    };
    auto clear = [](std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) {
        return Step{{l, t, r, b}, 0, 0, 0};
    };
    auto pixel = [](std::int32_t x, std::int32_t y, std::uint32_t c) { return Step{{0, 0, 0, 0}, x, y, c}; };
    const std::int32_t width = 5, height = 4;
    const std::vector<std::vector<Step>> frames = {
        {},
        {pixel(0, 0, 7), pixel(4, 3, 8)},
        {pixel(2, 1, 7), pixel(2, 1, 9)},                           // the last value counts
        {clear(0, 0, 5, 4), pixel(1, 1, 7)},                        // the erase, then the next figure
        {pixel(1, 1, 7), clear(0, 0, 3, 3), pixel(4, 0, 8)},        // pixels under a later clear
        {clear(4, 0, 5, 4), clear(0, 3, 2, 4), clear(1, 1, 2, 2)},  // several boxes, at the edges
        {clear(1, 0, 4, 2), pixel(2, 1, 9), clear(3, 2, 5, 4), pixel(4, 3, 6)},
    };
    for (std::size_t f = 0; f < frames.size(); f++) {
        std::vector<std::uint32_t> before(static_cast<std::size_t>(width * height));
        for (std::size_t i = 0; i < before.size(); i++)
            before[i] = 100 + static_cast<std::uint32_t>(i);
        std::vector<std::uint32_t> shown = before, other = before;
        std::vector<Box> boxes;
        std::vector<PixelWrite> pixels;
        for (const Step& step : frames[f]) {
            if (step.Cleared.Right > step.Cleared.Left) {
                for (std::int32_t y = step.Cleared.Top; y < step.Cleared.Bottom; y++)
                    for (std::int32_t x = step.Cleared.Left; x < step.Cleared.Right; x++)
                        shown[static_cast<std::size_t>(y * width + x)] = 0;
                boxes.push_back(step.Cleared);
                pixels.clear();
            } else {
                std::uint32_t at = static_cast<std::uint32_t>(step.Y * width + step.X);
                shown[at] = step.Colour;
                pixels.push_back(PixelWrite{at, step.Colour});
            }
        }
        CatchUp(other.data(), shown.data(), width, boxes, pixels);
        EXPECT_EQ(other, shown) << "frame " << f;
    }
}

TEST(InputRules, ButtonsAsWindowsMessages)
{
    const struct {
        std::uint32_t Button, Message;
    } rows[] = {
        {EVDEV_BUTTON_LEFT, MSG_LBUTTONDOWN},
        {EVDEV_BUTTON_RIGHT, MSG_RBUTTONDOWN},
        {EVDEV_BUTTON_MIDDLE, MSG_MBUTTONDOWN},
        {0x113, MSG_LBUTTONDOWN},  // a side button
        {0, MSG_LBUTTONDOWN},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(ButtonMessage(row.Button), row.Message) << row.Button;
        EXPECT_TRUE(InputAsksToClose(ButtonMessage(row.Button), 0)) << row.Button;
    }
}

TEST(InputRules, TravelFromTheFirstEnter)
{
    int a = 0, b = 0;  // two surfaces
    // Steps: 'e' enter (surface, x, y), 'm' motion (x, y), 'l' leave; the
    // expected answer of each.
    struct Step {
        char Kind;
        const void* Surface;
        std::int32_t X, Y;
        bool Ends;
    };
    const std::vector<std::vector<Step>> rows = {
        {{'e', &a, 100, 100, F}, {'m', &a, 103, 100, F}, {'m', &a, 104, 100, F}, {'m', &a, 105, 100, T}},
        {{'e', &a, 100, 100, F}, {'m', &a, 102, 98, F}, {'m', &a, 98, 98, F}, {'m', &a, 97, 98, T}},
        {{'e', &a, 100, 100, F}, {'m', &a, 110, 100, T}},
        {{'e', &a, 0, 0, F}, {'m', &a, 0, 5, T}},
        {{'e', &a, 100, 100, F}, {'l', &a, 0, 0, F}, {'m', &a, 500, 500, F}},  // no moves counted off it
        {{'e', &a, 100, 100, F}, {'l', &a, 0, 0, F}, {'e', &a, 101, 101, F}, {'m', &a, 102, 102, F}},
        {{'e', &a, 100, 100, F}, {'l', &a, 0, 0, F}, {'e', &a, 100, 105, T}},
        {{'e', &a, 100, 100, F}, {'l', &a, 0, 0, F}, {'e', &b, 100, 100, T}},  // another output
        {{'m', &a, 500, 500, F}, {'e', &b, 7, 7, F}, {'m', &b, 9, 9, F}},      // a move before any enter
        {{'e', &a, -2147483647 - 1, 0, F}, {'m', &a, 2147483647, 0, T}},
    };
    for (std::size_t r = 0; r < rows.size(); r++) {
        PointerTravel travel;
        for (std::size_t s = 0; s < rows[r].size(); s++) {
            const Step& step = rows[r][s];
            bool ends = step.Kind == 'e' ? travel.Enter(step.Surface, step.X, step.Y)
                : step.Kind == 'm'       ? travel.Motion(step.X, step.Y)
                                         : (travel.Leave(), false);
            EXPECT_EQ(ends, step.Ends) << "row " << r << " step " << s;
        }
    }
}

TEST(FramePacing, OldTicksAreSkippedRecentOnesDrawn)
{
    const Nanoseconds ms = NS_PER_MS;
    const struct {
        Nanoseconds Due;
        std::uint32_t Interval;
        Nanoseconds Now, Expected;
    } rows[] = {
        {1000 * ms, 20, 1000 * ms, 1000 * ms},    // due now
        {1000 * ms, 20, 990 * ms, 1000 * ms},     // not yet due
        {1000 * ms, 20, 1050 * ms, 1000 * ms},    // 50 ms late: all drawn
        {1000 * ms, 20, 1051 * ms, 1020 * ms},    // the oldest skipped, the grid kept
        {1000 * ms, 20, 61000 * ms, 60960 * ms},  // a minute unseen: the last 50 ms
        {1000 * ms, 1, 61000 * ms, 60950 * ms},  {1000 * ms, 1000, 5000 * ms, 5000 * ms},
        {1000 * ms, 0, 2000 * ms, 1950 * ms},  // no interval counts as 1 ms
    };
    for (const auto& row : rows)
        EXPECT_EQ(CatchUpFrom(row.Due, row.Interval, row.Now), row.Expected) << row.Due << " " << row.Now;
}

// Two figures ticking in turn, each with its own records, draw what each
// draws alone.
TEST(FigureSlot, FiguresInTurnDrawWhatEachDrawsAlone)
{
    const struct {
        std::uint32_t SeedA, SeedB, Width, Height, Ticks;
    } rows[] = {
        {1, 2, 320, 240, 200},
        {77, 77, 200, 300, 150},  // the same seed twice
        {5, 6, 160, 120, 400},    // across a figure's end and its erase
    };
    for (const auto& row : rows) {
        MemoryStore store;
        Bitmap a(static_cast<std::int32_t>(row.Width), static_cast<std::int32_t>(row.Height));
        Bitmap b(static_cast<std::int32_t>(row.Height), static_cast<std::int32_t>(row.Width));
        SoftwareSurface surfaceA(a), surfaceB(b);
        FigureSlot slotA(row.SeedA), slotB(row.SeedB);
        slotA.Enter().Create(store);
        slotB.Enter().Create(store);
        slotA.Enter().Size(row.Width, row.Height);
        slotB.Enter().Size(row.Height, row.Width);
        slotA.Enter().EraseBackground(surfaceA);
        slotB.Enter().EraseBackground(surfaceB);
        for (std::uint32_t tick = 0; tick < row.Ticks; tick++) {
            for (auto* slot : {&slotA, &slotB}) {
                EmulatedWindow& window = slot->Enter();
                SoftwareSurface& surface = slot == &slotA ? surfaceA : surfaceB;
                window.Tick(surface);
                if (window.PendingPause() != 0 && tick + 1 < row.Ticks)
                    window.EndPause(surface);
            }
        }
        Bitmap aloneA(a.Width, a.Height), aloneB(b.Width, b.Height);
        MemoryStore fresh;
        RunRender(RenderRequest{row.SeedA, row.Width, row.Height, row.Ticks}, fresh, nullptr, &aloneA);
        RunRender(RenderRequest{row.SeedB, row.Height, row.Width, row.Ticks}, fresh, nullptr, &aloneB);
        EXPECT_TRUE(a.Pixels == aloneA.Pixels) << "seed " << row.SeedA;
        EXPECT_TRUE(b.Pixels == aloneB.Pixels) << "seed " << row.SeedB;
    }
}
