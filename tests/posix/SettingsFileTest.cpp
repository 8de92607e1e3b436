// The Linux savers' settings file read: what is not a regular file or is too
// large is refused without blocking or cutting; a byte-order mark is text.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "posix/SettingsFile.h"
#include "settings/SettingsValues.h"

namespace {

// A folder of its own under the build's temporary folder, removed at the end.
class SettingsFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char name[] = "/tmp/orbilux-settings-test.XXXXXX";
        ASSERT_NE(mkdtemp(name), nullptr);
        Dir = name;
    }
    void TearDown() override { EXPECT_EQ(std::system(("rm -rf '" + Dir + "'").c_str()), 0); }
    std::string Write(const char* name, const std::string& text)
    {
        std::string path = Dir + "/" + name;
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    std::string Dir;
};

TEST_F(SettingsFileTest, ReadOutcomes)
{
    std::string fifo = Dir + "/fifo";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::string limit(MAX_SETTINGS_FILE_BYTES, '#');
    const struct {
        std::string Path;
        FileRead Expected;
        const char* Why;
        std::size_t Size;
    } cases[] = {
        {Write("plain", "zoom=low\n"), FileRead::Read, "", 9},
        {Write("limit", limit), FileRead::Read, "", MAX_SETTINGS_FILE_BYTES},
        {Write("over", limit + "\n"), FileRead::Refused, "larger than 1024 KiB", 0},
        {fifo, FileRead::Refused, "not a regular file", 0},  // a FIFO without a writer: no block
        {Dir, FileRead::Refused, "a directory, not a file", 0},
        {"/dev/null", FileRead::Refused, "not a regular file", 0},
        {Dir + "/none", FileRead::Absent, "", 0},
    };
    for (const auto& c : cases) {
        std::string text = "old", why;
        EXPECT_EQ(ReadSettingsFile(c.Path, text, why), c.Expected) << c.Path;
        EXPECT_EQ(why, c.Why) << c.Path;
        EXPECT_EQ(text.size(), c.Size) << c.Path;
    }
}

// Named, a refused file ends the run; at the default path it is named and
// the run goes on with the defaults. A byte-order mark is not a setting.
TEST_F(SettingsFileTest, LoadNamedAndDefault)
{
    std::string fifo = Dir + "/fifo";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::vector<SettingChange> changes;
    std::vector<std::string> messages;
    EXPECT_FALSE(LoadSettingsFile(fifo, true, changes, messages));
    EXPECT_TRUE(LoadSettingsFile(fifo, false, changes, messages));
    EXPECT_FALSE(LoadSettingsFile(Dir + "/none", true, changes, messages));
    EXPECT_TRUE(LoadSettingsFile(Dir + "/none", false, changes, messages));
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[0], "cannot read settings file '" + fifo + "': not a regular file");
    EXPECT_EQ(messages[1],
              "cannot read settings file '" + fifo + "': not a regular file; drawing with the default settings");
    EXPECT_TRUE(changes.empty());

    messages.clear();
    EXPECT_TRUE(LoadSettingsFile(Write("bom", "\xEF\xBB\xBFimages-per-sec=1000\r\n"), true, changes, messages));
    EXPECT_TRUE(messages.empty()) << messages[0];
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0].Index, SETTING_IMAGES_PER_SEC);
    EXPECT_EQ(changes[0].Value, 1000u);
}

}  // namespace
