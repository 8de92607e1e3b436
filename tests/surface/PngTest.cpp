// WritePng round trip through libpng's reader.
#include <gtest/gtest.h>

#include <png.h>

#include <cstdio>
#include <string>

#include "render/PngWriter.h"

TEST(SurfacePng, WritesRgbThatReadsBackAndFailsWithoutAFile)
{
    Bitmap bitmap(5, 3);
    for (std::size_t i = 0; i < bitmap.Pixels.size(); ++i)
        bitmap.Pixels[i] = static_cast<Colour>(0x010203 * i + 0x00400080);  // 0x00BBGGRR
    const std::string path = testing::TempDir() + "orbilux-surface-test.png";
    ASSERT_TRUE(WritePng(bitmap, path.c_str()));

    png_image image = {};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_file(&image, path.c_str()));
    ASSERT_EQ(image.width * 100 + image.height, 503u);
    image.format = PNG_FORMAT_RGB;
    std::vector<png_byte> rgb(PNG_IMAGE_SIZE(image));
    ASSERT_TRUE(png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr));
    for (std::size_t i = 0; i < rgb.size(); ++i)
        EXPECT_EQ(rgb[i], (bitmap.Pixels[i / 3] >> (8 * (i % 3))) & 0xFF) << "byte " << i;
    std::remove(path.c_str());

    EXPECT_FALSE(WritePng(bitmap, (testing::TempDir() + "no-such-folder/x.png").c_str()));
    EXPECT_FALSE(WritePng(Bitmap(0, 7), path.c_str()));  // PNG has no empty pictures
    EXPECT_EQ(std::fopen(path.c_str(), "rb"), nullptr);
}
