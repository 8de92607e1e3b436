// The GIF89a format's pieces, written to a stream: the header with an
// endless loop, frames that each cover a rectangle of the canvas with their
// own colour table, and the trailer. Frames are compressed first (LzwEncoder)
// and written once their length on screen is known.
#pragma once
#include <cstdint>
#include <cstdio>
#include <vector>

// The string table of LzwEncoder, kept between frames: for each code and
// index, the code of the longer string, stamped with the table's generation
// so that starting again costs nothing (4 MiB).
struct LzwTable {
    std::vector<std::uint32_t> Entries = std::vector<std::uint32_t>(4096 * 256, 0);
    std::uint32_t Generation = 0;
};

// GIF's variable-length LZW: codes from minCodeSize + 1 bits up to 12,
// packed from the lowest bit, a clear code when the table is full.
class LzwEncoder {
public:
    // `minCodeSize` 2 to 8: the bits of a colour index. Appends to `out`.
    LzwEncoder(int minCodeSize, LzwTable& table, std::vector<std::uint8_t>& out);
    void Add(std::uint8_t index);
    // Writes the last string and the end code.
    void Finish();

private:
    void Emit(int code);
    void Reset();

    LzwTable& Table;
    std::vector<std::uint8_t>& Out;
    int ClearCode, CodeSize = 0, NextCode = 0;
    int Prefix = -1;            // the code of the string read so far, -1 before the first index
    std::uint32_t Pending = 0;  // bits not yet a whole byte
    int PendingBits = 0;
};

struct GifFrame {
    std::uint16_t Left = 0, Top = 0, Width = 0, Height = 0;
    std::uint16_t Delay = 0;  // hundredths of a second
    // Entry 0 is transparent; colours as 0x00BBGGRR.
    std::vector<std::uint32_t> Colours;
    int MinCodeSize = 2;
    std::vector<std::uint8_t> Data;  // the LzwEncoder's output
};

// The code size a colour table of `entries` needs: 2 to 8.
int GifCodeSize(std::size_t entries);

// Writes errors into the stream's error flag; the caller checks it.
void WriteGifHeader(std::FILE* file, std::uint16_t width, std::uint16_t height);
// Leaves the frame in place for the next to draw over.
void WriteGifFrame(std::FILE* file, const GifFrame& frame);
void WriteGifTrailer(std::FILE* file);
