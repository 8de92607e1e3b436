// RGB, 8 bits a channel, no interlacing.
#include "render/PngWriter.h"

#include <png.h>

#include <cstdio>
#include <vector>

namespace {

// The caller reports the failure in its own words; libpng stays quiet.
void QuietError(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

void QuietWarning(png_structp, png_const_charp) {}

// libpng reports errors by longjmp; nothing with a destructor lives in here.
bool WriteRows(std::FILE* file, const Bitmap& bitmap, png_byte* row)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, QuietError, QuietWarning);
    if (!png)
        return false;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(bitmap.Width), static_cast<png_uint_32>(bitmap.Height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (std::int32_t y = 0; y < bitmap.Height; ++y) {
        for (std::int32_t x = 0; x < bitmap.Width; ++x) {
            const Colour c = bitmap.At(x, y);  // 0x00BBGGRR
            row[3 * x] = static_cast<png_byte>(c & 0xFF);
            row[3 * x + 1] = static_cast<png_byte>((c >> 8) & 0xFF);
            row[3 * x + 2] = static_cast<png_byte>((c >> 16) & 0xFF);
        }
        png_write_row(png, row);
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

bool WritePng(const Bitmap& bitmap, std::FILE* file)
{
    if (!file || bitmap.Width <= 0 || bitmap.Height <= 0)
        return false;  // PNG has no empty pictures
    std::vector<png_byte> row(static_cast<std::size_t>(bitmap.Width) * 3);
    return WriteRows(file, bitmap, row.data());
}
