#include "render/GifEncoder.h"

#include <algorithm>

namespace {

const int MAX_CODES = 4096;  // 12-bit codes
const int CODE_BITS = 12;    // an entry: generation << 12 | code

void Put16(std::FILE* file, std::uint16_t value)
{
    std::fputc(value & 0xFF, file);
    std::fputc(value >> 8, file);
}

}  // namespace

int GifCodeSize(std::size_t entries)
{
    int bits = 2;
    while ((std::size_t(1) << bits) < entries)
        bits++;
    return bits;
}

LzwEncoder::LzwEncoder(int minCodeSize, LzwTable& table, std::vector<std::uint8_t>& out)
    : Table(table), Out(out), ClearCode(1 << minCodeSize)
{
    Reset();
    Emit(ClearCode);
}

void LzwEncoder::Reset()
{
    if (++Table.Generation == (1u << (32 - CODE_BITS))) {  // the stamps wrap: really empty it
        std::fill(Table.Entries.begin(), Table.Entries.end(), 0);
        Table.Generation = 1;
    }
    NextCode = ClearCode + 2;
    CodeSize = 0;
    while ((1 << CodeSize) <= ClearCode)  // one bit more than an index: room for the clear and end codes
        CodeSize++;
}

void LzwEncoder::Emit(int code)
{
    Pending |= static_cast<std::uint32_t>(code) << PendingBits;
    PendingBits += CodeSize;
    while (PendingBits >= 8) {
        Out.push_back(static_cast<std::uint8_t>(Pending & 0xFF));
        Pending >>= 8;
        PendingBits -= 8;
    }
}

void LzwEncoder::Add(std::uint8_t index)
{
    if (Prefix < 0) {
        Prefix = index;
        return;
    }
    std::uint32_t& entry =
        Table.Entries[static_cast<std::size_t>(index) * MAX_CODES + static_cast<std::size_t>(Prefix)];
    if (entry >> CODE_BITS == Table.Generation) {
        Prefix = static_cast<int>(entry & (MAX_CODES - 1));
        return;
    }
    Emit(Prefix);
    Prefix = index;
    if (NextCode < MAX_CODES) {
        entry = Table.Generation << CODE_BITS | static_cast<std::uint32_t>(NextCode);
        // The decoder adds this code one step later, and widens its codes
        // once it has used every code of the current width.
        if (NextCode++ == (1 << CodeSize) && CodeSize < 12)
            CodeSize++;
    } else {
        Emit(ClearCode);
        Reset();
    }
}

void LzwEncoder::Finish()
{
    if (Prefix >= 0)
        Emit(Prefix);
    Emit(ClearCode + 1);
    if (PendingBits > 0)
        Out.push_back(static_cast<std::uint8_t>(Pending & 0xFF));
    Pending = 0;
    PendingBits = 0;
}

void WriteGifHeader(std::FILE* file, std::uint16_t width, std::uint16_t height)
{
    std::fputs("GIF89a", file);
    Put16(file, width);
    Put16(file, height);
    const std::uint8_t rest[] = {0, 0, 0,  // no global colour table, background, aspect
                                 // NETSCAPE2.0: loop count 0, for ever
                                 0x21, 0xFF, 11, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0', 3, 1, 0, 0, 0};
    std::fwrite(rest, 1, sizeof rest, file);
}

void WriteGifFrame(std::FILE* file, const GifFrame& frame)
{
    // Graphic control: left in place (disposal 1), entry 0 transparent.
    const std::uint8_t control[] = {0x21, 0xF9, 4, (1 << 2) | 1};
    std::fwrite(control, 1, sizeof control, file);
    Put16(file, frame.Delay);
    std::fputc(0, file);  // the transparent entry
    std::fputc(0, file);

    std::fputc(0x2C, file);
    Put16(file, frame.Left);
    Put16(file, frame.Top);
    Put16(file, frame.Width);
    Put16(file, frame.Height);
    int tableBits = 1;
    while ((std::size_t(1) << tableBits) < frame.Colours.size())
        tableBits++;
    std::fputc(0x80 | (tableBits - 1), file);  // a local table of 2^tableBits entries
    for (std::size_t i = 0; i < (std::size_t(1) << tableBits); i++) {
        std::uint32_t c = i < frame.Colours.size() ? frame.Colours[i] : 0;
        const std::uint8_t rgb[] = {std::uint8_t(c & 0xFF), std::uint8_t((c >> 8) & 0xFF),
                                    std::uint8_t((c >> 16) & 0xFF)};
        std::fwrite(rgb, 1, 3, file);
    }

    std::fputc(frame.MinCodeSize, file);
    for (std::size_t at = 0; at < frame.Data.size(); at += 255) {
        std::size_t length = std::min<std::size_t>(255, frame.Data.size() - at);
        std::fputc(static_cast<int>(length), file);
        std::fwrite(frame.Data.data() + at, 1, length, file);
    }
    std::fputc(0, file);
}

void WriteGifTrailer(std::FILE* file)
{
    std::fputc(0x3B, file);
}
