// GDI's lines of the circle cases (CircleCases.h), drawn through the saver's
// own GdiSurface into a DIB section. Without arguments it prints them (the
// reference data, see regenerate-circles.sh); given the data file, it
// compares this GDI's lines with it and prints those that differ.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

#include "CircleCases.h"
#include "host/GdiSurface.h"

int main(int argc, char** argv)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = circles::Width;
    info.bmiHeader.biHeight = -circles::Height;  // rows from the top
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!dc || !bitmap) {
        std::fprintf(stderr, "gdi_circles: no DIB section\n");
        return 2;
    }
    SelectObject(dc, bitmap);
    GdiSurface surface(dc);
    surface.SelectPen(0xFFFFFF);
    const std::uint32_t* pixels = static_cast<const std::uint32_t*>(bits);
    const circles::Picture picture = [&](const circles::Drawing& drawing) {
        std::memset(bits, 0, sizeof(std::uint32_t) * circles::Width * circles::Height);
        drawing(surface);
        GdiFlush();
        std::vector<std::pair<int, int>> lit;
        for (int y = 0; y < circles::Height; ++y)
            for (int x = 0; x < circles::Width; ++x)
                if (pixels[y * circles::Width + x] != 0)
                    lit.emplace_back(y, x);
        return lit;
    };

    std::ifstream expected;
    if (argc > 1) {
        expected.open(argv[1]);
        if (!expected) {
            std::fprintf(stderr, "gdi_circles: cannot read '%s'\n", argv[1]);
            return 2;
        }
    }
    int differ = 0;
    for (int size = 0; size <= circles::LargestSize; ++size)
        for (int side = 0; side < 4; ++side) {
            const std::string line = circles::CaseLine(side, size, picture);
            std::string stored;
            if (argc == 1)
                std::printf("%s\n", line.c_str());
            else if (!std::getline(expected, stored) || stored != line) {
                std::printf("GDI:  %s\nfile: %s\n", line.c_str(), stored.c_str());
                ++differ;
            }
        }
    if (argc > 1)
        std::printf("%d of %d lines differ (%s)\n", differ, 4 * (circles::LargestSize + 1), circles::Groups);
    return differ == 0 ? 0 : 1;
}
