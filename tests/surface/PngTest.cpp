// WritePng round trip through libpng's reader.
#include <gtest/gtest.h>

#include <png.h>

#include <cstdio>
#include <string>

#include "render/PngWriter.h"

namespace {

TEST(SurfacePng, WritesRgbThatReadsBackAndFailsCleanly)
{
    Bitmap bitmap(5, 3);
    for (std::size_t i = 0; i < bitmap.Pixels.size(); ++i)
        bitmap.Pixels[i] = static_cast<Colour>(0x010203 * i + 0x00400080);
    const std::string path = testing::TempDir() + "orbilux-surface-test.png";
    ASSERT_TRUE(WritePng(bitmap, path.c_str()));

    png_image image = {};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_file(&image, path.c_str()));
    EXPECT_EQ(image.width, 5u);
    EXPECT_EQ(image.height, 3u);
    image.format = PNG_FORMAT_RGB;
    std::vector<png_byte> rgb(PNG_IMAGE_SIZE(image));
    ASSERT_TRUE(png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr));
    for (std::size_t i = 0; i < bitmap.Pixels.size(); ++i) {
        const Colour c = bitmap.Pixels[i];
        EXPECT_EQ(rgb[3 * i], c & 0xFF);
        EXPECT_EQ(rgb[3 * i + 1], (c >> 8) & 0xFF);
        EXPECT_EQ(rgb[3 * i + 2], (c >> 16) & 0xFF);
    }
    std::remove(path.c_str());

    // No folder, no picture to write: false and no file.
    EXPECT_FALSE(WritePng(bitmap, (testing::TempDir() + "no-such-folder/x.png").c_str()));
    const Bitmap empty(0, 7);
    EXPECT_FALSE(WritePng(empty, path.c_str()));
    EXPECT_EQ(std::fopen(path.c_str(), "rb"), nullptr);
    EXPECT_FALSE(WritePng(bitmap, nullptr));
}

}  // namespace
