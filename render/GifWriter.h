// Writes a render as a looping animated GIF: a frame every N ticks and one
// at each figure's closing pause. Each frame covers only the rectangle of
// the pixels that changed since the one before, the others in it
// transparent; the run draws through ChangedPixels, which marks them, so no
// copy of the picture is kept. A frame is compressed when it is taken and
// written when the next one gives its length.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "render/ChangedPixels.h"
#include "render/GifEncoder.h"
#include "render/Renderer.h"

class GifWriter : public RenderObserver {
public:
    // Writes to `file` the run drawn on `bitmap`; `ticks`: the run's length,
    // so that the last frame is the run's final picture. Throws
    // std::bad_alloc when the change marks do not fit.
    GifWriter(std::FILE* file, Bitmap& bitmap, std::uint32_t every, std::uint32_t ticks);

    // Adds the final picture if no frame shows the run's end yet and ends
    // the file. False with a reason when a frame could not be made (the
    // stream's own errors show in its error flag).
    bool Finish(std::string& error);

    PixelSink* Drawing() override { return &Changes; }
    void TimerStarted(std::uint32_t milliseconds) override;
    void Paused(const Bitmap& bitmap, std::uint32_t milliseconds) override;
    void Ticked(std::uint32_t tick, const Bitmap& bitmap) override;

private:
    void Capture();
    bool Opaque(std::int32_t x, std::int32_t y) const { return First || Changes.Changed(x, y); }
    void WritePending(std::uint64_t untilMs);

    std::FILE* File;
    Bitmap& Picture;
    ChangedPixels Changes;
    std::uint32_t Every, Ticks;
    std::string Error;         // why a frame could not be made
    bool First = true;         // the first frame covers the whole canvas
    std::uint64_t NowMs = 0;   // the run's clock
    std::uint32_t TickMs = 0;  // the timer's interval
    bool PausedThisTick = false;
    bool HasPending = false;      // a frame whose length is not known yet
    std::uint64_t PendingMs = 0;  // when it was taken
    GifFrame Pending;
    LzwTable Table;
};
