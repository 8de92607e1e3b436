// The test files' clean-up: a file of a process that is gone goes, one of a
// running process (this one) stays, and so does anything else in the folder.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tests/render/TempFiles.h"

namespace {

bool Exists(const std::string& path)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file)
        std::fclose(file);
    return file != nullptr;
}

}  // namespace

TEST(TempFiles, LeftoversOfGoneProcessesAreRemoved)
{
    TempFile own("own.txt");  // also cleans up before the files below exist
    // 4194303 is above Linux's largest process number, and not a Windows one (not a multiple of 4).
    const struct {
        std::string Name;
        bool Kept;
    } files[] = {
        {own.Path(), true},
        {testing::TempDir() + "orbilux-render-test-4194303-1-gone.txt", false},
        {testing::TempDir() + "orbilux-render-test-x-1-odd.txt", true},
        {testing::TempDir() + "orbilux-render-tests-4194303.txt", true},
    };
    for (const auto& file : files)
        std::fclose(std::fopen(file.Name.c_str(), "wb"));
    EXPECT_EQ(RemoveLeftoverTempFiles(), 1);
    for (const auto& file : files) {
        EXPECT_EQ(Exists(file.Name), file.Kept) << file.Name;
        if (file.Name != own.Path())
            std::remove(file.Name.c_str());
    }
}
