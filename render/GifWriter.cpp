#include "render/GifWriter.h"

#include <unordered_map>

GifWriter::GifWriter(std::FILE* file, Bitmap& bitmap, std::uint32_t every, std::uint32_t ticks)
    : File(file), Picture(bitmap), Changes(bitmap), Every(every), Ticks(ticks)
{
    WriteGifHeader(File, static_cast<std::uint16_t>(bitmap.Width), static_cast<std::uint16_t>(bitmap.Height));
}

void GifWriter::TimerStarted(std::uint32_t milliseconds)
{
    TickMs = milliseconds;
}

void GifWriter::Paused(const Bitmap&, std::uint32_t milliseconds)
{
    Capture();
    NowMs += milliseconds;
    PausedThisTick = true;
}

void GifWriter::Ticked(std::uint32_t tick, const Bitmap&)
{
    // A last tick that closed a figure ends on the closed figure its pause
    // captured, as the renderer's picture does.
    bool last = tick + 1 == Ticks;
    if (last ? !PausedThisTick : (tick + 1) % Every == 0)
        Capture();
    PausedThisTick = false;
    NowMs += TickMs;
}

// Makes the pending frame from the changed pixels: entry 0 of its table is
// transparent, the colours follow in the order met. With nothing changed it
// is one transparent pixel, which keeps the frame's time.
void GifWriter::Capture()
{
    if (!Error.empty())
        return;
    if (HasPending)
        WritePending(NowMs);
    std::int32_t left = 0, top = 0, right = Picture.Width, bottom = Picture.Height;
    if (!First)
        left = Changes.Left, top = Changes.Top, right = Changes.Right, bottom = Changes.Bottom;
    bool none = left == right;
    if (none)
        right = bottom = 1;

    std::unordered_map<std::uint32_t, std::uint8_t> index;
    Pending.Colours.assign(1, 0);
    for (std::int32_t y = top; y < bottom && !none; y++)
        for (std::int32_t x = left; x < right; x++) {
            if (!Opaque(x, y) || index.count(Picture.At(x, y)))
                continue;
            if (Pending.Colours.size() == 256) {
                Error = "a frame has more than 255 colours";
                return;
            }
            index.emplace(Picture.At(x, y), static_cast<std::uint8_t>(Pending.Colours.size()));
            Pending.Colours.push_back(Picture.At(x, y));
        }

    Pending.Left = static_cast<std::uint16_t>(left);
    Pending.Top = static_cast<std::uint16_t>(top);
    Pending.Width = static_cast<std::uint16_t>(right - left);
    Pending.Height = static_cast<std::uint16_t>(bottom - top);
    Pending.MinCodeSize = GifCodeSize(Pending.Colours.size());
    Pending.Data.clear();
    LzwEncoder lzw(Pending.MinCodeSize, Table, Pending.Data);
    Colour lastColour = 0;
    std::uint8_t lastIndex = 0;
    for (std::int32_t y = top; y < bottom; y++)
        for (std::int32_t x = left; x < right; x++) {
            std::uint8_t entry = 0;
            if (!none && Opaque(x, y)) {
                Colour c = Picture.At(x, y);
                if (lastIndex == 0 || c != lastColour)
                    lastColour = c, lastIndex = index[c];
                entry = lastIndex;
            }
            lzw.Add(entry);
        }
    lzw.Finish();
    Changes.Forget();
    PendingMs = First ? 0 : NowMs;  // the first frame stands for the run from its start
    First = false;
    HasPending = true;
}

void GifWriter::WritePending(std::uint64_t untilMs)
{
    // Whole hundredths from the run's start, so the rounding never adds up.
    std::uint64_t delay = untilMs / 10 - PendingMs / 10;
    Pending.Delay = static_cast<std::uint16_t>(delay == 0 ? 1 : delay > 65535 ? 65535 : delay);
    WriteGifFrame(File, Pending);
    HasPending = false;
}

bool GifWriter::Finish(std::string& error)
{
    if (First)
        Capture();  // no tick: the erased window
    if (HasPending && Error.empty())
        WritePending(NowMs);
    WriteGifTrailer(File);
    error = Error;
    return Error.empty();
}
