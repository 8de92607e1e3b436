// What the page calls: one figure's window life on the software surface,
// the settings by the saver's rules, and the saver's close rules. One module
// instance runs one figure at a time (the engine's records are process-wide).
#include <emscripten/emscripten.h>

#include <cstdint>
#include <string>

#include "hostrules/CloseRules.h"
#include "raster/EmulatedWindow.h"
#include "web/CanvasSink.h"
#include "web/PageFacts.h"
#include "web/PageSettings.h"
#include "web/PanelNotes.h"
#include "web/ProgramsLine.h"
#include "web/StillLimits.h"

namespace {

PageSettings Page;
CanvasSink Sink;
SoftwareSurface Surface(Sink, 0, 0);
EmulatedWindow Window(0, nullptr);
ChangedRect Changed;
std::string Text;  // the last text handed out

void StoredValues(std::uint32_t (&values)[SETTINGS_VALUE_COUNT])
{
    for (int i = 0; i < SETTINGS_VALUE_COUNT; i++)
        values[i] = Page.Stored(i);
}

bool ValidIndex(int index)
{
    return index >= 0 && index < SETTINGS_VALUE_COUNT;
}

const char* HandOut(std::string text)
{
    Text = std::move(text);
    return Text.c_str();
}

void Fit(std::int32_t width, std::int32_t height)
{
    Sink.Resize(width, height);
    Surface.Resize(width, height);
    Window.Size(static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height));
    Window.EraseBackground(Surface);
}

}  // namespace

extern "C" {

// The panel's facts as JSON (see PageFacts.h).
EMSCRIPTEN_KEEPALIVE const char* ox_facts()
{
    return HandOut(PageFactsJson());
}

EMSCRIPTEN_KEEPALIVE void ox_clear()
{
    Page.Clear();
}
// `length` bytes of text: a NUL among them makes the value unreadable.
EMSCRIPTEN_KEEPALIVE void ox_give(int index, const char* text, std::uint32_t length)
{
    if (ValidIndex(index))
        Page.Give(index, text, length);
}
EMSCRIPTEN_KEEPALIVE std::uint32_t ox_load()
{
    return Page.Load();
}
EMSCRIPTEN_KEEPALIVE std::uint32_t ox_stored(int index)
{
    return ValidIndex(index) ? Page.Stored(index) : 0;
}
// The panel's notes (see PanelNotes.h), from the stored values.
EMSCRIPTEN_KEEPALIVE const char* ox_odd_note(int index)
{
    return HandOut(ValidIndex(index) ? OddValueNote(index, Page.Stored(index)) : "");
}
EMSCRIPTEN_KEEPALIVE const char* ox_locked_note(int index, std::uint32_t choice)
{
    std::uint32_t stored[SETTINGS_VALUE_COUNT];
    StoredValues(stored);
    return HandOut(ValidIndex(index) ? LockedNote(index, choice, stored) : "");
}
EMSCRIPTEN_KEEPALIVE const char* ox_entry_note(int index, const char* text)
{
    return HandOut(ValidIndex(index) ? EntryNote(index, text, Page.Stored(index)) : "");
}
EMSCRIPTEN_KEEPALIVE int ox_enter(int index, const char* text)
{
    return Page.Enter(index, text);
}
EMSCRIPTEN_KEEPALIVE void ox_choose(int index, std::uint32_t value)
{
    Page.Choose(index, value);
}
EMSCRIPTEN_KEEPALIVE const char* ox_registry_file()
{
    return HandOut(Page.RegistryFile());
}
EMSCRIPTEN_KEEPALIVE const char* ox_linux_file()
{
    return HandOut(Page.LinuxFile());
}
EMSCRIPTEN_KEEPALIVE const char* ox_programs_line()
{
    std::uint32_t stored[SETTINGS_VALUE_COUNT];
    StoredValues(stored);
    return HandOut(ProgramsLine(stored));
}

// A new figure from the stored values, on a black width x height canvas.
EMSCRIPTEN_KEEPALIVE void ox_start(std::uint32_t seed, std::int32_t width, std::int32_t height)
{
    Window = EmulatedWindow(seed, nullptr);
    Window.Create(Page.Values());
    Fit(width, height);
}
// The window's new size, as the saver's size event; the canvas is black again.
EMSCRIPTEN_KEEPALIVE void ox_resize(std::int32_t width, std::int32_t height)
{
    Fit(width, height);
}
// One timer tick; returns the pause it leaves pending in milliseconds, 0 for none.
EMSCRIPTEN_KEEPALIVE std::uint32_t ox_tick()
{
    Window.Tick(Surface);
    return Window.PendingPause();
}
EMSCRIPTEN_KEEPALIVE void ox_end_pause()
{
    Window.EndPause(Surface);
}
EMSCRIPTEN_KEEPALIVE std::uint32_t ox_interval()
{
    return Window.TimerInterval();
}
// A still picture's size and ticks as the page can hold them (StillLimits.h):
// width, height, ticks, then 1 for each that was cut.
EMSCRIPTEN_KEEPALIVE const std::uint32_t* ox_limit_still(std::uint32_t width, std::uint32_t height, std::uint32_t ticks)
{
    StillSize limited = LimitStill(width, height, ticks);
    static std::uint32_t out[6];
    out[0] = limited.Width;
    out[1] = limited.Height;
    out[2] = limited.Ticks;
    out[3] = limited.WidthCut;
    out[4] = limited.HeightCut;
    out[5] = limited.TicksCut;
    return out;
}
// `ticks` ticks at once, each pause ended at once, but a pause after the
// last tick when `last`: as the headless renderer runs them, a still
// picture runs in slices of this and its last slice draws the renderer's.
EMSCRIPTEN_KEEPALIVE void ox_run(std::uint32_t ticks, int last)
{
    for (std::uint32_t tick = 0; tick < ticks; tick++) {
        Window.Tick(Surface);
        if (Window.PendingPause() != 0 && !(last && tick + 1 == ticks))
            Window.EndPause(Surface);
    }
}
EMSCRIPTEN_KEEPALIVE const std::uint32_t* ox_pixels()
{
    return Sink.Pixels();
}
// The rectangle changed since the last call: left, top, right, bottom.
EMSCRIPTEN_KEEPALIVE const std::int32_t* ox_changed()
{
    Changed = Sink.TakeChanged();
    return &Changed.Left;
}

// The saver's close rules: a window message (see CloseRules.h) and pointer travel.
EMSCRIPTEN_KEEPALIVE int ox_input_closes(std::uint32_t message, std::uint32_t wParam)
{
    return InputAsksToClose(message, wParam);
}
EMSCRIPTEN_KEEPALIVE int ox_travel_closes(std::int32_t fromX, std::int32_t fromY, std::int32_t x, std::int32_t y)
{
    return TravelAsksToClose({fromX, fromY}, {x, y}, MOUSE_THRESHOLD);
}

}  // extern "C"
