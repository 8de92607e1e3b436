// Test vectors read back from GDI, and pixel lists to compare them with.
#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "render/SoftwareSurface.h"

typedef std::pair<std::int64_t, std::int64_t> Pixel;  // x, y

// One line of a data file: the text before the colon, the pixels after it.
struct GdiVector {
    std::string Head;
    std::vector<Pixel> Pixels;
};

// Reads tests/data/gdi/<name>; an unreadable file gives no vectors.
std::vector<GdiVector> LoadGdiVectors(const char* name);

// The pixels that are not black, sorted.
std::vector<Pixel> LitPixels(const Bitmap& bitmap);

// The pixels moved by (dx, dy), less those off the bitmap, sorted.
std::vector<Pixel> Placed(const std::vector<Pixel>& pixels, std::int64_t dx, std::int64_t dy, const Bitmap& bitmap);
