#include "GdiVectors.h"

#include <algorithm>
#include <fstream>
#include <sstream>

std::vector<GdiVector> LoadGdiVectors(const char* name)
{
    std::vector<GdiVector> vectors;
    std::ifstream file(std::string(ORBILUX_GDI_DATA) + "/" + name);
    std::string line;
    while (std::getline(file, line)) {
        const std::size_t colon = line.find(':');
        if (colon == std::string::npos)
            continue;
        GdiVector v;
        v.Head = line.substr(0, colon);
        std::istringstream rest(line.substr(colon + 1));
        long long x, y;
        char comma;
        while (rest >> x >> comma >> y)
            v.Pixels.emplace_back(x, y);
        vectors.push_back(v);
    }
    return vectors;
}

std::vector<Pixel> LitPixels(const Bitmap& bitmap)
{
    std::vector<Pixel> lit;
    for (std::int32_t y = 0; y < bitmap.Height; ++y)
        for (std::int32_t x = 0; x < bitmap.Width; ++x)
            if (bitmap.At(x, y) != 0)
                lit.emplace_back(x, y);
    std::sort(lit.begin(), lit.end());
    return lit;
}

std::vector<Pixel> Placed(const std::vector<Pixel>& pixels, std::int64_t dx, std::int64_t dy, const Bitmap& bitmap)
{
    std::vector<Pixel> placed;
    for (const Pixel& p : pixels) {
        const std::int64_t x = p.first + dx, y = p.second + dy;
        if (x >= 0 && y >= 0 && x < bitmap.Width && y < bitmap.Height)
            placed.emplace_back(x, y);
    }
    std::sort(placed.begin(), placed.end());
    placed.erase(std::unique(placed.begin(), placed.end()), placed.end());
    return placed;
}
