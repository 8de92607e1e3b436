// Test vectors read back from GDI, and pixel lists to compare them with.
#pragma once
#include <algorithm>
#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "raster/SoftwareSurface.h"

typedef std::pair<std::int64_t, std::int64_t> Pixel;  // x, y

// One line of a data file: the text before the colon, the pixels after it.
struct GdiVector {
    std::string Head;
    std::vector<Pixel> Pixels;
};

// Reads tests/data/gdi/<name>; an unreadable file gives no vectors.
inline std::vector<GdiVector> LoadGdiVectors(const char* name)
{
    std::vector<GdiVector> vectors;
    std::ifstream file(std::string(ORBILUX_GDI_DATA) + "/" + name);
    std::string line;
    while (std::getline(file, line)) {
        const std::size_t colon = line.find(':');
        vectors.push_back({line.substr(0, colon), {}});
        std::istringstream rest(colon == std::string::npos ? "" : line.substr(colon + 1));
        long long x, y;
        char comma;
        while (rest >> x >> comma >> y)
            vectors.back().Pixels.emplace_back(x, y);
    }
    return vectors;
}

// The pixels of the bitmap that are not black, sorted.
inline std::vector<Pixel> LitPixels(const Bitmap& bitmap)
{
    std::vector<Pixel> lit;
    for (std::int32_t x = 0; x < bitmap.Width; ++x)
        for (std::int32_t y = 0; y < bitmap.Height; ++y)
            if (bitmap.At(x, y) != 0)
                lit.emplace_back(x, y);
    return lit;
}

// The pixels moved by (dx, dy), less those off the bitmap, sorted.
inline std::vector<Pixel> Placed(std::vector<Pixel> pixels, std::int64_t dx, std::int64_t dy, const Bitmap& bitmap)
{
    std::vector<Pixel> placed;
    for (const Pixel& p : pixels)
        if (p.first + dx >= 0 && p.second + dy >= 0 && p.first + dx < bitmap.Width && p.second + dy < bitmap.Height)
            placed.emplace_back(p.first + dx, p.second + dy);
    std::sort(placed.begin(), placed.end());
    placed.erase(std::unique(placed.begin(), placed.end()), placed.end());
    return placed;
}
