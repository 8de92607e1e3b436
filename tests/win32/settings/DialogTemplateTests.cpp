// The dialog template as stored in the program, field by field, and the
// dialog it makes at run time: control order, tab order, classes, layout.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "DialogDriver.h"
#include "SettingsKey.h"

namespace {

const DWORD CHILD = WS_CHILD | WS_VISIBLE;
const DWORD CHECK_BOX = BS_AUTOCHECKBOX | WS_TABSTOP | CHILD;
const DWORD EDIT_STYLE = ES_NUMBER | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP | CHILD;

struct ControlRow {
    int Id;
    const char* Class;  // upper case
    DWORD Style;
    DWORD ExStyle;
    const char* Text;
    short X, Y, Width, Height;
};

// The controls in template order, which is also the tab order.
const ControlRow CONTROLS[] = {
    {1, "BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP | CHILD, 0, "OK", 233, 212, 40, 14},
    {2, "BUTTON", BS_PUSHBUTTON | WS_TABSTOP | CHILD, 0, "Cancel", 171, 212, 40, 14},
    {-1, "STATIC", SS_LEFT | WS_GROUP | CHILD, 0, "Images Per Second :", 15, 92, 66, 8},
    {-1, "BUTTON", BS_GROUPBOX | CHILD, 0, "Display Options", 10, 81, 101, 52},
    {1002, "EDIT", EDIT_STYLE, 0, "", 83, 92, 20, 12},
    {-1, "STATIC", SS_LEFT | WS_GROUP | CHILD, 0, "Object Size (%) :", 30, 106, 50, 10},
    {1003, "EDIT", EDIT_STYLE, 0, "", 83, 106, 20, 12},
    {1004, "BUTTON", CHECK_BOX, WS_EX_TRANSPARENT, "Connect Dots (if size zero)", 15, 120, 87, 10},
    {-1, "BUTTON", BS_GROUPBOX | CHILD, 0, "Colour Option", 122, 81, 70, 52},
    {1013, "BUTTON", BS_AUTORADIOBUTTON | WS_TABSTOP | CHILD, 0, "High", 127, 92, 30, 10},
    {1014, "BUTTON", BS_AUTORADIOBUTTON | WS_TABSTOP | CHILD, 0, "Medium", 127, 106, 40, 10},
    {1015, "BUTTON", BS_AUTORADIOBUTTON | WS_TABSTOP | CHILD, 0, "Low", 127, 120, 28, 10},
    {-1, "BUTTON", BS_GROUPBOX | CHILD, 0, "Rotation", 203, 81, 70, 52},
    {1016, "BUTTON", CHECK_BOX, 0, "None", 208, 92, 30, 10},
    {1017, "BUTTON", CHECK_BOX, 0, "Clockwise", 208, 106, 44, 10},
    {1018, "BUTTON", CHECK_BOX, 0, "Anti-Clockwise", 208, 120, 56, 10},
    {-1, "BUTTON", BS_GROUPBOX | CHILD, 0, "Shapes", 10, 141, 101, 63},
    {1005, "BUTTON", CHECK_BOX, 0, "Circle", 17, 153, 29, 10},
    {1009, "BUTTON", CHECK_BOX, 0, "4 Point Star", 17, 164, 44, 10},
    {1012, "BUTTON", CHECK_BOX, 0, "6 Point Star", 17, 175, 44, 10},
    {1008, "BUTTON", CHECK_BOX, 0, "8 Point Star", 17, 186, 44, 10},
    {1006, "BUTTON", CHECK_BOX, 0, "Square", 67, 153, 34, 10},
    {1007, "BUTTON", CHECK_BOX, 0, "Diamond", 67, 164, 39, 10},
    {1010, "BUTTON", CHECK_BOX, 0, "Triangle", 67, 175, 37, 10},
    {1011, "BUTTON", CHECK_BOX, 0, "Pyramid", 67, 186, 36, 10},
    {-1, "BUTTON", BS_GROUPBOX | CHILD, 0, "Zoom Options", 122, 141, 151, 63},
    {1032, "BUTTON", CHECK_BOX, 0, "Very High", 127, 153, 46, 10},
    {1029, "BUTTON", CHECK_BOX, 0, "High", 127, 164, 30, 10},
    {1030, "BUTTON", CHECK_BOX, 0, "Medium", 127, 175, 40, 10},
    {1031, "BUTTON", CHECK_BOX, 0, "Low", 127, 186, 28, 10},
    {1033, "BUTTON", CHECK_BOX, 0, "1 Phase", 176, 160, 35, 10},
    {1034, "BUTTON", CHECK_BOX, 0, "2 Phase", 176, 171, 36, 10},
    {1035, "BUTTON", CHECK_BOX, 0, "4 Phase", 176, 182, 35, 10},
    {1039, "BUTTON", CHECK_BOX, 0, "Start Small", 220, 164, 43, 10},
    {1040, "BUTTON", CHECK_BOX, 0, "Start Large", 220, 175, 44, 10},
};
const size_t CONTROL_COUNT = sizeof CONTROLS / sizeof CONTROLS[0];

const WORD UK_ENGLISH = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_UK);

// Reads a DLGTEMPLATEEX field by field; reads past the end yield zeros.
class TemplateReader {
public:
    TemplateReader(const BYTE* data, DWORD size) : Data(data), Size(size), At(0) {}

