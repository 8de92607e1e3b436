#include "render/Renderer.h"

#include "raster/EmulatedWindow.h"

void TracingSurface::SelectPen(Colour colour)
{
    if (Trace)
        std::fprintf(Trace, "pen 0x%06x\n", colour);
    if (Target)
        Target->SelectPen(colour);
}

void TracingSurface::DeselectPen()
{
    if (Target)
        Target->DeselectPen();
}

void TracingSurface::MoveTo(std::int32_t x, std::int32_t y)
{
    if (Trace)
        std::fprintf(Trace, "move %d %d\n", x, y);
    if (Target)
        Target->MoveTo(x, y);
}

void TracingSurface::LineTo(std::int32_t x, std::int32_t y)
{
    if (Trace)
        std::fprintf(Trace, "line %d %d\n", x, y);
    if (Target)
        Target->LineTo(x, y);
}

void TracingSurface::Arc(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom, std::int32_t xs,
                         std::int32_t ys, std::int32_t xe, std::int32_t ye)
{
    if (Trace)
        std::fprintf(Trace, "arc %d %d %d %d %d %d %d %d\n", left, top, right, bottom, xs, ys, xe, ye);
    if (Target)
        Target->Arc(left, top, right, bottom, xs, ys, xe, ye);
}

void TracingSurface::SetPixel(std::int32_t x, std::int32_t y, Colour colour)
{
    if (Trace)
        std::fprintf(Trace, "pixel %d %d 0x%06x\n", x, y, colour);
    if (Target)
        Target->SetPixel(x, y, colour);
}

void TracingSurface::FillRect(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
                              std::uintptr_t brush)
{
    if (Trace)
        std::fprintf(Trace, "fill %d %d %d %d\n", left, top, right, bottom);
    if (Target)
        Target->FillRect(left, top, right, bottom, brush);
}

RenderSummary RunRender(const RenderRequest& request, SettingsValueStore& store, std::FILE* trace, Bitmap* bitmap)
{
    Bitmap none(0, 0);
    RenderObserver* observer = bitmap ? request.Observer : nullptr;
    PixelSink* sink = observer ? observer->Drawing() : nullptr;
    SoftwareSurface software =
        sink ? SoftwareSurface(*sink, bitmap->Width, bitmap->Height) : SoftwareSurface(bitmap ? *bitmap : none);
    TracingSurface surface(trace, bitmap ? &software : nullptr);
    // The last tick's erase is traced but not drawn: the picture to keep is
    // the closed figure that the pause shows.
    TracingSurface traceOnly(trace, nullptr);
    EmulatedWindow window(request.Seed, trace);
    RenderSummary summary;

    window.Create(store);
    if (observer)
        observer->TimerStarted(window.TimerInterval());
    window.Size(request.Width, request.Height);
    window.EraseBackground(surface);
    for (std::uint32_t tick = 0; tick < request.Ticks; tick++) {
        if (trace)
            std::fprintf(trace, "tick %u\n", tick);
        summary.Milliseconds += window.TimerInterval();  // the tick's own, before it may stop the timer
        window.Tick(surface);
        if (window.PendingPause() != 0) {
            summary.FiguresClosed++;
            summary.Milliseconds += window.PendingPause();
            if (observer)
                observer->Paused(*bitmap, window.PendingPause());
            window.EndPause(tick + 1 == request.Ticks ? static_cast<DrawSurface&>(traceOnly) : surface);
            if (observer)
                observer->TimerStarted(window.TimerInterval());
        }
        if (observer)
            observer->Ticked(tick, *bitmap);
    }
    return summary;
}
