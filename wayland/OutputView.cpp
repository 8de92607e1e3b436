#include "wayland/OutputView.h"

#include <wayland-client.h>

#include <algorithm>

#include "fractional-scale-v1-client-protocol.h"
#include "viewporter-client-protocol.h"
#include "wayland/Client.h"
#include "wayland/FramePacing.h"
#include "wayland/LayerShell.h"

// Pixels listed per frame for the other buffer; a frame that sets more has
// its damage boxes copied instead.
const std::size_t MAX_FRAME_PIXELS = 1 << 16;

OutputView::OutputView(Client& client, wl_output* output, std::uint32_t seed)
    : Owner(client), Output(output), Figure(seed)
{
    static const wl_output_listener listener = {OnOutputGeometry, OnOutputMode, OnOutputDone,
                                                OnOutputScale,    nullptr,      nullptr};
    wl_output_add_listener(Output, &listener, this);
}

OutputView::~OutputView()
{
    StopSurface();
    if (wl_output_get_version(Output) >= WL_OUTPUT_RELEASE_SINCE_VERSION)
        wl_output_release(Output);
    else
        wl_output_destroy(Output);
}

void OutputView::Start()
{
    if (SurfaceObject)
        return;
    SurfaceObject = wl_compositor_create_surface(Owner.Compositor);
    if (Owner.FractionalScale && Owner.Viewporter) {
        static const wp_fractional_scale_v1_listener listener = {OnPreferredScale};
        Fractional = wp_fractional_scale_manager_v1_get_fractional_scale(Owner.FractionalScale, SurfaceObject);
        wp_fractional_scale_v1_add_listener(Fractional, &listener, this);
        Viewport = wp_viewporter_get_viewport(Owner.Viewporter, SurfaceObject);
    }
    std::uint32_t layer = Owner.Background ? ZWLR_LAYER_SHELL_V1_LAYER_BACKGROUND : ZWLR_LAYER_SHELL_V1_LAYER_OVERLAY;
    Layer = zwlr_layer_shell_v1_get_layer_surface(Owner.LayerShell, SurfaceObject, Output, layer, "orbilux");
    static const zwlr_layer_surface_v1_listener listener = {OnConfigure, OnClosed};
    zwlr_layer_surface_v1_add_listener(Layer, &listener, this);
    zwlr_layer_surface_v1_set_size(Layer, 0, 0);
    zwlr_layer_surface_v1_set_anchor(Layer,
                                     ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP | ZWLR_LAYER_SURFACE_V1_ANCHOR_BOTTOM |
                                         ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT | ZWLR_LAYER_SURFACE_V1_ANCHOR_RIGHT);
    zwlr_layer_surface_v1_set_exclusive_zone(Layer, -1);
    zwlr_layer_surface_v1_set_keyboard_interactivity(Layer,
                                                     Owner.Background
                                                         ? ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_NONE
                                                         : ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_EXCLUSIVE);
    wl_surface_commit(SurfaceObject);
}

void OutputView::StopSurface()
{
    if (Frame)
        wl_callback_destroy(Frame), Frame = nullptr;
    if (Layer)
        zwlr_layer_surface_v1_destroy(Layer), Layer = nullptr;
    if (Fractional)
        wp_fractional_scale_v1_destroy(Fractional), Fractional = nullptr;
    if (Viewport)
        wp_viewport_destroy(Viewport), Viewport = nullptr;
    if (SurfaceObject)
        wl_surface_destroy(SurfaceObject), SurfaceObject = nullptr;
    Buffers.Free();
    Damage.Clear();
}

void OutputView::Point(std::int32_t x, std::int32_t y, Colour colour)
{
    if (x < 0 || y < 0 || x >= Buffers.Width() || y >= Buffers.Height() || !Pixels)
        return;
    // The surface's 0x00BBGGRR as XRGB8888's 0x00RRGGBB.
    colour = ((colour & 0xFFu) << 16) | (colour & 0xFF00u) | ((colour >> 16) & 0xFFu);
    std::size_t at = static_cast<std::size_t>(y) * static_cast<std::size_t>(Buffers.Width()) + x;
    Pixels[at] = colour;
    if (FramePixels.size() < MAX_FRAME_PIXELS)
        FramePixels.push_back(PixelWrite{static_cast<std::uint32_t>(at), colour});
    else
        FramePixelsComplete = false;
    Damage.AddPoint(x, y);
    Drawn.AddPoint(x, y);
}

