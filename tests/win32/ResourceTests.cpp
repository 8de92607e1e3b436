// The resources the built orbilux.scr carries, read back with the resource API.
#include <gtest/gtest.h>

#include <cstdint>
#include <iterator>
#include <map>
#include <sstream>
#include <string>

#include "Support.h"
#include "settings/SettingsValues.h"

namespace {

class SaverResources : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(Module, nullptr); }
    void TearDown() override { FreeLibrary(Module); }
    HMODULE Module = LoadLibraryExA(SaverPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
};

// The controls in template (tab) order: id, kind, text and the frame around it.
const char* const CONTROLS[] = {
    "1 default OK", "2 push Cancel", "-1 label Images Per Second :|Display Options", "-1 frame Display Options",
    "1002 edit |Display Options", "-1 label Object Size (%) :|Display Options", "1003 edit |Display Options",
    "1004 check Connect Dots (if size zero)|Display Options", "-1 frame Colour Option",
    "1013 radio High|Colour Option", "1014 radio Medium|Colour Option", "1015 radio Low|Colour Option",
    "-1 frame Rotation", "1016 check None|Rotation", "1017 check Clockwise|Rotation",
    "1018 check Anti-Clockwise|Rotation", "-1 frame Shapes", "1005 check Circle|Shapes",
    "1009 check 4 Point Star|Shapes", "1012 check 6 Point Star|Shapes", "1008 check 8 Point Star|Shapes",
    "1006 check Square|Shapes", "1007 check Diamond|Shapes", "1010 check Triangle|Shapes",
    "1011 check Pyramid|Shapes", "-1 frame Zoom Options", "1032 check Very High|Zoom Options",
    "1029 check High|Zoom Options", "1030 check Medium|Zoom Options", "1031 check Low|Zoom Options",
    "1033 check 1 Phase|Zoom Options", "1034 check 2 Phase|Zoom Options", "1035 check 4 Phase|Zoom Options",
    "1039 check Start Small|Zoom Options", "1040 check Start Large|Zoom Options",
};

// What each mask bit's check box says, lowest bit (2) first.
const char* const MASK_TEXTS[] = {
    "Circle|Square|Triangle|4 Point Star|Diamond|Pyramid|6 Point Star|8 Point Star|",
    "None|Clockwise|Anti-Clockwise|",
    "Low|Medium|High|Very High|1 Phase|2 Phase|4 Phase|Start Small|Start Large|",
};

// Reads an extended dialog template: 16-bit words, pairs of them, and strings.
struct TemplateReader {
    const WORD* At;
    DWORD Word() { return *At++; }
    DWORD Dword()
    {
        DWORD low = Word();
        return low | Word() << 16;
    }
    std::string Text()  // ASCII, or "#n" for an ordinal
    {
        if (*At == 0xFFFF)
            return At += 2, "#" + std::to_string(At[-1]);
        std::string text;
        for (WORD c = *At++; c != 0; c = *At++)
            text += c < 128 ? static_cast<char>(c) : '?';
        return text;
    }
};

std::string Kind(const std::string& className, DWORD style)
{
    const char* const buttons[16] = {"push", "default", "?", "check", "?", "?", "?", "frame",
                                     "?",    "radio",   "?", "?",     "?", "?", "?", "?"};
    const DWORD childStyle = WS_CHILD | WS_VISIBLE;
    if ((style & childStyle) != childStyle)
        return "hidden";
    if (className == "BUTTON")
        return buttons[style & 0xF] + std::string((style & 0xF) == 7 || (style & WS_TABSTOP) ? "" : "-untabbed");
    if (className == "EDIT")
        return (style & (ES_NUMBER | WS_TABSTOP)) == (ES_NUMBER | WS_TABSTOP) ? "edit" : "free-edit";
    return className == "STATIC" && (style & SS_TYPEMASK) == SS_LEFT ? "label" : className;
}

}  // namespace

