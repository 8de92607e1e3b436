// The X11 saver's decisions: command line, settings file and tick schedule.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <sstream>
#include <vector>

#include "settings/NumberText.h"
#include "settings/SettingsValues.h"
#include "x11/SaverOptions.h"
#include "posix/SettingsFile.h"
#include "posix/TickClock.h"

namespace {

bool Parse(std::vector<const char*> args, SaverOptions& options, std::string& error)
{
    args.insert(args.begin(), "orbilux");
    return ParseSaverOptions(static_cast<int>(args.size()), args.data(), options, error);
}

// A command line as the settings window writes it, word by word.
bool ParseWords(const std::vector<std::string>& words, SaverOptions& options, std::string& error)
{
    std::vector<const char*> args;
    for (const std::string& w : words)
        args.push_back(w.c_str());
    return Parse(args, options, error);
}

TEST(SaverOptions, AcceptedLines)
{
    SaverOptions o;
    std::string error;
    ASSERT_TRUE(Parse({"--window-id", "0x2a", "-seed", "7", "--max-ticks", "0"}, o, error)) << error;
    EXPECT_TRUE(o.Target == SaverTarget::WindowId && o.WindowId == 42 && o.HasSeed && o.Seed == 7 && o.HasMaxTicks &&
                o.MaxTicks == 0);
    o = SaverOptions();
    ASSERT_TRUE(Parse({"-window", "-geometry", "640x480+10+20", "-root"}, o, error)) << error;
    EXPECT_TRUE(o.Target == SaverTarget::Root && o.Width == 640 && o.Height == 480);  // the last target counts

    // Friendly and stored-value settings, in order, with one dash or two and
    // the value after '=' or as the next argument.
    o = SaverOptions();
    ASSERT_TRUE(Parse({"-object-size=0", "--join-dots", "-images-per-sec", "1000", "--colour=low", "-shape",
                       "square,diamond", "-no-shape", "circle", "-no-rotation", "none", "--rotation", "clockwise",
                       "-zoom", "very-high,four-phase", "-ColourOption", "0x1e", "--ZoomOption=-2"},
                      o, error))
        << error;
    MemoryStore s;
    ApplySettingChanges(o.Changes, s);
    EXPECT_EQ(
        std::vector<std::uint32_t>(s.Values, s.Values + SETTINGS_VALUE_COUNT),
        (std::vector<std::uint32_t>{0, 1000, 1, SHAPE_SQUARE | SHAPE_DIAMOND, ROTATION_CLOCKWISE, 30, 0xFFFFFFFEu}));
}

// The first -shape (-rotation, -zoom) of a source replaces the set before it,
// later ones add, the -no- forms remove; a flag takes 1 or 0 in the file.
TEST(SaverOptions, MaskRuleAcrossFileAndCommandLine)
{
    const struct {
        const char* File;
        std::vector<const char*> Args;
        std::uint32_t Shape, Rotation, Zoom, Join;
    } cases[] = {
        {"", {}, 2, 2, 0, 0},
        {"", {"-shape", "square"}, 4, 2, 0, 0},
        {"", {"-shape", "square", "-shape", "pyramid,circle"}, 4 | 64 | 2, 2, 0, 0},
        {"", {"-no-shape", "circle", "-shape", "square"}, 4, 2, 0, 0},
        {"", {"-no-shape", "square", "-no-rotation", "clockwise"}, 2, 2, 0, 0},
        {"shape=circle,pyramid\n", {"-no-shape", "pyramid", "-shape", "square"}, 4, 2, 0, 0},
        {"", {"-shape", "square", "-no-shape", "square"}, 0, 2, 0, 0},
        {"", {"-no-rotation", "none", "-rotation", "clockwise", "-rotation", "anticlockwise"}, 2, 4 | 8, 0, 0},
        {"shape=triangle\nshape=diamond\nzoom=low\njoin-dots=1\n", {}, 8 | 32, 2, 2, 1},
        {"shape=triangle\nno-join-dots=0\n", {"-shape", "square", "--zoom=high"}, 4, 2, 8, 1},
        {"shape=triangle\njoin-dots=1\n", {"-no-shape", "triangle", "-no-join-dots"}, 0, 2, 0, 0},
        {"ObjectShape=6\nshape=pyramid\n", {}, 64, 2, 0, 0},
        {"shape=pyramid\nObjectShape=6\nshape=square\n", {}, 6 | 4, 2, 0, 0},
        {"rotation=clockwise\nzoom=low\n", {"-zoom", "medium", "-zoom", "high"}, 2, 4, 4 | 8, 0},
    };
    for (const auto& c : cases) {
        std::vector<SettingChange> changes;
        std::vector<std::string> messages;
        ParseSettingsText(c.File, "f", changes, messages);
        SaverOptions o;
        std::string error;
        ASSERT_TRUE(Parse(c.Args, o, error) && messages.empty()) << error << c.File;
        changes.insert(changes.end(), o.Changes.begin(), o.Changes.end());
        MemoryStore s;
        ApplySettingChanges(changes, s);
        auto stored = [&](int i) { return s.Present[i] ? s.Values[i] : SETTINGS_TABLE[i].Default; };
        EXPECT_EQ((std::vector<std::uint32_t>{stored(SETTING_OBJECT_SHAPE), stored(SETTING_OBJECT_ROTATION),
                                              stored(SETTING_ZOOM_OPTION), stored(SETTING_JOIN_THE_DOTS)}),
                  (std::vector<std::uint32_t>{c.Shape, c.Rotation, c.Zoom, c.Join}))
            << c.File << testing::PrintToString(c.Args);
    }
}

TEST(SettingsFile, GoodLinesLoadBadLinesAreNamedAndTheDefaultPath)
{
    std::vector<SettingChange> changes;
    std::vector<std::string> messages;
    // Control bytes and long values are quoted escaped and cut.
    const std::string text = "# comment\n\n object-size = 12 \nno equals\nObjectShape=6\nRadiusFactor=x\r\n"
                             "bogus=1\nrotation=clockwise\nJoinTheDots=1\x01\n" +
        std::string("zoom=\0\xff", 7) + "\n\x7f=1\nshape=" + std::string(MAX_QUOTED_BYTES + 1, 'x') +
        "\nshape=pyramid\ncolour=low\n" + std::string("zoom\0x=low\nzoom=low\0x\n", 22);
    ParseSettingsText(text, "f", changes, messages);
    ParseSettingsText("x", "\tf", changes, messages);
    EXPECT_EQ(
        messages,
        (std::vector<std::string>{"f:4: expected NAME=VALUE, got 'no equals'",
                                  "f:6: RadiusFactor: expected a 32-bit number (decimal or 0x hex), got 'x'",
                                  "f:7: unknown setting 'bogus'",
                                  "f:9: JoinTheDots: expected a 32-bit number (decimal or 0x hex), got '1\\x01'",
                                  "f:10: zoom: a NUL byte in '\\x00\\xff'", "f:11: unknown setting '\\x7f'",
                                  "f:12: shape: expected circle, square, triangle, four-point-star, diamond, pyramid, "
                                  "six-point-star, eight-point-star; got '" +
                                      std::string(MAX_QUOTED_BYTES, 'x') + "'...",
                                  "f:15: unknown setting 'zoom\\x00x'", "f:16: zoom: a NUL byte in 'low\\x00x'",
                                  "\\x09f:1: expected NAME=VALUE, got 'x'"}));
    MemoryStore s;
    ApplySettingChanges(changes, s);
    EXPECT_EQ(std::vector<std::uint32_t>(s.Values, s.Values + SETTINGS_VALUE_COUNT),
              (std::vector<std::uint32_t>{12, 0, 0, SHAPE_PYRAMID, ROTATION_CLOCKWISE, COLOUR_LOW, 0}));
    EXPECT_FALSE(s.Present[SETTING_IMAGES_PER_SEC] || s.Present[SETTING_JOIN_THE_DOTS] ||
                 s.Present[SETTING_ZOOM_OPTION]);

    EXPECT_EQ((std::vector<std::string>{DefaultSettingsPath("/x", "/h"), DefaultSettingsPath("", "/h"),
                                        DefaultSettingsPath(nullptr, nullptr)}),
              (std::vector<std::string>{"/x/orbilux/settings", "/h/.config/orbilux/settings", ""}));
}

// orbilux.xml's elements as XScreenSaver reads them: tag and attributes.
using XmlElement = std::map<std::string, std::string>;

std::vector<XmlElement> ReadHackXml()
{
    std::ifstream file(ORBILUX_XML);
    std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    text = std::regex_replace(text, std::regex("<!--[\\s\\S]*?-->"), "");
    std::vector<XmlElement> elements;
    const std::regex element("<(command|number|string|boolean|option)\\b([^>]*)>"),
        attribute("([a-z_-]+)=\"([^\"]*)\"");
    for (std::sregex_iterator e(text.begin(), text.end(), element), end; e != end; ++e) {
        XmlElement attributes{{"tag", (*e)[1]}};
        std::string body = (*e)[2];
        for (std::sregex_iterator a(body.begin(), body.end(), attribute); a != end; ++a)
            attributes[(*a)[1]] = (*a)[2];
        elements.push_back(attributes);
    }
    return elements;
}

// The command line XScreenSaver builds: each element's argument when it
// differs from its default; `flip` a boolean changed from its default, or
// the number `flip` set to `number`.
std::vector<std::string> HackCommand(const std::vector<XmlElement>& elements, const XmlElement* flip,
                                     const std::string& number = "")
{
    std::string line;
    for (const XmlElement& e : elements) {
        const std::string& tag = e.at("tag");
        if (tag == "command")
            line += " " + e.at("arg");
        else if (tag == "boolean" && &e == flip)
            line += " " + (e.count("arg-set") ? e.at("arg-set") : e.at("arg-unset"));
        else if ((tag == "number" || tag == "string") && &e == flip &&
                 number != (e.count("default") ? e.at("default") : ""))
            line += " " + std::regex_replace(e.at("arg"), std::regex("%"), number);
    }
    std::istringstream words(line);
    return {std::istream_iterator<std::string>(words), std::istream_iterator<std::string>()};
}

// The XScreenSaver dialog offers every setting of the table with its range,
// default and choices; each box changes exactly its own bit, whatever the
// settings file holds.
TEST(HackXml, AgreesWithTheSettingsTable)
{
    std::vector<XmlElement> elements = ReadHackXml();
    auto find = [&](const char* attribute, const std::string& value) {
        for (const XmlElement& e : elements)
            if (e.count(attribute) && e.at(attribute) == value)
                return &e;
        return static_cast<const XmlElement*>(nullptr);
    };
    MemoryStore file;
    for (int i = 0; i < SETTINGS_VALUE_COUNT; i++)
        file.WriteValue(SETTINGS_TABLE[i].Name, 0x3FE);
    for (const SettingFacts& facts : SETTINGS_TABLE) {
        SCOPED_TRACE(facts.Name);
        const std::string option = std::string("--") + facts.Option;
        if (facts.Kind == SettingKind::Number) {
            // Any value in range can be set, the default too: a spin button
            // where XScreenSaver steps by 1 (a range of at most 500; over a
            // larger one it snaps to steps of a hundredth), else typed text
            // (empty: the default), with the range in its label.
            const XmlElement* entry = find("arg", option + " %");
            ASSERT_NE(entry, nullptr);
            if (facts.High - facts.Low <= 500) {
                EXPECT_EQ(entry->at("tag") + " " + entry->at("type"), "number spinbutton");
                EXPECT_EQ(entry->at("low") + " " + entry->at("high") + " " + entry->at("default"),
                          std::to_string(facts.Low) + " " + std::to_string(facts.High) + " " +
                              std::to_string(facts.Default));
            } else {
                EXPECT_EQ(entry->at("tag"), "string");
                EXPECT_NE(entry->at("_label").find("(" + std::to_string(facts.Low) + " to " +
                                                   std::to_string(facts.High) +
                                                   "; empty: " + std::to_string(facts.Default) + ")"),
                          std::string::npos)
                    << entry->at("_label");
            }
        } else if (facts.Kind == SettingKind::Flag) {
            EXPECT_TRUE(facts.Default ? find("arg-unset", "--no-" + std::string(facts.Option))
                                      : find("arg-set", option));
        }
        for (int i = 0; i < facts.ChoiceCount; i++) {
            const SettingChoice& choice = facts.Choices[i];
            SCOPED_TRACE(choice.Name);
            if (facts.Kind == SettingKind::Choice) {
                EXPECT_TRUE(facts.Default == choice.Value || find("arg-set", option + " " + choice.Name));
                continue;
            }
            bool on = (facts.Default & choice.Value) != 0;
            const XmlElement* box = on ? find("arg-unset", "--no-" + std::string(facts.Option) + " " + choice.Name)
                                       : find("arg-set", option + " " + choice.Name);
            ASSERT_NE(box, nullptr) << "no box, or one not ticked by default as the table's default";
            SaverOptions o;
            std::string error;
            ASSERT_TRUE(ParseWords(HackCommand(elements, box), o, error)) << error;
            MemoryStore s = file;
            ApplySettingChanges(o.Changes, s);
            EXPECT_EQ(s.Values[SettingsValueIndex(facts.Name)], facts.Default ^ choice.Value);
        }
    }
}

// Under XScreenSaver (XSCREENSAVER_WINDOW set) the settings window's line is
// all there is: the default settings file is not read, so the line the window
// saves for a changed speed alone draws what the window shows (the file's
// shapes do not come back). By hand the file counts; a named file always.
TEST(HackXml, TheSettingsWindowIsThePlaceUnderXScreenSaver)
{
    SaverOptions named;
    named.SettingsPath = "f";
    EXPECT_EQ(
        (std::vector<SettingsRoute>{ChooseSettingsRoute(SaverOptions(), "0x2a"),
                                    ChooseSettingsRoute(SaverOptions(), ""),
                                    ChooseSettingsRoute(SaverOptions(), nullptr), ChooseSettingsRoute(named, "0x2a"),
                                    ChooseSettingsRoute(named, nullptr)}),
        (std::vector<SettingsRoute>{SettingsRoute::CommandLineOnly, SettingsRoute::DefaultFile,
                                    SettingsRoute::DefaultFile, SettingsRoute::NamedFile, SettingsRoute::NamedFile}));

    std::vector<XmlElement> elements = ReadHackXml();
    const XmlElement* speed = nullptr;
    for (const XmlElement& e : elements)
        if (e.count("arg") && e.at("arg") == "--images-per-sec %")
            speed = &e;
    ASSERT_NE(speed, nullptr);
    std::vector<std::string> words = HackCommand(elements, speed, "100");
    SaverOptions o;
    std::string error;
    ASSERT_TRUE(ParseWords(words, o, error)) << error;
    ASSERT_EQ(ChooseSettingsRoute(o, "0x2a"), SettingsRoute::CommandLineOnly);
    MemoryStore s;
    ApplySettingChanges(o.Changes, s);
    auto stored = [&](int i) { return s.Present[i] ? s.Values[i] : SETTINGS_TABLE[i].Default; };
    std::vector<std::uint32_t> values;
    for (int i = 0; i < SETTINGS_VALUE_COUNT; i++)
        values.push_back(stored(i));
    // The window's defaults but the speed: what its boxes and spin buttons show.
    EXPECT_EQ(values, (std::vector<std::uint32_t>{8, 100, 0, SHAPE_CIRCLE, ROTATION_NONE, 10, 0}))
        << testing::PrintToString(words);
}

TEST(TickClock, GridWithoutBursts)
{
    const Nanoseconds ms = NS_PER_MS;
    // Due, interval, now, next due; in milliseconds.
    const std::int64_t cases[][4] = {
        {100, 20, 100, 120},  // on time
        {100, 20, 113, 120},  // a little late: the grid holds
        {100, 20, 120, 140},  // exactly a tick late
        {100, 20, 175, 180},  // missed ticks are skipped
        {100, 0, 100, 101},   // a stopped timer cannot spin
    };
    for (const auto& c : cases)
        EXPECT_EQ(NextDue(c[0] * ms, static_cast<std::uint32_t>(c[1]), c[2] * ms), c[3] * ms) << c[2];

    // Rounded up: waking means it is time.
    EXPECT_EQ((std::vector<int>{PollTimeout(-1, 5), PollTimeout(10 * ms, 10 * ms), PollTimeout(10 * ms, 10 * ms - 1),
                                PollTimeout(10 * ms, 0)}),
              (std::vector<int>{-1, 0, 1, 10}));
}

}  // namespace
