// What the page's module adds to the engine: the settings it loads from a
// link, the dialog's entries, the files it writes for the other savers, and
// the changed rectangle of its pixels.
#include <gtest/gtest.h>

#include <vector>

#include "settings/Settings.h"
#include "web/CanvasSink.h"
#include "web/PageSettings.h"
#include "x11/SaverOptions.h"

namespace {

typedef std::vector<std::uint32_t> Values;

Values StoredValues(const PageSettings& page)
{
    Values values;
    for (int i = 0; i < SETTINGS_VALUE_COUNT; i++)
        values.push_back(page.Stored(i));
    return values;
}

const Values DEFAULTS = {8, 50, 0, 2, 2, 10, 0};

struct LinkCase {
    std::vector<std::pair<int, const char*>> Given;
    std::uint32_t Replaced;  // a bit per value index
    Values Stored;
};

// A link's values load by the registry's rules: text that is no number is an
// unreadable value; taken values stay as given.
TEST(PageSettings, LinkValuesLoadByTheSaversRules)
{
    const LinkCase cases[] = {
        {{}, 0, DEFAULTS},
        {{{1, "0"}}, 1u << 1, DEFAULTS},
        {{{1, "1001"}}, 1u << 1, DEFAULTS},
        {{{1, "1000"}, {6, "0x3FE"}}, 0, {8, 1000, 0, 2, 2, 10, 1022}},
        {{{0, "abc"}, {3, "0x"}}, 1u << 0 | 1u << 3, DEFAULTS},
        {{{0, "29"}}, 0, {29, 50, 0, 2, 2, 10, 0}},                // 0.29 is kept, not its stored form 28
        {{{0, "1"}, {2, "1"}}, 1u << 2, {1, 50, 0, 2, 2, 10, 0}},  // joining needs size 0
        {{{0, "0"}, {2, "7"}}, 0, {0, 50, 7, 2, 2, 10, 0}},
        {{{3, "0"}, {5, "-5"}, {4, "4294967295"}}, 0, {8, 50, 0, 0, 0xFFFFFFFFu, 0xFFFFFFFBu, 0}},
    };
    for (const LinkCase& c : cases) {
        PageSettings page;
        page.Clear();
        for (const auto& given : c.Given)
            page.Give(given.first, given.second);
        EXPECT_EQ(page.Load(), c.Replaced) << "case with " << c.Given.size() << " values";
        EXPECT_EQ(StoredValues(page), c.Stored);
        // Loaded again, nothing changes and nothing is replaced.
        EXPECT_EQ(page.Load(), 0u);
        EXPECT_EQ(StoredValues(page), c.Stored);
    }
}

struct EntryCase {
    int Index;
    const char* Text;
    bool Refused;
    std::uint32_t Stored;
};

// The dialog's entry checks and save rules, from the record the link loaded
// (size 3 %, 25 images a second).
TEST(PageSettings, EntriesAndChoicesSaveAsTheDialogDoes)
{
    const EntryCase cases[] = {
        {0, "500", false, 500}, {0, "501", true, 3},      {0, "-1", true, 3},
        {0, "", false, 8},      {0, "0x10", false, 8},    {0, "29", false, 28},
        {1, "1", false, 1},     {1, "1000", false, 1000}, {1, "0", true, 25},
        {1, "1001", true, 25},  {1, "x", false, 50},      {1, "999", false, 1000},  // 1000 div 999 = 1 ms
        {2, "1", false, 25},                                                        // not an entry: nothing saved
    };
    for (const EntryCase& c : cases) {
        PageSettings page;
        page.Give(0, "3");
        page.Give(1, "25");
        page.Load();
        EXPECT_EQ(page.Enter(c.Index, c.Text), c.Refused) << c.Index << " '" << c.Text << "'";
        page.Load();
        EXPECT_EQ(page.Stored(c.Index == 2 ? 1 : c.Index), c.Stored) << c.Index << " '" << c.Text << "'";
    }

    PageSettings page;
    page.Load();
    page.Choose(3, 0);
    page.Choose(4, 0);
    page.Choose(6, 0);
    page.Choose(5, 50);
    page.Choose(2, 1);
    page.Load();
    EXPECT_EQ(StoredValues(page), (Values{8, 50, 0, 2, 2, 50, 0}));  // joining dropped at size 8
}

// The downloads carry the stored values: REGEDIT4 for the Windows key, and a
// file the X11 saver's own parser reads back whole.
TEST(PageSettings, DownloadsCarryTheStoredValues)
{
    PageSettings page;
    const char* given[] = {"0", "40", "1", "300", "8", "-5", "0x3a2"};
    for (int i = 0; i < SETTINGS_VALUE_COUNT; i++)
        page.Give(i, given[i]);
    ASSERT_EQ(page.Load(), 0u);

    EXPECT_EQ(page.RegistryFile(),
              "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\software\\plorvex\\orbx_ss\\Settings]\r\n"
              "\"RadiusFactor\"=dword:00000000\r\n\"ImagesPerSec\"=dword:00000028\r\n"
              "\"JoinTheDots\"=dword:00000001\r\n\"ObjectShape\"=dword:0000012c\r\n"
              "\"ObjectRotation\"=dword:00000008\r\n\"ColourOption\"=dword:fffffffb\r\n"
              "\"ZoomOption\"=dword:000003a2\r\n");

    std::vector<SettingChange> changes;
    std::vector<std::string> messages;
    ParseSettingsText(page.LinuxFile(), "settings", changes, messages);
    EXPECT_TRUE(messages.empty()) << messages[0];
    MemoryStore read;
    ApplySettingChanges(changes, read);
    EXPECT_EQ(Values(read.Values, read.Values + SETTINGS_VALUE_COUNT), StoredValues(page));
    EXPECT_EQ(StoredValues(page), (Values{0, 40, 1, 300, 8, 0xFFFFFFFBu, 0x3a2}));
}

// Pixels are opaque RGBA; the changed rectangle covers what was drawn since
// the page last took it.
TEST(CanvasSink, ChangedRectangle)
{
    CanvasSink sink;
    sink.Resize(8, 6);
    ChangedRect all = sink.TakeChanged();
    EXPECT_TRUE(all.Left == 0 && all.Top == 0 && all.Right == 8 && all.Bottom == 6);
    ChangedRect none = sink.TakeChanged();
    EXPECT_GE(none.Left, none.Right);

    sink.Point(5, 1, 0x00332211);
    sink.Point(2, 3, 0x00665544);
    EXPECT_EQ(sink.Pixels()[1 * 8 + 5], 0xFF332211u);
    ChangedRect two = sink.TakeChanged();
    EXPECT_TRUE(two.Left == 2 && two.Top == 1 && two.Right == 6 && two.Bottom == 4);

    sink.Clear(4, 0, 7, 2);
    EXPECT_EQ(sink.Pixels()[1 * 8 + 5], 0xFF000000u);
    EXPECT_EQ(sink.Pixels()[3 * 8 + 2], 0xFF665544u);
    ChangedRect cleared = sink.TakeChanged();
    EXPECT_TRUE(cleared.Left == 4 && cleared.Top == 0 && cleared.Right == 7 && cleared.Bottom == 2);

    sink.Resize(0, 5);  // no canvas: nothing to draw on
    ChangedRect empty = sink.TakeChanged();
    EXPECT_GE(empty.Left, empty.Right);
}

}  // namespace