TEST_F(SaverResources, IconStringAndVersion)
{
    // Icon 100: one 32 x 32 image in 16 colours (a group icon directory entry).
    HRSRC found = FindResourceA(Module, MAKEINTRESOURCEA(100), RT_GROUP_ICON);
    auto group = static_cast<const BYTE*>(LockResource(LoadResource(Module, found)));
    ASSERT_NE(group, nullptr);
    const BYTE* entry = group + 6;
    EXPECT_EQ(*reinterpret_cast<const WORD*>(group + 4), 1) << "images in the icon";
    EXPECT_EQ((std::string{char(entry[0]), char(entry[1]), char(entry[2]), char(entry[6])}), "\x20\x20\x10\x04");
    EXPECT_NE(FindResourceA(Module, MAKEINTRESOURCEA(*reinterpret_cast<const WORD*>(entry + 12)), RT_ICON), nullptr);
    char text[64] = "";
    EXPECT_EQ(LoadStringA(Module, 1, text, sizeof(text)), 7);
    EXPECT_STREQ(text, "Orbilux");
    EXPECT_NE(FindResourceA(Module, MAKEINTRESOURCEA(VS_VERSION_INFO), RT_VERSION), nullptr);
}

TEST_F(SaverResources, DialogTemplateAndTheMaskTablesAgree)
{
    // Looking up one language finds only a template of exactly that language.
    HRSRC found = FindResourceExA(Module, MAKEINTRESOURCEA(5) /* RT_DIALOG */, MAKEINTRESOURCEA(2003),
                                  MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_UK));
    TemplateReader t{static_cast<const WORD*>(LockResource(LoadResource(Module, found)))};
    ASSERT_NE(t.At, nullptr);
    std::ostringstream header;  // version, mark, help id, ex-style, style, count, rectangle, menu, class, caption, font
    for (int i = 0; i < 10; i++)
        header << std::hex << (i >= 2 && i <= 4 ? t.Dword() : t.Word()) << " ";
    header << t.Text() << "|" << t.Text() << "|" << t.Text() << "|" << std::dec << t.Word() << " " << t.Word() << " "
           << std::hex << t.Word() << " " << t.Text();
    EXPECT_EQ(header.str(), "1 ffff 0 0 80c800c0 23 b6 95 11c ea ||Orbilux Setup - Version 1.9|10 0 100 MS Sans Serif");

    std::map<std::string, RECT> frames;
    std::map<int, std::string> texts;
    for (const char* row : CONTROLS) {
        t.At = reinterpret_cast<const WORD*>((reinterpret_cast<std::uintptr_t>(t.At) + 3) & ~std::uintptr_t(3));
        DWORD help = t.Dword(), exStyle = t.Dword(), style = t.Dword();
        RECT r = {LONG(t.Word()), LONG(t.Word()), 0, 0};
        r.right = r.left + t.Word(), r.bottom = r.top + t.Word();
        int id = static_cast<int>(t.Dword());
        std::string className = t.Text(), text = t.Text();
        t.At += (t.Word() + 1) / 2;  // creation data
        std::string shown = std::to_string(id) + " " + Kind(className, style) + " " + text, frame;
        if (Kind(className, style) == "frame")
            frames[text] = r;
        else if ((frame = std::string(row).substr(std::string(row).find('|') + 1)) != row)
            shown += "|" + frame;
        EXPECT_EQ(shown, row);
        EXPECT_EQ(help | exStyle, id == 1004 ? DWORD(WS_EX_TRANSPARENT) : 0u) << row;
        RECT inside, around = frames.count(frame) ? frames[frame] : RECT{0, 0, 284, 234};
        EXPECT_TRUE(IntersectRect(&inside, &r, &around) && EqualRect(&inside, &r)) << row << " lies outside";
        texts[id] = text;
    }
    // Each mask bit's check box says what the bit means.
    const MaskControl* tables[] = {SHAPE_CONTROLS, ROTATION_CONTROLS, ZOOM_CONTROLS};
    const size_t sizes[] = {std::size(SHAPE_CONTROLS), std::size(ROTATION_CONTROLS), std::size(ZOOM_CONTROLS)};
    for (int m = 0; m < 3; m++) {
        std::map<std::uint32_t, std::string> byBit;
        for (size_t i = 0; i < sizes[m]; i++)
            byBit[tables[m][i].Bit] = texts[tables[m][i].ControlId];
        std::string said;
        for (std::uint32_t bit = 2; byBit.count(bit); bit <<= 1)
            said += byBit[bit] + "|";
        EXPECT_EQ(said, MASK_TEXTS[m]);
    }
}
