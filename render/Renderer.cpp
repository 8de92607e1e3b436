#include "render/Renderer.h"

#include "animation/AnimationDriver.h"
#include "settings/Settings.h"

void TracingSurface::SelectPen(Colour colour)
{
    if (Trace) std::fprintf(Trace, "pen 0x%06x\n", colour);
    if (Target) Target->SelectPen(colour);
}

void TracingSurface::DeselectPen()
{
    if (Target) Target->DeselectPen();
}

void TracingSurface::MoveTo(std::int32_t x, std::int32_t y)
{
    if (Trace) std::fprintf(Trace, "move %d %d\n", x, y);
    if (Target) Target->MoveTo(x, y);
}

void TracingSurface::LineTo(std::int32_t x, std::int32_t y)
{
    if (Trace) std::fprintf(Trace, "line %d %d\n", x, y);
    if (Target) Target->LineTo(x, y);
}

void TracingSurface::Arc(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom, std::int32_t xs,
                         std::int32_t ys, std::int32_t xe, std::int32_t ye)
{
    if (Trace)
        std::fprintf(Trace, "arc %d %d %d %d %d %d %d %d\n", left, top, right, bottom, xs, ys, xe, ye);
    if (Target) Target->Arc(left, top, right, bottom, xs, ys, xe, ye);
}

void TracingSurface::SetPixel(std::int32_t x, std::int32_t y, Colour colour)
{
    if (Trace) std::fprintf(Trace, "pixel %d %d 0x%06x\n", x, y, colour);
    if (Target) Target->SetPixel(x, y, colour);
}

void TracingSurface::FillRect(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
                              std::uintptr_t brush)
{
    if (Trace) std::fprintf(Trace, "fill %d %d %d %d\n", left, top, right, bottom);
    if (Target) Target->FillRect(left, top, right, bottom, brush);
}

namespace {

// The window's side of the engine: a timer that always starts, a clock that
// gives the requested seed, and an erase that goes straight to the handler.
class RenderHost : public AnimationHost {
public:
    RenderHost(std::FILE* trace, std::uint32_t seed, std::uint32_t width, std::uint32_t height)
        : Trace(trace), Seed(seed), Width(width), Height(height) {}

    std::uintptr_t CreateBackgroundBrush() override { return 1; }
    void DeleteBackgroundBrush(std::uintptr_t) override {}
    std::uint32_t StartTimer(std::uint32_t milliseconds) override
    {
        if (Trace) std::fprintf(Trace, "timer on %u\n", milliseconds);
        if (Observer) Observer->TimerStarted(milliseconds);
        return 1;
    }
    void StopTimer() override
    {
        if (Trace) std::fprintf(Trace, "timer off\n");
    }
    void Sleep(std::uint32_t milliseconds) override
    {
        if (Trace) std::fprintf(Trace, "sleep %u\n", milliseconds);
        if (Observer) Observer->Paused(*Picture, milliseconds);
    }
    void Erase(DrawSurface& surface) override
    {
        if (Held && Shown)
            *Held = *Shown;
        AnimationErase(AnimationState, surface, *this);
    }
    void ClientSize(std::int32_t& width, std::int32_t& height) override
    {
        width = static_cast<std::int32_t>(Width);
        height = static_cast<std::int32_t>(Height);
    }
    std::uint32_t ClockSeconds() override { return Seed; }

    // When set, an erase first copies the picture on screen into Held.
    const Bitmap* Shown = nullptr;
    Bitmap* Held = nullptr;
    RenderObserver* Observer = nullptr;  // set only with a Picture
    const Bitmap* Picture = nullptr;

private:
    std::FILE* Trace;
    std::uint32_t Seed, Width, Height;
};

}  // namespace

bool RunRender(const RenderRequest& request, SettingsValueStore& store, std::FILE* trace, Bitmap* bitmap)
{
    ResetSettings();
    ResetAnimationState(AnimationState);

    Bitmap none(0, 0), held(0, 0);
    SoftwareSurface software(bitmap ? *bitmap : none);
    TracingSurface surface(trace, bitmap ? &software : nullptr);
    RenderHost host(trace, request.Seed, request.Width, request.Height);
    if (bitmap) {
        host.Observer = request.Observer;
        host.Picture = bitmap;
    }

    AnimationCreate(AnimationState, host, store);
    AnimationSize(AnimationState, request.Width, request.Height);
    AnimationErase(AnimationState, surface, host);
    for (std::uint32_t tick = 0; tick < request.Ticks; tick++) {
        if (trace) std::fprintf(trace, "tick %u\n", tick);
        // A last tick that closes a figure erases it after the pause; the
        // picture to keep is the closed figure the pause shows.
        if (bitmap && tick + 1 == request.Ticks) {
            host.Shown = bitmap;
            host.Held = &held;
        }
        AnimationTick(AnimationState, surface, host);
        if (host.Observer) host.Observer->Ticked(tick, *bitmap);
    }
    if (held.Width != 0)
        *bitmap = held;
    return !trace || (std::fflush(trace) == 0 && !std::ferror(trace));
}
