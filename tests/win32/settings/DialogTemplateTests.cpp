// The settings dialog's template as stored in the program, field by field.
// Template order is also the dialog's tab order.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

#include "settings/DialogIds.h"

namespace {

const DWORD CHILD = WS_CHILD | WS_VISIBLE;
const DWORD CHECK = BS_AUTOCHECKBOX | WS_TABSTOP | CHILD;
const DWORD RADIO = BS_AUTORADIOBUTTON | WS_TABSTOP | CHILD;
const DWORD FRAME = BS_GROUPBOX | CHILD;
const DWORD LABEL = SS_LEFT | WS_GROUP | CHILD;
const DWORD ENTRY = ES_NUMBER | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP | CHILD;

// The controls in template order: id, class, style, extended style, text, x, y, width, height.
struct Row { int Id; const char* Class; DWORD Style, ExStyle; const char* Text; DWORD X, Y, Width, Height; };
const Row CONTROLS[] = {
    {1, "BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP | CHILD, 0, "OK", 233, 212, 40, 14},
    {2, "BUTTON", BS_PUSHBUTTON | WS_TABSTOP | CHILD, 0, "Cancel", 171, 212, 40, 14},
    {-1, "STATIC", LABEL, 0, "Images Per Second :", 15, 92, 66, 8},
    {-1, "BUTTON", FRAME, 0, "Display Options", 10, 81, 101, 52},
    {IDC_IMAGES_PER_SEC, "EDIT", ENTRY, 0, "", 83, 92, 20, 12},
    {-1, "STATIC", LABEL, 0, "Object Size (%) :", 30, 106, 50, 10},
    {IDC_OBJECT_SIZE, "EDIT", ENTRY, 0, "", 83, 106, 20, 12},
    {IDC_JOIN_THE_DOTS, "BUTTON", CHECK, WS_EX_TRANSPARENT, "Connect Dots (if size zero)", 15, 120, 87, 10},
    {-1, "BUTTON", FRAME, 0, "Colour Option", 122, 81, 70, 52},
    {IDC_COLOUR_HIGH, "BUTTON", RADIO, 0, "High", 127, 92, 30, 10},
    {IDC_COLOUR_MEDIUM, "BUTTON", RADIO, 0, "Medium", 127, 106, 40, 10},
    {IDC_COLOUR_LOW, "BUTTON", RADIO, 0, "Low", 127, 120, 28, 10},
    {-1, "BUTTON", FRAME, 0, "Rotation", 203, 81, 70, 52},
    {IDC_ROTATION_NONE, "BUTTON", CHECK, 0, "None", 208, 92, 30, 10},
    {IDC_ROTATION_CLOCKWISE, "BUTTON", CHECK, 0, "Clockwise", 208, 106, 44, 10},
    {IDC_ROTATION_ANTICLOCKWISE, "BUTTON", CHECK, 0, "Anti-Clockwise", 208, 120, 56, 10},
    {-1, "BUTTON", FRAME, 0, "Shapes", 10, 141, 101, 63},
    {IDC_CIRCLE, "BUTTON", CHECK, 0, "Circle", 17, 153, 29, 10},
    {IDC_FOUR_POINT_STAR, "BUTTON", CHECK, 0, "4 Point Star", 17, 164, 44, 10},
    {IDC_SIX_POINT_STAR, "BUTTON", CHECK, 0, "6 Point Star", 17, 175, 44, 10},
    {IDC_EIGHT_POINT_STAR, "BUTTON", CHECK, 0, "8 Point Star", 17, 186, 44, 10},
    {IDC_SQUARE, "BUTTON", CHECK, 0, "Square", 67, 153, 34, 10},
    {IDC_DIAMOND, "BUTTON", CHECK, 0, "Diamond", 67, 164, 39, 10},
    {IDC_TRIANGLE, "BUTTON", CHECK, 0, "Triangle", 67, 175, 37, 10},
    {IDC_PYRAMID, "BUTTON", CHECK, 0, "Pyramid", 67, 186, 36, 10},
    {-1, "BUTTON", FRAME, 0, "Zoom Options", 122, 141, 151, 63},
    {IDC_ZOOM_VERY_HIGH, "BUTTON", CHECK, 0, "Very High", 127, 153, 46, 10},
    {IDC_ZOOM_HIGH, "BUTTON", CHECK, 0, "High", 127, 164, 30, 10},
    {IDC_ZOOM_MEDIUM, "BUTTON", CHECK, 0, "Medium", 127, 175, 40, 10},
    {IDC_ZOOM_LOW, "BUTTON", CHECK, 0, "Low", 127, 186, 28, 10},
    {IDC_ZOOM_ONE_PHASE, "BUTTON", CHECK, 0, "1 Phase", 176, 160, 35, 10},
    {IDC_ZOOM_TWO_PHASE, "BUTTON", CHECK, 0, "2 Phase", 176, 171, 36, 10},
    {IDC_ZOOM_FOUR_PHASE, "BUTTON", CHECK, 0, "4 Phase", 176, 182, 35, 10},
    {IDC_ZOOM_START_SMALL, "BUTTON", CHECK, 0, "Start Small", 220, 164, 43, 10},
    {IDC_ZOOM_START_LARGE, "BUTTON", CHECK, 0, "Start Large", 220, 175, 44, 10},
};
using Fields = std::vector<DWORD>;
using Texts = std::vector<std::string>;

// Reads an extended dialog template: 16-bit words, pairs of them, and strings.
struct TemplateReader {
    const WORD* At;
    DWORD Word() { return *At++; }
    DWORD Dword()
    {
        DWORD low = Word();
        return low | Word() << 16;
    }
    // ASCII text, or "#n" for an ordinal.
    std::string Text()
    {
        if (*At == 0xFFFF) {
            At += 2;
            return "#" + std::to_string(At[-1]);
        }
        std::string text;
        for (WORD c = *At++; c != 0; c = *At++)
            text += c < 128 ? static_cast<char>(c) : '?';
        return text;
    }
};

TEST(DialogTemplate, StoredTemplateMatchesTheTable)
{
    HMODULE module = GetModuleHandleA(nullptr);
    // Looking up one language finds only a template of exactly that language.
    HRSRC found = FindResourceExA(module, MAKEINTRESOURCEA(5) /* RT_DIALOG */, MAKEINTRESOURCEA(IDD_CONFIG),
                                  MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_UK));
    const WORD* start = static_cast<const WORD*>(LockResource(LoadResource(module, found)));
    ASSERT_NE(start, nullptr);
    const WORD* end = start + SizeofResource(module, found) / 2;
    TemplateReader t{start};

    // Version, extended-template mark, help id, extended style, style, control count, x, y, width, height.
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT, count = std::size(CONTROLS);
    const Fields header = {t.Word(), t.Word(), t.Dword(), t.Dword(), t.Dword(), t.Word(),
                           t.Word(), t.Word(), t.Word(), t.Word()};
    ASSERT_EQ(header, (Fields{1, 0xFFFF, 0, 0, style, count, 182, 149, 284, 234}));
    // Menu, class, caption; point size, weight, italic and character set; typeface.
    EXPECT_EQ((Texts{t.Text(), t.Text(), t.Text()}), (Texts{"", "", "Orbilux Setup - Version 1.9"}));
    EXPECT_EQ((Fields{t.Word(), t.Word(), t.Word()}), (Fields{10, 0, 0x100}));
    EXPECT_EQ(t.Text(), "MS Sans Serif");

    for (const auto& row : CONTROLS) {
        t.At = reinterpret_cast<const WORD*>((reinterpret_cast<std::uintptr_t>(t.At) + 3) & ~std::uintptr_t(3));
        // Help id, extended style, style, x, y, width, height, id; class and text.
        const Fields fields = {t.Dword(), t.Dword(), t.Dword(), t.Word(), t.Word(), t.Word(), t.Word(), t.Dword()};
        EXPECT_EQ(fields, (Fields{0, row.ExStyle, row.Style, row.X, row.Y, row.Width, row.Height, DWORD(row.Id)}))
            << row.Text;
        EXPECT_EQ((Texts{t.Text(), t.Text()}), (Texts{row.Class, row.Text}));
        t.At += (t.Word() + 1) / 2;  // creation data
        ASSERT_LE(t.At, end);
    }
}

}  // namespace
