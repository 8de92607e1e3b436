// What the page's module adds to the engine: the settings it loads from a
// link, the dialog's entries, the files it writes for the other savers, and
// the changed rectangle of its pixels.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "settings/Settings.h"
#include "web/CanvasSink.h"
#include "web/PageSettings.h"
#include "web/PanelNotes.h"
#include "web/ProgramsLine.h"
#include "web/StillLimits.h"
#include "settings/ArgScanner.h"
#include "settings/SettingOptions.h"

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

void Give(PageSettings& page, int index, const char* text)
{
    page.Give(index, text, std::strlen(text));
}

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
            Give(page, given.first, given.second);
        EXPECT_EQ(page.Load(), c.Replaced) << "case with " << c.Given.size() << " values";
        EXPECT_EQ(StoredValues(page), c.Stored);
        // Loaded again, nothing changes and nothing is replaced.
        EXPECT_EQ(page.Load(), 0u);
        EXPECT_EQ(StoredValues(page), c.Stored);
    }
}

// A NUL among a value's bytes makes it unreadable, as text the registry
// would not hold as a number: "8\0junk" is not 8.
TEST(PageSettings, ANulMakesAValueUnreadable)
{
    const std::string texts[] = {std::string("8\0junk", 6), std::string("12\0", 3), std::string("\0", 1)};
    for (const std::string& text : texts) {
        PageSettings page;
        Give(page, 1, "40");
        page.Give(0, text.data(), text.size());
        EXPECT_EQ(page.Load(), 1u << 0) << text.size();
        EXPECT_EQ(StoredValues(page), (Values{8, 40, 0, 2, 2, 10, 0}));
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
        Give(page, 0, "3");
        Give(page, 1, "25");
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
        Give(page, i, given[i]);
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

struct OddCase {
    int Index;
    std::uint32_t Value;
    const char* Note;
};

// A stored value the panel cannot show as it is gets a note; the panel's own
// values get none.
TEST(PanelNotes, OddValues)
{
    const OddCase cases[] = {
        {0, 500, ""},
        {0, 501, "beyond the panel's 0 to 500; the saver draws it as given, and the panel would refuse it"},
        {1, 1000, ""},
        {2, 1, ""},
        {2, 7, "neither 0 nor 1; the saver takes it as on"},
        {3, 510, ""},
        {3, 0, "none of its choices is ticked; the saver draws Circle"},
        {3, 301, "bit 1 of it the saver ignores"},
        {3, 1, "bit 1 of it the saver ignores, and none of its choices is ticked; the saver draws Circle"},
        {4, 0, "none of its choices is ticked; the saver draws None"},
        {5, 30, ""},
        {5, 0xFFFFFFFBu, "none of High, Medium or Low; the saver uses it as given, and the panel shows no choice"},
        {6, 0, ""},
        {6, 1022, ""},
        {6, 0x80000401u, "bits 1, 1024 and 2147483648 of it the saver ignores"},
    };
    for (const OddCase& c : cases)
        EXPECT_EQ(OddValueNote(c.Index, c.Value), c.Note) << c.Index << "=" << c.Value;
}

struct LockedCase {
    Values Stored;
    int Index;
    std::uint32_t Choice;
    bool Locked;
};

// Controls that cannot change now: joining above size 0, the last ticked
// shape or rotation (an empty set is saved as the default).
TEST(PanelNotes, LockedControls)
{
    const LockedCase cases[] = {
        {{8, 50, 0, 2, 2, 10, 0}, 2, 0, true},    {{1, 50, 0, 2, 2, 10, 0}, 2, 0, true},
        {{0, 50, 0, 2, 2, 10, 0}, 2, 0, false},   {{8, 50, 0, 2, 2, 10, 0}, 3, 2, true},
        {{8, 50, 0, 4, 2, 10, 0}, 3, 4, true},    {{8, 50, 0, 4, 2, 10, 0}, 3, 2, false},
        {{8, 50, 0, 6, 2, 10, 0}, 3, 4, false},   {{8, 50, 0, 5, 2, 10, 0}, 3, 4, true},  // bit 1 is no shape
        {{8, 50, 0, 2, 8, 10, 0}, 4, 8, true},    {{8, 50, 0, 2, 12, 10, 0}, 4, 8, false},
        {{8, 50, 0, 2, 2, 10, 32}, 6, 32, false},  // no zoom at all is a choice
        {{8, 50, 0, 2, 2, 10, 0}, 0, 0, false},   {{8, 50, 0, 2, 2, 10, 0}, 5, 10, false},
    };
    for (const LockedCase& c : cases) {
        std::uint32_t stored[SETTINGS_VALUE_COUNT];
        std::copy(c.Stored.begin(), c.Stored.end(), stored);
        EXPECT_EQ(!LockedNote(c.Index, c.Choice, stored).empty(), c.Locked) << c.Index << " " << c.Choice;
    }
}

struct EntryNoteCase {
    int Index;
    const char* Text;
    std::uint32_t Shown;
    const char* Note;
};

// What an accepted entry became, when not what was typed.
TEST(PanelNotes, EntryNotes)
{
    const EntryNoteCase cases[] = {
        {1, "60", 62,
         "60 a second is an image every 16 ms; the saver waits whole milliseconds, so it draws 62 a second."},
        {1, "999", 1000,
         "999 a second is an image every 1 ms; the saver waits whole milliseconds, so it draws 1000 a second."},
        {1, "50", 50, ""},
        {1, "", 50, "Empty: the default, 50."},
        {0, "", 8, "Empty: the default, 8."},
        {0, "99999999999", 8, "Not a number the saver reads: the default, 8."},
        {0, "0x10", 8, "Not a number the saver reads: the default, 8."},
        {0, "29", 28, ""},  // the size keeps what the dialog keeps
    };
    for (const EntryNoteCase& c : cases)
        EXPECT_EQ(EntryNote(c.Index, c.Text, c.Shown), c.Note) << c.Index << " '" << c.Text << "'";
}

// The still picture the address asks for, cut to what the page holds.
TEST(StillLimits, CutToWhatThePageHolds)
{
    struct Case {
        std::uint32_t Width, Height, Ticks, OutWidth, OutHeight, OutTicks;
        bool WidthCut, HeightCut, TicksCut;
    };
    const Case cases[] = {
        {640, 480, 360, 640, 480, 360, false, false, false},
        {4096, 4096, 100000000, 4096, 4096, 100000000, false, false, false},
        {16384, 16384, 100000001, 8192, 2048, 100000000, true, true, true},
        {8192, 4096, 0, 8192, 2048, 0, false, true, false},
        {1, 8193, 1, 1, 8192, 1, false, true, false},
        {0, 0, 0xFFFFFFFFu, 1, 1, 100000000, true, true, true},
    };
    for (const Case& c : cases) {
        StillSize s = LimitStill(c.Width, c.Height, c.Ticks);
        EXPECT_TRUE(s.Width == c.OutWidth && s.Height == c.OutHeight && s.Ticks == c.OutTicks)
            << c.Width << "x" << c.Height << " " << c.Ticks << ": " << s.Width << "x" << s.Height << " " << s.Ticks;
        EXPECT_TRUE(s.WidthCut == c.WidthCut && s.HeightCut == c.HeightCut && s.TicksCut == c.TicksCut)
            << c.Width << "x" << c.Height << " " << c.Ticks;
        EXPECT_LE(static_cast<std::uint64_t>(s.Width) * s.Height, MAX_STILL_PIXELS);
    }
}

// The programs: entry for ~/.xscreensaver, in the form orbilux.xml gives
// the settings window; the hack's own option parser takes it and draws the
// stored values.
TEST(ProgramsLine, TheHackTakesTheStoredValues)
{
    struct Case {
        Values Stored;
        const char* Line;
    };
    const Case cases[] = {
        {DEFAULTS, "orbilux --root --shape circle --rotation none"},
        {{0, 62, 1, 12, 12, 30, 290},
         "orbilux --root --shape circle --rotation none --object-size 0 --images-per-sec 62 --join-dots --colour medium"
         " --no-shape circle --shape square --shape triangle --no-rotation none --rotation clockwise"
         " --rotation anticlockwise --zoom low --zoom one-phase --zoom start-small"},
        {{600, 50, 0, 3, 2, 0xFFFFFFFBu, 0},
         "orbilux --root --shape circle --rotation none --RadiusFactor 600 --ColourOption 4294967291"},
    };
    for (const Case& c : cases) {
        std::uint32_t stored[SETTINGS_VALUE_COUNT];
        std::copy(c.Stored.begin(), c.Stored.end(), stored);
        std::string line = ProgramsLine(stored);
        EXPECT_EQ(line, c.Line);

        std::vector<std::string> words;
        for (std::size_t start = 0, end; start < line.size(); start = end + 1) {
            end = line.find(' ', start);
            end = end == std::string::npos ? line.size() : end;
            words.push_back(line.substr(start, end - start));
        }
        std::vector<const char*> argv;
        for (const std::string& word : words)
            argv.push_back(word.c_str());
        // Read as the hack reads it: its own -root, then the settings' options.
        const OptionSpec root[] = {{"root", OptionValue::Bare, "", ""}};
        ArgScanner scanner(static_cast<int>(argv.size()), argv.data());
        ScannedOption option;
        SettingSource source;
        std::string error;
        while (scanner.Next(root, 1, SettingOptionValue, option, error)) {
            if (option.Spec < 0) {
                ASSERT_TRUE(TakeSettingOption(option, source, error)) << error;
            }
        }
        ASSERT_EQ(error, "");
        MemoryStore store;  // a settings file at the defaults
        for (int i = 0; i < SETTINGS_VALUE_COUNT; i++)
            store.WriteValue(SETTINGS_TABLE[i].Name, DEFAULTS[i]);
        ApplySettingChanges(source.Changes, store);
        Values expected = c.Stored;
        expected[3] &= 510;  // the line names shapes only
        EXPECT_EQ(Values(store.Values, store.Values + SETTINGS_VALUE_COUNT), expected) << line;
    }
}

}  // namespace
