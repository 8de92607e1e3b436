// A repaint replays the figure since the last erase: into a damaged area it
// puts back exactly the pixels that were there, and the running figure goes on
// as if nothing had happened.
#include <gtest/gtest.h>

#include "raster/EmulatedWindow.h"
#include "raster/SoftwareSurface.h"
#include "settings/MemoryStore.h"

namespace {

// A picture kept by a sink, as the X server keeps the window's; while `Clip`
// is set only pixels inside it are drawn, as in a repaint.
struct PictureSink : PixelSink {
    Bitmap Picture{240, 180};
    bool Clipping = false;
    std::int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;

    bool Inside(std::int32_t x, std::int32_t y) const
    {
        return !Clipping || (x >= Left && x < Right && y >= Top && y < Bottom);
    }
    void Point(std::int32_t x, std::int32_t y, Colour colour) override
    {
        if (x >= 0 && y >= 0 && x < Picture.Width && y < Picture.Height && Inside(x, y))
            Picture.Pixels[static_cast<std::size_t>(y) * Picture.Width + x] = colour;
    }
    void Clear(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) override
    {
        for (std::int32_t y = top; y < bottom; y++)
            for (std::int32_t x = left; x < right; x++)
                Point(x, y, 0);
    }
};

// The saver's life on a sink: ticks, pauses ended at once, a resize, repaints.
struct SaverRun {
    PictureSink Sink;
    SoftwareSurface Surface{Sink, 200, 150};
    SoftwareSurface AtErase = Surface;
    EmulatedWindow Window{77, nullptr};
    MemoryStore Store;

    explicit SaverRun(const std::vector<std::pair<const char*, std::uint32_t>>& values)
    {
        for (const auto& v : values)
            Store.WriteValue(v.first, v.second);
        Window.Create(Store);
        Window.Size(200, 150);
        Erase();
    }
    void Erase()
    {
        Window.EraseBackground(Surface);
        AtErase = Surface;
    }
    void Resize(std::int32_t width, std::int32_t height)
    {
        Surface.Resize(width, height);
        Window.Size(static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height));
        Erase();
    }
    // Ticks; a pause ends before the next tick, except after the last one.
    void Ticks(int count)
    {
        for (int i = 0; i < count; i++) {
            if (Window.PendingPause() != 0) {
                Window.EndPause(Surface);
                AtErase = Surface;
            }
            Window.Tick(Surface);
        }
    }
    // Paints the rectangle white, then repaints it.
    void Damage(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom)
    {
        for (std::int32_t y = top; y < bottom; y++)
            for (std::int32_t x = left; x < right; x++)
                Sink.Picture.Pixels[static_cast<std::size_t>(y) * Sink.Picture.Width + x] = 0xFFFFFF;
        Sink.Clipping = true;
        Sink.Left = left, Sink.Top = top, Sink.Right = right, Sink.Bottom = bottom;
        SoftwareSurface replay = AtErase;
        Window.Replay(replay);
        Sink.Clipping = false;
    }
};

}  // namespace

TEST(Replay, PutsBackThePixelsAndLeavesTheFigureRunning)
{
    struct Case {
        int Before, After;  // ticks before and after the damage
        int ResizeAt;       // ticks before a resize to 240 x 180 (-1: none)
        std::vector<std::pair<const char*, std::uint32_t>> Values;
    } cases[] = {
        {300, 100, -1, {{"RadiusFactor", 0}}},                      // pixels, across a figure's end
        {200, 200, -1, {{"RadiusFactor", 0}, {"JoinTheDots", 1}}},  // joined lines
        {360, 10, -1, {{"RadiusFactor", 10}}},                      // in the pause after a figure
        {365, 100, -1, {{"RadiusFactor", 15}, {"ZoomOption", 8 | 64 | 256}, {"ObjectShape", 510}}},
        {250, 150, 100, {{"RadiusFactor", 0}, {"JoinTheDots", 1}}},  // joined on from before a resize
        {200, 50, 120, {{"RadiusFactor", 12}, {"ObjectRotation", 8}}},
    };
    for (const Case& c : cases) {
        SaverRun damaged(c.Values);
        if (c.ResizeAt >= 0) {
            damaged.Ticks(c.ResizeAt);
            damaged.Resize(240, 180);
        }
        damaged.Ticks(c.Before - std::max(c.ResizeAt, 0));
        Bitmap before = damaged.Sink.Picture;
        damaged.Damage(20, 10, 170, 120);
        EXPECT_EQ(damaged.Sink.Picture.Pixels, before.Pixels) << c.Before << " ticks: the repaint differs";
        damaged.Damage(0, 0, 200, 150);
        EXPECT_EQ(damaged.Sink.Picture.Pixels, before.Pixels) << c.Before << " ticks: the whole repaint differs";
        damaged.Ticks(c.After);

        SaverRun whole(c.Values);
        if (c.ResizeAt >= 0) {
            whole.Ticks(c.ResizeAt);
            whole.Resize(240, 180);
        }
        whole.Ticks(c.Before - std::max(c.ResizeAt, 0) + c.After);
        EXPECT_EQ(damaged.Sink.Picture.Pixels, whole.Sink.Picture.Pixels)
            << c.Before << " ticks: the figure went on differently after the repaint";
    }
}
