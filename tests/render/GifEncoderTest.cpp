// The GIF LZW encoder against a decoder written from the format's rules:
// every index comes back, through table resets and code widths up to 12 bits.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "render/GifEncoder.h"

namespace {

// Codes read from the lowest bit; a new code widens the reading once the
// table's next entry needs one bit more. Empty on any broken code.
std::vector<std::uint8_t> Decode(const std::vector<std::uint8_t>& data, int minCodeSize)
{
    const int clear = 1 << minCodeSize, end = clear + 1;
    std::vector<std::vector<std::uint8_t>> table;
    std::vector<std::uint8_t> out;
    int size = minCodeSize + 1, previous = -1;
    std::size_t bit = 0;
    auto reset = [&] {
        table.assign(static_cast<std::size_t>(clear + 2), {});
        for (int i = 0; i < clear; i++)
            table[static_cast<std::size_t>(i)] = {static_cast<std::uint8_t>(i)};
        size = minCodeSize + 1;
        previous = -1;
    };
    reset();
    for (;;) {
        if (bit + static_cast<std::size_t>(size) > data.size() * 8)
            return {};  // no end code
        int code = 0;
        for (int i = 0; i < size; i++, bit++)
            code |= ((data[bit / 8] >> (bit % 8)) & 1) << i;
        if (code == clear) {
            reset();
            continue;
        }
        if (code == end)
            return out;
        std::vector<std::uint8_t> entry;
        if (code < static_cast<int>(table.size()) && (code >= clear + 2 || code < clear))
            entry = table[static_cast<std::size_t>(code)];
        else if (code == static_cast<int>(table.size()) && previous >= 0) {
            entry = table[static_cast<std::size_t>(previous)];
            entry.push_back(entry[0]);
        } else
            return {};
        if (previous >= 0 && table.size() < 4096) {
            std::vector<std::uint8_t> added = table[static_cast<std::size_t>(previous)];
            added.push_back(entry[0]);
            table.push_back(added);
        }
        if (table.size() == (std::size_t(1) << size) && size < 12)
            size++;
        out.insert(out.end(), entry.begin(), entry.end());
        previous = code;
    }
}

}  // namespace

TEST(GifEncoder, RoundTrips)
{
    std::uint32_t random = 12345;
    auto next = [&] { return random = random * 1103515245u + 12345u; };
    const struct {
        const char* Name;
        int MinCodeSize;
        std::size_t Count;
        int Kind;  // 0 all zero, 1 random, 2 runs of random length
    } cases[] = {
        {"one index", 2, 1, 1},          {"all transparent", 2, 200000, 0}, {"random 2 bits", 2, 100000, 1},
        {"random 8 bits", 8, 100000, 1}, {"runs of 5 bits", 5, 300000, 2},  {"just enough to fill", 3, 4000, 1},
    };
    LzwTable table;
    for (const auto& c : cases) {
        std::vector<std::uint8_t> indices;
        std::uint8_t value = 0;
        while (indices.size() < c.Count) {
            value = static_cast<std::uint8_t>((next() >> 16) % (1u << c.MinCodeSize));
            std::size_t run = c.Kind == 2 ? (next() >> 16) % 40 + 1 : 1;
            for (std::size_t i = 0; i < run && indices.size() < c.Count; i++)
                indices.push_back(c.Kind == 0 ? 0 : value);
        }
        std::vector<std::uint8_t> data;
        LzwEncoder encoder(c.MinCodeSize, table, data);
        for (std::uint8_t index : indices)
            encoder.Add(index);
        encoder.Finish();
        EXPECT_TRUE(Decode(data, c.MinCodeSize) == indices) << c.Name;
    }
}

TEST(GifEncoder, CodeSizeFitsTheTable)
{
    const std::pair<std::size_t, int> cases[] = {{1, 2}, {2, 2}, {4, 2}, {5, 3}, {16, 4}, {17, 5}, {256, 8}};
    for (const auto& c : cases)
        EXPECT_EQ(GifCodeSize(c.first), c.second) << c.first << " entries";
}
