// orbilux-render's options, its pictures and what it reports.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "render/RenderOptions.h"
#include "render/Renderer.h"

static bool Parse(std::vector<const char*> args, RenderOptions& options)
{
    args.insert(args.begin(), "orbilux-render");
    std::string error;
    return ParseRenderOptions(static_cast<int>(args.size()), args.data(), options, error);
}

TEST(RenderOptions, Settings)
{
    // The last value given counts; the other forms show in the golden traces.
    std::uint32_t v = 0;
    RenderOptions options;
    ASSERT_TRUE(Parse({"--setting", "ZoomOption=0x3FE", "--setting=ZoomOption=2"}, options));
    EXPECT_EQ(options.Store.ReadValue("ZoomOption", v), StoreRead::Read);
    EXPECT_EQ(v, 2u);
}

// The friendly options that orbilux takes store what the stored names do.
TEST(RenderOptions, FriendlyOptionsStoreTheSameValues)
{
    RenderOptions friendly, stored;
    ASSERT_TRUE(Parse({"--shape", "square", "--rotation=clockwise", "-zoom", "high,two-phase", "--object-size", "0",
                       "--join-dots", "--images-per-sec=20", "--colour", "low"},
                      friendly));
    ASSERT_TRUE(Parse({"--setting", "ObjectShape=4", "--setting", "ObjectRotation=4", "--ZoomOption=72",
                       "--setting=RadiusFactor=0", "--setting", "JoinTheDots=1", "--ImagesPerSec", "20", "--setting",
                       "ColourOption=50"},
                      stored));
    for (const SettingFacts& facts : SETTINGS_TABLE) {
        std::uint32_t a = 0, b = 0;
        EXPECT_EQ(friendly.Store.ReadValue(facts.Name, a), StoreRead::Read) << facts.Name;
        EXPECT_EQ(stored.Store.ReadValue(facts.Name, b), StoreRead::Read) << facts.Name;
        EXPECT_EQ(a, b) << facts.Name;
    }
}

// Whole pictures by a 64-bit FNV-1a digest of their pixels; orbilux-render
// --png with the same seed, size, ticks and settings shows one that differs.
static std::uint64_t Digest(const Bitmap& bitmap)
{
    std::uint64_t hash = 14695981039346656037ull;
    for (Colour pixel : bitmap.Pixels)
        for (int shift = 0; shift < 24; shift += 8)
            hash = (hash ^ ((pixel >> shift) & 0xFF)) * 1099511628211ull;
    return hash;
}

TEST(RenderPicture, GoldenPictures)
{
    const struct {
        const char* Name;
        RenderRequest Request;
        std::vector<std::pair<const char*, std::uint32_t>> Settings;
        std::uint64_t Digest;
    } pictures[] = {
        // Each run starts from the defaults, whatever the run before stored.
        {"shapes",
         {12345, 240, 180, 500},
         {{"ObjectShape", 0x1FE}, {"ObjectRotation", 14}, {"ZoomOption", 0x3FE}},
         15617489322029260420ull},
        {"joined", {77, 160, 120, 360}, {{"RadiusFactor", 0}, {"JoinTheDots", 1}}, 1655465754170786230ull},
        // A tick that closes the figure shows it whole, as the pause does.
        {"closed", {1, 200, 150, 360}, {}, 14679961531666055113ull},
        {"next", {1, 200, 150, 361}, {}, 12033959517471881745ull},  // erased, then the next figure's first circle
    };
    for (const auto& picture : pictures) {
        MemoryStore store;
        for (const auto& setting : picture.Settings)
            store.WriteValue(setting.first, setting.second);
        Bitmap bitmap(static_cast<std::int32_t>(picture.Request.Width),
                      static_cast<std::int32_t>(picture.Request.Height));
        ASSERT_TRUE(RunRender(picture.Request, store, nullptr, &bitmap));
        EXPECT_EQ(Digest(bitmap), picture.Digest) << picture.Name;
    }
}

// Millions of percent, every shape turning and zooming, tiny and huge windows:
// under the sanitizers any overflow fails.
TEST(RenderPicture, ExtremeSettingsStayDefinedAndFailedTracesAreReported)
{
    RenderOptions options;
    ASSERT_TRUE(Parse({"--setting=RadiusFactor=-1", "--setting=ObjectShape=0x1FE", "--setting=ObjectRotation=14",
                       "--setting=ZoomOption=0x3FE"},
                      options));
    MemoryStore& store = options.Store;
    for (const RenderRequest& request : {RenderRequest{1, 65535, 65535, 725}, {2, 1, 1, 725}, {3, 2, 65535, 725}})
        EXPECT_TRUE(RunRender(request, store, nullptr, nullptr));
    Bitmap bitmap(16, 9);
    EXPECT_TRUE(RunRender({4, 16, 9, 725}, store, nullptr, &bitmap));
    // Writes to a file open for reading fail.
    const std::string path = testing::TempDir() + "orbilux-read-only.txt";
    std::fclose(std::fopen(path.c_str(), "wb"));
    std::FILE* file = std::fopen(path.c_str(), "rb");
    ASSERT_NE(file, nullptr);
    EXPECT_FALSE(RunRender({1, 64, 48, 2}, store, file, nullptr));
    std::fclose(file);
    std::remove(path.c_str());
}
