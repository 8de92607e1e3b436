// What changed on a picture, kept as the 32 x 32 tiles it touched and handed
// to the compositor as few boxes: a run of touched tiles along a row, joined
// with the same run in the rows below. A figure's outline touches a thin
// ring of tiles; its bounding box would make the compositor repaint the
// whole inside every frame (at 4K, many times the outline), and a box per
// pixel costs the compositor per box (2.9 times one box at 4K).
#pragma once
#include <cstdint>
#include <vector>

// Right and bottom excluded.
struct Box {
    std::int32_t Left, Top, Right, Bottom;
};

const int TILE_SHIFT = 5;

class DamageTiles {
public:
    // A picture of width x height, nothing touched. The only call that
    // allocates.
    void Resize(std::int32_t width, std::int32_t height);
    // One pixel; outside the picture it is ignored.
    void AddPoint(std::int32_t x, std::int32_t y)
    {
        if (x >= 0 && y >= 0 && x < Width && y < Height)
            Mark((y >> TILE_SHIFT) * Columns + (x >> TILE_SHIFT));
    }
    // The tiles under `box`, clipped to the picture.
    void Add(Box box);
    // Everything `other` (of the same size) touched.
    void Add(const DamageTiles& other);
    void Clear();
    bool Empty() const { return Touched.empty(); }
    // The touched tiles as boxes, clipped to the picture, into `out`
    // (emptied first; it keeps its room).
    void Boxes(std::vector<Box>& out) const;

private:
    void Mark(std::size_t tile)
    {
        if (!Set[tile]) {
            Set[tile] = 1;
            Touched.push_back(static_cast<std::uint32_t>(tile));
        }
    }

    std::int32_t Width = 0, Height = 0;
    std::int32_t Columns = 0, Rows = 0;
    std::vector<std::uint8_t> Set;                      // per tile, row after row
    std::vector<std::uint32_t> Touched;                 // the set tiles, to clear and bound them
    mutable std::vector<std::uint32_t> Open, NextOpen;  // Boxes' room, kept between calls
};