    BYTE Byte() { return At < Size ? Data[At++] : (At++, 0); }
    WORD Word()
    {
        WORD low = Byte();
        return static_cast<WORD>(low | Byte() << 8);
    }
    DWORD Dword()
    {
        DWORD low = Word();
        return low | static_cast<DWORD>(Word()) << 16;
    }
    // A zero-terminated UTF-16 string of ASCII text.
    std::string String()
    {
        std::string text;
        for (WORD c = Word(); c != 0 && At <= Size; c = Word())
            text += c < 128 ? static_cast<char>(c) : '?';
        return text;
    }
    // A string, or an ordinal after 0xFFFF, written as "#n".
    std::string StringOrOrdinal()
    {
        if (At + 1 < Size && Data[At] == 0xFF && Data[At + 1] == 0xFF) {
            Word();
            return "#" + std::to_string(Word());
        }
        return String();
    }
    void AlignToDword() { At = (At + 3) & ~3u; }
    void Skip(DWORD count) { At += count; }
    bool Overran() const { return At > Size; }

private:
    const BYTE* Data;
    DWORD Size;
    DWORD At;
};

// The predefined classes appear by name or by ordinal; both name the same class.
std::string ClassName(const std::string& stored)
{
    if (stored == "#128")
        return "BUTTON";
    if (stored == "#129")
        return "EDIT";
    if (stored == "#130")
        return "STATIC";
    std::string upper = stored;
    for (char& c : upper)
        c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    return upper;
}

BOOL CALLBACK CollectLanguage(HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR param)
{
    reinterpret_cast<std::vector<WORD>*>(param)->push_back(language);
    return TRUE;
}

TEST(DialogTemplate, StoredTemplateMatchesTheTable)
{
    HMODULE module = GetModuleHandleA(nullptr);
    std::vector<WORD> languages;
    EnumResourceLanguagesA(module, MAKEINTRESOURCEA(5) /* RT_DIALOG */, MAKEINTRESOURCEA(2003), CollectLanguage,
                           reinterpret_cast<LONG_PTR>(&languages));
    ASSERT_EQ(languages, std::vector<WORD>{UK_ENGLISH});

    HRSRC found = FindResourceExA(module, MAKEINTRESOURCEA(5), MAKEINTRESOURCEA(2003), UK_ENGLISH);
    ASSERT_NE(found, nullptr);
    const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
    ASSERT_NE(data, nullptr);
    TemplateReader t(data, SizeofResource(module, found));

    EXPECT_EQ(t.Word(), 1u);       // dlgVer
    EXPECT_EQ(t.Word(), 0xFFFFu);  // signature: extended template
    EXPECT_EQ(t.Dword(), 0u);      // helpID
    EXPECT_EQ(t.Dword(), 0u);      // exStyle
    DWORD style = t.Dword();
    EXPECT_EQ(style, static_cast<DWORD>(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT));
    EXPECT_EQ(style & (DS_CENTER | DS_ABSALIGN), 0u);
    WORD count = t.Word();
    ASSERT_EQ(count, CONTROL_COUNT);
    EXPECT_EQ(static_cast<short>(t.Word()), 182);
    EXPECT_EQ(static_cast<short>(t.Word()), 149);
    EXPECT_EQ(static_cast<short>(t.Word()), 284);
    EXPECT_EQ(static_cast<short>(t.Word()), 234);
    EXPECT_EQ(t.StringOrOrdinal(), "");  // no menu
    EXPECT_EQ(t.StringOrOrdinal(), "");  // the standard dialog class
    EXPECT_EQ(t.String(), "Orbilux Setup - Version 1.9");
    EXPECT_EQ(t.Word(), 10u);  // point size
    EXPECT_EQ(t.Word(), 0u);   // weight
    EXPECT_EQ(t.Byte(), 0u);   // italic
    EXPECT_EQ(t.Byte(), 1u);   // character set
    EXPECT_EQ(t.String(), "MS Sans Serif");

    for (const ControlRow& row : CONTROLS) {
        SCOPED_TRACE(std::string("control ") + std::to_string(row.Id) + " \"" + row.Text + "\"");
        t.AlignToDword();
        EXPECT_EQ(t.Dword(), 0u);  // helpID
        EXPECT_EQ(t.Dword(), row.ExStyle);
        EXPECT_EQ(t.Dword(), row.Style);
        EXPECT_EQ(static_cast<short>(t.Word()), row.X);
        EXPECT_EQ(static_cast<short>(t.Word()), row.Y);
        EXPECT_EQ(static_cast<short>(t.Word()), row.Width);
        EXPECT_EQ(static_cast<short>(t.Word()), row.Height);
        EXPECT_EQ(static_cast<int>(t.Dword()), row.Id);
        EXPECT_EQ(ClassName(t.StringOrOrdinal()), row.Class);
        EXPECT_EQ(t.StringOrOrdinal(), row.Text);
        t.Skip(t.Word());  // creation data
        ASSERT_FALSE(t.Overran());
    }
}

TEST(DialogTemplate, RunningDialogKeepsTemplateOrderAsTabOrder)
{
    RemoveSettingsKey();
    DialogRun run;
    HWND dialog = run.Dialog();
    ASSERT_NE(dialog, nullptr);

    HWND child = GetWindow(dialog, GW_CHILD);
    for (const ControlRow& row : CONTROLS) {
        ASSERT_NE(child, nullptr);
        EXPECT_EQ(GetDlgCtrlID(child), row.Id) << row.Text;
        child = GetWindow(child, GW_HWNDNEXT);
    }
    EXPECT_EQ(child, nullptr);

    // Tab goes through the tab stops in template order and wraps round. The
    // dialog manager stops only at the selected button of a radio group: with
    // no key, "High".
    std::vector<int> expected;
    for (const ControlRow& row : CONTROLS)
        if ((row.Style & WS_TABSTOP) && row.Id != 1014 && row.Id != 1015)
            expected.push_back(row.Id);
    expected.push_back(IDOK);
    std::vector<int> order;
    HWND item = GetDlgItem(dialog, IDOK);
    for (size_t i = 0; i < expected.size(); ++i, item = GetNextDlgTabItem(dialog, item, FALSE))
        order.push_back(GetDlgCtrlID(item));
    EXPECT_EQ(order, expected);

    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(run.Finish(), 0);
}

}  // namespace