void OutputView::FillBlack(const Box& box)
{
    for (std::int32_t y = box.Top; y < box.Bottom; y++) {
        std::uint32_t* row = Pixels + static_cast<std::size_t>(y) * static_cast<std::size_t>(Buffers.Width());
        std::fill(row + box.Left, row + box.Right, 0u);
    }
}

void OutputView::Clear(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom)
{
    left = std::max(left, 0), top = std::max(top, 0);
    right = std::min(right, Buffers.Width()), bottom = std::min(bottom, Buffers.Height());
    if (!Pixels || left >= right || top >= bottom)
        return;
    if (left == 0 && top == 0 && right == Buffers.Width() && bottom == Buffers.Height()) {
        // The erase: only what was drawn since the last one is not black
        // already, in this buffer and in the one shown. The frame's pixels
        // so far are gone with it.
        FramePixels.clear();
        Drawn.Boxes(DamageList);
        for (const Box& box : DamageList) {
            FillBlack(box);
            FrameBoxes.push_back(box);
        }
        Damage.Add(Drawn);
        Drawn.Clear();
        return;
    }
    // Pixels listed before it may lie under it: the other buffer then
    // copies the frame's damage instead.
    FillBlack(Box{left, top, right, bottom});
    FramePixelsComplete = false;
    Damage.Add(Box{left, top, right, bottom});
}

void OutputView::Replan()
{
    BufferPlan plan = ChooseBuffer(LogicalWidth, LogicalHeight, Scale, Fraction120, Viewport != nullptr);
    if (!plan.Valid) {
        if (!WarnedSize)
            Message("an output of " + std::to_string(LogicalWidth) + " x " + std::to_string(LogicalHeight) +
                    " is too large to draw on: it stays as it is");
        WarnedSize = true;
        return;
    }
    bool sameSize = Buffers.Allocated() && plan.Width == Plan.Width && plan.Height == Plan.Height;
    if (!sameSize || plan.BufferScale != Plan.BufferScale || plan.Viewport != Plan.Viewport ||
        LogicalWidth != AppliedWidth || LogicalHeight != AppliedHeight)
        Applied = false;
    Plan = plan;
    if (sameSize)
        return;
    std::int32_t width = static_cast<std::int32_t>(plan.Width), height = static_cast<std::int32_t>(plan.Height);
    // XRGB8888, not the surface's own XBGR8888: every compositor has it, and
    // it is the one a pixman compositor copies as it is (sway took 1.85
    // times the CPU to show XBGR8888 at 4K).
    if (!Buffers.Allocate(Owner.Shm, WL_SHM_FORMAT_XRGB8888, width, height)) {
        Message("no memory for a picture of " + std::to_string(width) + " x " + std::to_string(height));
        return;
    }
    // A new size starts the picture again from black (new buffers are
    // black already), the figure going on; the first frame shows it whole.
    Damage.Resize(width, height);
    Drawn.Resize(width, height);
    Damage.Add(Box{0, 0, width, height});
    FramePixels.clear(), FrameBoxes.clear();
    FramePixels.reserve(MAX_FRAME_PIXELS);
    FrameBoxes.assign(1, Box{0, 0, width, height});
    FramePixelsComplete = true;
    Drawing.Resize(width, height);
    Buffers.PrepareBack();
    Pixels = Buffers.BackPixels();
    EmulatedWindow& window = Figure.Enter();
    if (!Created) {
        window.Create(Owner.Store);
        Created = true;
        Running = !Owner.HasMaxTicks || Owner.MaxTicks > 0;
    }
    window.Size(plan.Width, plan.Height);
    window.EraseBackground(Drawing);
    Pixels = nullptr;
    Due = MonotonicNow() + static_cast<Nanoseconds>(window.TimerInterval()) * NS_PER_MS;
}

void OutputView::Present()
{
    // A new plan's scale and viewport go with the first buffer of its size.
    if (!Applied) {
        if (wl_surface_get_version(SurfaceObject) >= WL_SURFACE_SET_BUFFER_SCALE_SINCE_VERSION)
            wl_surface_set_buffer_scale(SurfaceObject, Plan.Viewport ? 1 : Plan.BufferScale);
        if (Viewport) {
            if (Plan.Viewport)
                wp_viewport_set_destination(Viewport, static_cast<std::int32_t>(LogicalWidth),
                                            static_cast<std::int32_t>(LogicalHeight));
            else
                wp_viewport_set_destination(Viewport, -1, -1);
        }
        Applied = true;
        AppliedWidth = LogicalWidth, AppliedHeight = LogicalHeight;
    }
    Damage.Boxes(DamageList);
    wl_surface_attach(SurfaceObject, Buffers.Present(DamageList, FramePixels, FrameBoxes, FramePixelsComplete), 0, 0);
    if (wl_surface_get_version(SurfaceObject) >= WL_SURFACE_DAMAGE_BUFFER_SINCE_VERSION) {
        for (const Box& box : DamageList)
            wl_surface_damage_buffer(SurfaceObject, box.Left, box.Top, box.Right - box.Left, box.Bottom - box.Top);
    } else {
        wl_surface_damage(SurfaceObject, 0, 0, INT32_MAX, INT32_MAX);
    }
    static const wl_callback_listener listener = {OnFrameDone};
    Frame = wl_surface_frame(SurfaceObject);
    wl_callback_add_listener(Frame, &listener, this);
    wl_surface_commit(SurfaceObject);
    Damage.Clear();
    FramePixels.clear(), FrameBoxes.clear();
    FramePixelsComplete = true;
}

