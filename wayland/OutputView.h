// One output: its layer surface covering it, the buffers, and its own
// figure drawn at the output's physical size and paced by frame callbacks.
#pragma once
#include <cstdint>
#include <vector>

#include "raster/SoftwareSurface.h"
#include "wayland/DamageTiles.h"
#include "wayland/FigureSlot.h"
#include "wayland/ScaleChoice.h"
#include "wayland/ShmBuffers.h"
#include "posix/TickClock.h"

struct Client;
struct wl_output;
struct wl_surface;
struct wl_callback;
struct zwlr_layer_surface_v1;
struct wp_viewport;
struct wp_fractional_scale_v1;

class OutputView final : private PixelSink {
public:
    OutputView(Client& client, wl_output* output, std::uint32_t seed);
    ~OutputView();
    OutputView(const OutputView&) = delete;
    OutputView& operator=(const OutputView&) = delete;

    // Puts the layer surface on the output.
    void Start();
    // Draws what is due at `now` and shows it, when the output is ready for
    // a frame and a buffer is free.
    void Service(Nanoseconds now);
    // When Service has something to do next without an event: -1 for never.
    Nanoseconds Wake() const;
    wl_surface* Surface() const { return SurfaceObject; }

private:
    // PixelSink: the engine's pixels go into the buffer drawn on.
    void Point(std::int32_t x, std::int32_t y, Colour colour) override;
    void Clear(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) override;
    void FillBlack(const Box& box);

    // The buffer and the figure for the current size and scale.
    void Replan();
    void StopSurface();
    void Present();

    static void OnOutputGeometry(void*, wl_output*, std::int32_t, std::int32_t, std::int32_t, std::int32_t,
                                 std::int32_t, const char*, const char*, std::int32_t);
    static void OnOutputMode(void*, wl_output*, std::uint32_t, std::int32_t, std::int32_t, std::int32_t);
    static void OnOutputDone(void* data, wl_output*);
    static void OnOutputScale(void* data, wl_output*, std::int32_t factor);
    static void OnConfigure(void* data, zwlr_layer_surface_v1*, std::uint32_t serial, std::uint32_t width,
                            std::uint32_t height);
    static void OnClosed(void* data, zwlr_layer_surface_v1*);
    static void OnPreferredScale(void* data, wp_fractional_scale_v1*, std::uint32_t scale);
    static void OnFrameDone(void* data, wl_callback* callback, std::uint32_t);

    Client& Owner;
    wl_output* Output;
    wl_surface* SurfaceObject = nullptr;
    zwlr_layer_surface_v1* Layer = nullptr;
    wp_viewport* Viewport = nullptr;
    wp_fractional_scale_v1* Fractional = nullptr;
    wl_callback* Frame = nullptr;  // a frame callback not yet done

    std::int32_t Scale = 1, PendingScale = 1;  // wl_output.scale, applied at done
    std::uint32_t Fraction120 = 0;
    std::uint32_t LogicalWidth = 0, LogicalHeight = 0;
    BufferPlan Plan{false, 0, 0, 1, false};
    bool Applied = false;  // the surface has Plan's scale and viewport, for this logical size
    std::uint32_t AppliedWidth = 0, AppliedHeight = 0;
    bool WarnedSize = false;

    ShmBuffers Buffers;
    std::uint32_t* Pixels = nullptr;  // the buffer drawn on, while drawing
    DamageTiles Damage;               // what the ticks drew since the last frame
    DamageTiles Drawn;                // what they drew since the last erase: all that is not black
    std::vector<Box> DamageList;      // Damage as boxes, for the frame
    // The frame's changes exactly, for the other buffer: the pixels set and
    // the boxes cleared, unless there were too many pixels to list.
    std::vector<PixelWrite> FramePixels;
    std::vector<Box> FrameBoxes;
    bool FramePixelsComplete = true;

    FigureSlot Figure;
    bool Created = false;
    SoftwareSurface Drawing{*this, 0, 0};
    std::uint32_t Ticks = 0;
    bool Running = false;  // more ticks to come
    Nanoseconds Due = 0;
    Nanoseconds PauseEnd = -1;
};
