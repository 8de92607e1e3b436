// Writes a render as a looping animated GIF (libcgif): a frame every N ticks
// and one at each figure's closing pause. Each frame carries only the pixels
// that changed since the one before, the rest transparent, so the encoder
// keeps just their bounding box and a whole figure stays small.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "render/Renderer.h"

struct st_gif;

class GifWriter : public RenderObserver {
public:
    // `ticks`: the run's length, so the last frame is the run's final picture.
    GifWriter(std::string path, std::uint32_t width, std::uint32_t height, std::uint32_t every, std::uint32_t ticks);
    ~GifWriter() override;
    GifWriter(const GifWriter&) = delete;
    GifWriter& operator=(const GifWriter&) = delete;

    // Creates the file; false when it cannot be written.
    bool Open();
    // Adds `last` if no frame shows the run's end yet, then closes the file.
    // False on any failure or without `keep`, and then no file is left behind.
    bool Finish(const Bitmap& last, bool keep = true);

    void TimerStarted(std::uint32_t milliseconds) override;
    void Paused(const Bitmap& bitmap, std::uint32_t milliseconds) override;
    void Ticked(std::uint32_t tick, const Bitmap& bitmap) override;

private:
    void Capture(const Bitmap& bitmap);
    bool AddPending(std::uint64_t untilMs);

    std::string Path;
    std::uint32_t Width, Height, Every, Ticks;
    st_gif* Gif = nullptr;
    bool Failed = false;
    std::uint64_t NowMs = 0;   // the run's clock
    std::uint32_t TickMs = 0;  // the timer's interval
    bool PausedThisTick = false;
    std::vector<std::uint32_t> Shown;  // the picture as the frames so far leave it
    bool HasPending = false;           // a captured frame whose length is not known yet
    std::uint64_t PendingMs = 0;       // when it was captured
    std::vector<std::uint8_t> PendingIndices;
    std::vector<std::uint8_t> PendingPalette;
    std::uint16_t PendingEntries = 0;
};