void OutputView::Service(Nanoseconds now)
{
    if (Frame || !Buffers.Allocated() || Wake() < 0 || Wake() > now || !Buffers.PrepareBack())
        return;
    Pixels = Buffers.BackPixels();
    EmulatedWindow& window = Figure.Enter();
    // Every tick due since the last frame, a pause's end among them.
    for (int drawn = 0; Running && drawn < 1000; drawn++) {
        if (PauseEnd >= 0) {
            if (now < PauseEnd)
                break;
            window.EndPause(Drawing);
            Due = PauseEnd + static_cast<Nanoseconds>(window.TimerInterval()) * NS_PER_MS;
            PauseEnd = -1;
            continue;
        }
        std::uint32_t interval = window.TimerInterval();
        if (interval == 0)
            break;
        Due = CatchUpFrom(Due, interval, now);
        if (now < Due)
            break;
        window.Tick(Drawing);
        Ticks++;
        if (window.PendingPause() != 0)
            PauseEnd = Due + static_cast<Nanoseconds>(window.PendingPause()) * NS_PER_MS;
        Due += static_cast<Nanoseconds>(interval) * NS_PER_MS;
        Running = !Owner.HasMaxTicks || Ticks < Owner.MaxTicks;
    }
    Pixels = nullptr;
    if (!Damage.Empty())
        Present();
}

Nanoseconds OutputView::Wake() const
{
    if (Frame || !Buffers.Allocated() || !Buffers.CanPrepare())
        return -1;
    if (!Damage.Empty())
        return 0;
    if (!Running)
        return -1;
    if (PauseEnd >= 0)
        return PauseEnd;
    return Due;
}

void OutputView::OnOutputGeometry(void*, wl_output*, std::int32_t, std::int32_t, std::int32_t, std::int32_t,
                                  std::int32_t, const char*, const char*, std::int32_t)
{
}

void OutputView::OnOutputMode(void*, wl_output*, std::uint32_t, std::int32_t, std::int32_t, std::int32_t) {}

void OutputView::OnOutputDone(void* data, wl_output*)
{
    OutputView* self = static_cast<OutputView*>(data);
    if (self->PendingScale != self->Scale) {
        self->Scale = self->PendingScale;
        if (self->LogicalWidth != 0)
            self->Replan();
    }
}

void OutputView::OnOutputScale(void* data, wl_output*, std::int32_t factor)
{
    static_cast<OutputView*>(data)->PendingScale = factor;
}

// sway sends several configures of one size: each is acknowledged and
// committed, and only a new size (or scale) draws again.
void OutputView::OnConfigure(void* data, zwlr_layer_surface_v1* layer, std::uint32_t serial, std::uint32_t width,
                             std::uint32_t height)
{
    OutputView* self = static_cast<OutputView*>(data);
    zwlr_layer_surface_v1_ack_configure(layer, serial);
    self->LogicalWidth = width;
    self->LogicalHeight = height;
    self->Replan();
    wl_surface_commit(self->SurfaceObject);
}

void OutputView::OnClosed(void* data, zwlr_layer_surface_v1*)
{
    static_cast<OutputView*>(data)->StopSurface();
}

void OutputView::OnPreferredScale(void* data, wp_fractional_scale_v1*, std::uint32_t scale)
{
    OutputView* self = static_cast<OutputView*>(data);
    if (scale != self->Fraction120) {
        self->Fraction120 = scale;
        if (self->LogicalWidth != 0)
            self->Replan();
    }
}

void OutputView::OnFrameDone(void* data, wl_callback* callback, std::uint32_t)
{
    OutputView* self = static_cast<OutputView*>(data);
    wl_callback_destroy(callback);
    self->Frame = nullptr;
}
