#include "wayland/DamageTiles.h"

#include <algorithm>

void DamageTiles::Resize(std::int32_t width, std::int32_t height)
{
    Width = width > 0 && height > 0 ? width : 0;
    Height = width > 0 && height > 0 ? height : 0;
    const std::int32_t tile = 1 << TILE_SHIFT;
    Columns = (Width + tile - 1) / tile;
    Rows = (Height + tile - 1) / tile;
    std::size_t count = static_cast<std::size_t>(Columns) * static_cast<std::size_t>(Rows);
    Set.assign(count, 0);
    Touched.clear();
    Touched.reserve(count);
    Open.reserve(static_cast<std::size_t>(Columns) + 1);
    NextOpen.reserve(static_cast<std::size_t>(Columns) + 1);
}

void DamageTiles::Add(Box box)
{
    box.Left = std::max(box.Left, 0), box.Top = std::max(box.Top, 0);
    box.Right = std::min(box.Right, Width), box.Bottom = std::min(box.Bottom, Height);
    if (box.Left >= box.Right || box.Top >= box.Bottom)
        return;
    for (std::int32_t row = box.Top >> TILE_SHIFT; row <= (box.Bottom - 1) >> TILE_SHIFT; row++)
        for (std::int32_t column = box.Left >> TILE_SHIFT; column <= (box.Right - 1) >> TILE_SHIFT; column++)
            Mark(static_cast<std::size_t>(row) * Columns + column);
}

void DamageTiles::Add(const DamageTiles& other)
{
    if (other.Set.size() != Set.size())
        return;
    for (std::uint32_t tile : other.Touched)
        Mark(tile);
}

void DamageTiles::Clear()
{
    for (std::uint32_t tile : Touched)
        Set[tile] = 0;
    Touched.clear();
}

void DamageTiles::Boxes(std::vector<Box>& out) const
{
    out.clear();
    if (Touched.empty())
        return;
    std::uint32_t first = *std::min_element(Touched.begin(), Touched.end());
    std::uint32_t last = *std::max_element(Touched.begin(), Touched.end());
    // The boxes that reach down to the row being read, in `out`, and those
    // that reach below it.
    Open.clear(), NextOpen.clear();
    for (std::int32_t row = static_cast<std::int32_t>(first) / Columns;
         row <= static_cast<std::int32_t>(last) / Columns; row++) {
        const std::uint8_t* set = &Set[static_cast<std::size_t>(row) * Columns];
        std::int32_t top = row << TILE_SHIFT, bottom = std::min((row + 1) << TILE_SHIFT, Height);
        for (std::int32_t column = 0; column < Columns;) {
            if (!set[column]) {
                column++;
                continue;
            }
            std::int32_t end = column;
            while (end < Columns && set[end])
                end++;
            std::int32_t left = column << TILE_SHIFT, right = std::min(end << TILE_SHIFT, Width);
            // The same run in the row above grows down; otherwise a new box.
            std::uint32_t at = static_cast<std::uint32_t>(out.size());
            for (std::uint32_t i : Open)
                if (out[i].Left == left && out[i].Right == right)
                    at = i;
            if (at == out.size())
                out.push_back(Box{left, top, right, bottom});
            else
                out[at].Bottom = bottom;
            NextOpen.push_back(at);
            column = end;
        }
        Open.swap(NextOpen);
        NextOpen.clear();
    }
}
