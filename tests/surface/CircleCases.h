// Full circles as GDI draws them: Arc with start = end on each side of the
// centre, for every box size from 0 to 161 pixels (radius 0 to 80, odd sizes
// too), inside a picture and across each of its edges and corners. One line
// per size and side holds a digest of each group of cases. GdiCircles.cpp
// writes GDI's lines into tests/data/gdi/circles.txt; CirclesTest.cpp
// compares the software surface's with them.
#pragma once
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "base/DrawSurface.h"

namespace circles {

const int Width = 176, Height = 168, LargestSize = 161;
const char* const Sides[] = {"left", "top", "right", "bottom"};
const char* const Groups = "inside, left edge, top edge, right edge, bottom edge, corners";

typedef std::function<void(DrawSurface&)> Drawing;
// Runs one drawing on a cleared Width x Height picture and returns its lit
// pixels as (y, x), sorted.
typedef std::function<std::vector<std::pair<int, int>>(const Drawing&)> Picture;

// The circle in the box at (left, top), its start `reach` half-sizes out on
// `side` of the centre; a flipped box has its corners swapped, as a negative
// radius gives.
inline Drawing Circle(int side, int left, int top, int size, bool flip, int reach)
{
    const int half = size / 2, ux[] = {-1, 0, 1, 0}, uy[] = {0, -1, 0, 1};
    const int xs = left + half + ux[side] * reach * half, ys = top + half + uy[side] * reach * half;
    return [=](DrawSurface& surface) {
        if (flip)
            surface.Arc(left + size, top + size, left, top, xs, ys, xs, ys);
        else
            surface.Arc(left, top, left + size, top + size, xs, ys, xs, ys);
    };
}

// "<side> <size>:" and one FNV-1a digest per group, each over its cases'
// pixels in order. An edge group crosses its edge by several depths.
inline std::string CaseLine(int side, int size, const Picture& picture)
{
    std::vector<int> depths;
    for (int depth : {1, size / 4, size / 2, 3 * size / 4, size - 1})
        if (depth >= 1 && depth < size && (depths.empty() || depth > depths.back()))
            depths.push_back(depth);
    const int right = Width - size, bottom = Height - size;
    std::vector<Drawing> groups[6];
    groups[0].push_back(Circle(side, 8, 4, size, false, 1));
    for (std::size_t i = 0; i < depths.size(); ++i) {
        const int d = depths[i];
        groups[1].push_back(Circle(side, -d, 4, size, true, 1));
        groups[2].push_back(Circle(side, 8, -d, size, false, 5));
        groups[3].push_back(Circle(side, right + d, 4, size, false, 1));
        groups[4].push_back(Circle(side, 8, bottom + d, size, true, 5));
        const int corner[4][2] = {{-d, -d}, {right + d, -d}, {right + d, bottom + d}, {-d, bottom + d}};
        groups[5].push_back(Circle(side, corner[i % 4][0], corner[i % 4][1], size, false, 1));
    }
    char text[160];
    int length = std::snprintf(text, sizeof text, "%s %d:", Sides[side], size);
    for (const std::vector<Drawing>& group : groups) {
        std::uint32_t hash = 2166136261u;
        auto add = [&hash](int value) {
            for (int shift : {0, 8})
                hash = (hash ^ ((static_cast<unsigned>(value) >> shift) & 0xFF)) * 16777619u;
        };
        for (const Drawing& drawing : group) {
            for (const std::pair<int, int>& pixel : picture(drawing)) {
                add(pixel.second);
                add(pixel.first);
            }
            add(0xFFFF);
        }
        length += std::snprintf(text + length, sizeof text - length, " %08x", static_cast<unsigned>(hash));
    }
    return text;
}

}  // namespace circles
