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
    "1002 number |Display Options", "-1 label Object Size (%) :|Display Options", "1003 number |Display Options",
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
            text += static_cast<char>(c);
        return text;
    }
};

// A visible child's kind: the button type, a number-only or other edit, a label.
std::string Kind(const std::string& className, DWORD style)
{
    const std::map<DWORD, std::string> buttons = {{0, "push"}, {1, "default"}, {3, "check"}, {7, "frame"}, {9, "radio"}};
    bool tabStop = (style & WS_TABSTOP) != 0, visible = (style & (WS_CHILD | WS_VISIBLE)) == (WS_CHILD | WS_VISIBLE);
    std::string kind = className == "BUTTON" && buttons.count(style & 0xF) ? buttons.at(style & 0xF)
                       : className == "EDIT" && (style & ES_NUMBER)     ? "number"
                       : className == "STATIC" && (style & SS_TYPEMASK) == SS_LEFT ? "label" : className;
    return visible && tabStop == (kind != "frame" && kind != "label") ? kind : "wrong style " + kind;
}

std::string FrameOf(const std::string& row)
{
    return row.find('|') == std::string::npos ? "" : row.substr(row.find('|') + 1);
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
    // Version, mark, help id, extended style, style, count, x, y, width, height;
    // menu, class, caption; point size, weight, italic and character set, typeface.
    std::ostringstream header;
    for (int i = 0; i < 10; i++)
        header << std::hex << (i >= 2 && i <= 4 ? t.Dword() : t.Word()) << " ";
    header << t.Text() << "|" << t.Text() << "|" << t.Text() << "|" << std::dec << t.Word() << " " << t.Word() << " "
           << std::hex << t.Word() << " " << t.Text();
    EXPECT_EQ(header.str(), "1 ffff 0 0 80c800c0 23 b6 95 11c ea ||Orbilux Setup - Version 1.9|10 0 100 MS Sans Serif");

    std::map<std::string, RECT> frames = {{"", {0, 0, 284, 234}}}, framed;  // by text, and by row
    std::map<int, std::string> texts;
    for (std::string row : CONTROLS) {
        t.At = reinterpret_cast<const WORD*>((reinterpret_cast<std::uintptr_t>(t.At) + 3) & ~std::uintptr_t(3));
        DWORD extras = t.Dword() | t.Dword(), style = t.Dword();  // help id, extended style
        RECT r = {LONG(t.Word()), LONG(t.Word()), 0, 0};
        r.right = r.left + t.Word(), r.bottom = r.top + t.Word();
        int id = static_cast<int>(t.Dword());
        std::string kind = Kind(t.Text(), style), text = t.Text();
        t.At += (t.Word() + 1) / 2;  // creation data
        EXPECT_EQ(std::to_string(id) + " " + kind + " " + text + (FrameOf(row).empty() ? "" : "|" + FrameOf(row)), row);
        EXPECT_EQ(extras, id == 1004 ? DWORD(WS_EX_TRANSPARENT) : 0u) << row;
        frames[kind == "frame" ? text : "?"] = framed[row] = r;
        texts[id] = text;
    }
    for (std::string row : CONTROLS) {
        RECT inside, around = frames[FrameOf(row)];
        EXPECT_TRUE(IntersectRect(&inside, &framed[row], &around) && EqualRect(&inside, &framed[row])) << row;
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

// Manifest 1 is there and Windows' own reader takes it: an activation context
// is built from it and answers the DPI settings from the right namespaces.
TEST(SaverManifest, ParsesWithItsDpiSettings)
{
    std::string path = SaverPath();
    ACTCTXA request = {sizeof(request), ACTCTX_FLAG_RESOURCE_NAME_VALID, path.c_str(), 0, 0, nullptr,
                       MAKEINTRESOURCEA(1), nullptr, nullptr};
    HANDLE context = CreateActCtxA(&request);
    ASSERT_NE(context, INVALID_HANDLE_VALUE) << "error " << GetLastError();
    typedef BOOL(WINAPI * QuerySettings)(DWORD, HANDLE, const WCHAR*, const WCHAR*, WCHAR*, SIZE_T, SIZE_T*);
    auto query = reinterpret_cast<QuerySettings>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "QueryActCtxSettingsW")));
    ASSERT_NE(query, nullptr);
    WCHAR aware[16] = L"", awareness[16] = L"";
    query(0, context, L"http://schemas.microsoft.com/SMI/2005/WindowsSettings", L"dpiAware", aware, 16, nullptr);
    query(0, context, L"http://schemas.microsoft.com/SMI/2016/WindowsSettings", L"dpiAwareness", awareness, 16,
          nullptr);
    EXPECT_EQ(std::wstring(aware), L"true");
    EXPECT_EQ(std::wstring(awareness), L"PerMonitorV2");
    ReleaseActCtx(context);
}
