// WritePng round trip through libpng's reader.
#include <gtest/gtest.h>

#include <png.h>

#include <cstdio>
#include <string>

#include "render/PngWriter.h"
#include "tests/render/TempFiles.h"

TEST(RenderPng, WritesRgbThatReadsBack)
{
    Bitmap bitmap(5, 3);
    for (std::size_t i = 0; i < bitmap.Pixels.size(); ++i)
        bitmap.Pixels[i] = static_cast<Colour>(0x010203 * i + 0x00400080);  // 0x00BBGGRR
    TempFile path("picture.png");
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    EXPECT_TRUE(WritePng(bitmap, file));
    ASSERT_EQ(std::fclose(file), 0);

    png_image image = {};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_file(&image, path.c_str()));
    ASSERT_EQ(image.width * 100 + image.height, 503u);
    image.format = PNG_FORMAT_RGB;
    std::vector<png_byte> rgb(PNG_IMAGE_SIZE(image));
    ASSERT_TRUE(png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr));
    for (std::size_t i = 0; i < rgb.size(); ++i)
        EXPECT_EQ(rgb[i], (bitmap.Pixels[i / 3] >> (8 * (i % 3))) & 0xFF) << "byte " << i;
}

// libpng's failures come back as false, not as a jump out of the program.
TEST(RenderPng, FailsForAnEmptyPictureOrAStreamThatCannotWrite)
{
    TempFile path("refused.png");
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    EXPECT_FALSE(WritePng(Bitmap(0, 7), file));  // PNG has no empty pictures
    std::fclose(file);
    file = std::fopen(path.c_str(), "rb");  // writes to it fail
    ASSERT_NE(file, nullptr);
    EXPECT_FALSE(WritePng(Bitmap(300, 300), file));
    std::fclose(file);
}
