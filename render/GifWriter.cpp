#include "render/GifWriter.h"

#include <cgif.h>
#include <sys/stat.h>

#include <cstdio>
#include <map>

GifWriter::GifWriter(std::string path, std::uint32_t width, std::uint32_t height, std::uint32_t every,
                     std::uint32_t ticks)
    : Path(std::move(path)), Width(width), Height(height), Every(every), Ticks(ticks)
{
}

GifWriter::~GifWriter()
{
    if (Gif)
        cgif_close(Gif);
}

bool GifWriter::Open()
{
    CGIF_Config config = {};
    config.path = Path.c_str();
    config.attrFlags = CGIF_ATTR_IS_ANIMATED | CGIF_ATTR_NO_GLOBAL_TABLE;
    config.width = static_cast<std::uint16_t>(Width);
    config.height = static_cast<std::uint16_t>(Height);
    config.numLoops = CGIF_INFINITE_LOOP;
    Gif = cgif_newgif(&config);
    return Gif != nullptr;
}

void GifWriter::TimerStarted(std::uint32_t milliseconds)
{
    TickMs = milliseconds;
}

void GifWriter::Paused(const Bitmap& bitmap, std::uint32_t milliseconds)
{
    Capture(bitmap);
    NowMs += milliseconds;
    PausedThisTick = true;
}

void GifWriter::Ticked(std::uint32_t tick, const Bitmap& bitmap)
{
    // A last tick that closed a figure ends on the closed figure its pause
    // captured, as the renderer's picture does.
    bool last = tick + 1 == Ticks;
    if (last ? !PausedThisTick : (tick + 1) % Every == 0)
        Capture(bitmap);
    PausedThisTick = false;
    NowMs += TickMs;
}

// Turns the pixels that differ from Shown into the pending frame: entry 0 of
// its palette is transparent, the colours follow. The frame before it is
// written now that its length is known.
void GifWriter::Capture(const Bitmap& bitmap)
{
    if (Failed)
        return;
    if (HasPending && !AddPending(NowMs)) {
        Failed = true;
        return;
    }
    std::size_t count = static_cast<std::size_t>(Width) * Height;
    bool first = Shown.empty();
    if (first)
        Shown.assign(count, 0);
    std::map<std::uint32_t, std::uint8_t> colours;
    std::vector<std::uint8_t> indices(count, 0);
    for (std::size_t i = 0; i < count; i++) {
        if (!first && bitmap.Pixels[i] == Shown[i])
            continue;
        auto found = colours.find(bitmap.Pixels[i]);
        if (found == colours.end()) {
            if (colours.size() == 255) {  // the palette is full
                Failed = true;
                return;
            }
            found = colours.emplace(bitmap.Pixels[i], static_cast<std::uint8_t>(colours.size() + 1)).first;
        }
        indices[i] = found->second;
        Shown[i] = bitmap.Pixels[i];
    }
    PendingEntries = static_cast<std::uint16_t>(colours.size() + 1);
    PendingPalette.assign(3 * 256, 0);  // the full table: the encoder may pad a short one
    for (const auto& entry : colours) {
        std::uint8_t* rgb = &PendingPalette[3 * entry.second];
        rgb[0] = entry.first & 0xFF;  // pixels are 0x00BBGGRR
        rgb[1] = (entry.first >> 8) & 0xFF;
        rgb[2] = (entry.first >> 16) & 0xFF;
    }
    PendingIndices.swap(indices);
    PendingMs = first ? 0 : NowMs;  // the first frame stands for the run from its start
    HasPending = true;
}

bool GifWriter::AddPending(std::uint64_t untilMs)
{
    // Whole hundredths from the run's start, so the rounding never adds up.
    std::uint64_t delay = untilMs / 10 - PendingMs / 10;
    CGIF_FrameConfig frame = {};
    frame.pImageData = PendingIndices.data();
    frame.pLocalPalette = PendingPalette.data();
    frame.numLocalPaletteEntries = PendingEntries;
    frame.attrFlags = CGIF_FRAME_ATTR_USE_LOCAL_TABLE | CGIF_FRAME_ATTR_HAS_SET_TRANS;
    frame.genFlags = CGIF_FRAME_GEN_USE_DIFF_WINDOW;
    frame.transIndex = 0;
    frame.delay = static_cast<std::uint16_t>(delay == 0 ? 1 : delay > 65535 ? 65535 : delay);
    HasPending = false;
    return cgif_addframe(Gif, &frame) == CGIF_OK;
}

bool GifWriter::Finish(const Bitmap& last, bool keep)
{
    Failed = Failed || !keep;
    if (Shown.empty() && !Failed)
        Capture(last);  // no tick: the erased window
    bool written = !Failed && HasPending && AddPending(NowMs);
    if (Gif) {
        written = cgif_close(Gif) == CGIF_OK && written;
        Gif = nullptr;
    }
    struct stat status;
    if (!written && stat(Path.c_str(), &status) == 0 && S_ISREG(status.st_mode))
        std::remove(Path.c_str());
    return written;
}
