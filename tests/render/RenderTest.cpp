// orbilux-render's options, its pictures and what it reports.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "render/OutputFile.h"
#include "render/RenderOptions.h"
#include "render/Renderer.h"
#include "tests/render/TempFiles.h"

// With something to write, which every run needs.
static bool Parse(std::vector<const char*> args, RenderOptions& options)
{
    args.insert(args.begin(), "orbilux-render");
    args.push_back("--trace=-");
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
        RunRender(picture.Request, store, nullptr, &bitmap);
        EXPECT_EQ(Digest(bitmap), picture.Digest) << picture.Name;
    }
}

// Millions of percent, every shape turning and zooming, tiny and huge windows:
// under the sanitizers any overflow fails, and every run still closes its two
// figures on time (725 ticks of 20 ms, each figure 360 ticks and a 1 s pause).
TEST(RenderPicture, ExtremeSettingsStayDefinedAndKeepTime)
{
    RenderOptions options;
    ASSERT_TRUE(Parse({"--setting=RadiusFactor=-1", "--setting=ObjectShape=0x1FE", "--setting=ObjectRotation=14",
                       "--setting=ZoomOption=0x3FE"},
                      options));
    MemoryStore& store = options.Store;
    Bitmap bitmap(16, 9);
    const struct {
        RenderRequest Request;
        Bitmap* Picture;
    } runs[] = {{{1, 65535, 65535, 725}, nullptr},
                {{2, 1, 1, 725}, nullptr},
                {{3, 2, 65535, 725}, nullptr},
                {{4, 16, 9, 725}, &bitmap}};
    for (const auto& run : runs) {
        RenderSummary summary = RunRender(run.Request, store, nullptr, run.Picture);
        EXPECT_EQ(summary.FiguresClosed, 2u) << "seed " << run.Request.Seed;
        EXPECT_EQ(summary.Milliseconds, 725u * 20 + 2000) << "seed " << run.Request.Seed;
    }
}

// The summary follows the settings: 25 images a second is 40 ms a tick; a
// run that ends on a figure's last tick counts its pause.
TEST(RenderPicture, SummaryCountsFiguresAndTime)
{
    const struct {
        std::uint32_t Ticks, ImagesPerSec, Figures;
        std::uint64_t Milliseconds;
    } cases[] = {
        {0, 50, 0, 0},
        {359, 50, 0, 359 * 20},
        {360, 50, 1, 360 * 20 + 1000},
        {361, 25, 1, 361 * 40 + 1000},
    };
    for (const auto& c : cases) {
        MemoryStore store;
        store.WriteValue("ImagesPerSec", c.ImagesPerSec);
        RenderSummary summary = RunRender({5, 64, 48, c.Ticks}, store, nullptr, nullptr);
        EXPECT_EQ(summary.FiguresClosed, c.Figures) << c.Ticks << " ticks";
        EXPECT_EQ(summary.Milliseconds, c.Milliseconds) << c.Ticks << " ticks";
    }
}

// An output is kept only once written whole: Discard removes a regular
// file (closed or not), never standard output.
TEST(RenderOutput, DiscardRemovesOnlyWhatItOpened)
{
    TempFile kept("kept.txt"), dropped("dropped.txt"), closed("closed.txt");
    const struct {
        const TempFile& File;
        bool Close, Discard, Exists;
    } cases[] = {
        {kept, true, false, true},
        {dropped, false, true, false},
        {closed, true, true, false},
    };
    for (const auto& c : cases) {
        OutputFile output;
        ASSERT_TRUE(output.Open(c.File.Path()));
        std::fputs("x", output.Get());
        if (c.Close) {
            EXPECT_TRUE(output.Close());
        }
        if (c.Discard)
            output.Discard();
        std::FILE* file = std::fopen(c.File.c_str(), "rb");
        EXPECT_EQ(file != nullptr, c.Exists) << c.File.Path();
        if (file)
            std::fclose(file);
    }
    OutputFile standard;
    ASSERT_TRUE(standard.Open("-"));
    EXPECT_TRUE(standard.IsStandardOutput());
    standard.Discard();
    EXPECT_EQ(std::fflush(stdout), 0);  // still open
    OutputFile missing;
    EXPECT_FALSE(missing.Open(TempFile("no-such-folder").Path() + "/x.txt"));
}
