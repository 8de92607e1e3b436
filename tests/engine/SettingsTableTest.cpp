// The settings table against the dialog template, and the typed numbers and
// quoted values every host's options share.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <string>

#include "settings/NumberText.h"
#include "settings/Settings.h"
#include "settings/SettingsTable.h"

namespace {

#ifdef ORBILUX_SOURCE_DIR
std::string ReadSource(const char* path)
{
    std::ifstream file(std::string(ORBILUX_SOURCE_DIR) + "/" + path);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// Each label of the table is the dialog template's: a check or radio box's
// text by its control id, a group box's title, an edit's caption.
TEST(SettingsTable, LabelsAreTheDialogTemplates)
{
    std::map<std::string, int> ids;
    std::string header = ReadSource("settings/DialogIds.h");
    const std::regex define("#define (IDC_[A-Z_]+) ([0-9]+)");
    for (std::sregex_iterator d(header.begin(), header.end(), define), end; d != end; ++d)
        ids[(*d)[1]] = std::stoi((*d)[2]);
    std::map<int, std::string> boxes;  // control id: text
    std::string captions;              // the texts of controls without an id
    std::string rc = ReadSource("resources/ConfigDialog.rc");
    const std::regex control("CONTROL \"([^\"]*)\", (IDC_[A-Z_]+|-1),");
    for (std::sregex_iterator c(rc.begin(), rc.end(), control), end; c != end; ++c) {
        if ((*c)[2] == "-1")
            captions += "|" + (*c)[1].str();
        else
            boxes[ids.at((*c)[2])] = (*c)[1];
    }
    ASSERT_GT(boxes.size(), 20u);
    for (const SettingFacts& facts : SETTINGS_TABLE) {
        SCOPED_TRACE(facts.Name);
        if (facts.Kind == SettingKind::Flag)
            EXPECT_EQ(boxes[facts.ControlId], facts.Label);
        else if (facts.Kind == SettingKind::Number)  // "Object Size (%) :"
            EXPECT_NE(captions.find("|" + std::string(facts.Label) + " :"), std::string::npos);
        else
            EXPECT_NE((captions + "|").find("|" + std::string(facts.Label) + "|"), std::string::npos);
        for (int i = 0; i < facts.ChoiceCount; i++)
            EXPECT_EQ(boxes[facts.Choices[i].ControlId], facts.Choices[i].Label) << facts.Choices[i].Name;
    }
}
#endif

// Each row's conversions agree: a stored number within the row's range comes
// back from the record's field as it went in (Low, Default and High; the
// percentages that lose a step in the double are the load test's), every
// Number row names its warning, and the start record holds the defaults.
TEST(SettingsTable, RowsConvertTheirStoredNumbersBothWays)
{
    SettingsRecord start = Settings;
    ResetSettings();
    for (const SettingFacts& facts : SETTINGS_TABLE) {
        ASSERT_TRUE(facts.Stored && facts.Take) << facts.Name;
        EXPECT_EQ(facts.Stored(Settings), facts.Default) << facts.Name;
        bool number = facts.Kind == SettingKind::Number;
        EXPECT_EQ(facts.Refused != nullptr, number) << facts.Name;
        for (std::uint32_t stored : {facts.Low, facts.Default, facts.High}) {
            if (!number && stored != facts.Default)
                continue;
            SettingsRecord record{};
            facts.Take(record, stored);
            EXPECT_EQ(facts.Stored(record), stored) << facts.Name;
        }
    }
    Settings = start;
}

TEST(NumberText, NumbersRangesAndQuotes)
{
    const std::pair<const char*, std::uint32_t> good[] = {{"4294967295", 4294967295u},
                                                          {"0xFFFFffff", 4294967295u},
                                                          {"0xabcdef", 0xABCDEFu},
                                                          {"-1", 4294967295u},
                                                          {"-2147483648", 0x80000000u},
                                                          {"0", 0u},
                                                          {"0X10", 16u},
                                                          {"007", 7u}};
    for (const auto& g : good) {
        std::uint32_t v = 7;
        EXPECT_TRUE(ParseNumber32(g.first, v) && v == g.second) << g.first << " gave " << v;
    }
    std::uint32_t v = 0;
    for (const char* bad : {"", "-", "0x", "-0x1", "4294967296", "0x100000000", "-2147483649", "1e3", "+5", " 5", "5 ",
                            "0x1g", "99999999999999999999"})
        EXPECT_FALSE(ParseNumber32(bad, v)) << bad;

    // Low and high themselves are in range; a minus sign never is.
    const struct {
        const char* Text;
        std::uint32_t Low, High;
        bool In;
    } ranges[] = {{"1", 1, 1000, true},          {"1000", 1, 1000, true},
                  {"0", 1, 1000, false},         {"1001", 1, 1000, false},
                  {"0x3e8", 1, 1000, true},      {"-0", 0, 5, false},
                  {"-1", 0, 0xFFFFFFFFu, false}, {"4294967295", 0, 0xFFFFFFFFu, true}};
    for (const auto& r : ranges) {
        v = 12345;
        EXPECT_EQ(ParseInRange(r.Text, r.Low, r.High, v), r.In) << r.Text;
        EXPECT_EQ(v, r.In ? std::stoul(r.Text, nullptr, 0) : 12345u) << r.Text << ": refused, yet written";
    }
    EXPECT_EQ(RangeMessage("-seed", "x", 0, 9), "-seed: expected a number from 0 to 9, got 'x'");

    EXPECT_EQ(Quoted(std::string("a\0\x1f b\x7f\xff~", 8)), "'a\\x00\\x1f b\\x7f\\xff~'");
    EXPECT_EQ(Quoted(std::string(MAX_QUOTED_BYTES, 'x')), "'" + std::string(MAX_QUOTED_BYTES, 'x') + "'");
    EXPECT_EQ(Quoted(std::string(MAX_QUOTED_BYTES + 1, 'x')), "'" + std::string(MAX_QUOTED_BYTES, 'x') + "'...");
}

}  // namespace
