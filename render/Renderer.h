// Runs the saver window's life without a window: WM_CREATE, WM_SIZE with the
// client size, the first paint's WM_ERASEBKGND, then timer ticks, each handled
// by the engine exactly as the saver handles it. The one-second pause at the
// end of a figure is recorded, not slept.
#pragma once
#include <cstdint>
#include <cstdio>

#include "raster/SoftwareSurface.h"

class SettingsValueStore;

// Follows the picture over the run's time, for animations. Called only when
// the run rasterises (a bitmap is given).
class RenderObserver {
public:
    virtual ~RenderObserver() = default;
    // Where the run draws instead of straight into the bitmap, for an
    // observer that follows single pixels; it must keep the bitmap drawn.
    virtual PixelSink* Drawing() { return nullptr; }
    virtual void TimerStarted(std::uint32_t milliseconds) = 0;
    // The pause at a figure's end: `bitmap` shows the closed figure meanwhile.
    virtual void Paused(const Bitmap& bitmap, std::uint32_t milliseconds) = 0;
    // The end of tick `tick` (counted from 0).
    virtual void Ticked(std::uint32_t tick, const Bitmap& bitmap) = 0;
};

// Writes one line per drawing event to `trace` and forwards the drawing to
// `target`; either may be null.
class TracingSurface : public DrawSurface {
public:
    TracingSurface(std::FILE* trace, DrawSurface* target) : Trace(trace), Target(target) {}

    void SelectPen(Colour colour) override;
    void DeselectPen() override;
    void MoveTo(std::int32_t x, std::int32_t y) override;
    void LineTo(std::int32_t x, std::int32_t y) override;
    void Arc(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom, std::int32_t xs,
             std::int32_t ys, std::int32_t xe, std::int32_t ye) override;
    void SetPixel(std::int32_t x, std::int32_t y, Colour colour) override;
    void FillRect(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
                  std::uintptr_t brush) override;

private:
    std::FILE* Trace;
    DrawSurface* Target;
};

struct RenderRequest {
    std::uint32_t Seed;   // the clock's value at WM_CREATE
    std::uint32_t Width;  // client size
    std::uint32_t Height;
    std::uint32_t Ticks;
    RenderObserver* Observer = nullptr;
};

// What a run went through, on the emulated window's clock.
struct RenderSummary {
    std::uint32_t FiguresClosed = 0;  // each with its pause
    std::uint64_t Milliseconds = 0;   // the ticks' intervals and the pauses
};

// Writes one line per event to `trace` (may be null; the caller checks the
// stream's error flag) and draws on `bitmap` (may be null; then nothing is
// rasterised). When the last tick closes a figure, `bitmap` ends with the
// closed figure shown during the pause, not the black window after the erase.
RenderSummary RunRender(const RenderRequest& request, SettingsValueStore& store, std::FILE* trace, Bitmap* bitmap);
