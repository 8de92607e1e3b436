// The settings dialog of the real orbilux.scr, driven through its controls
// (entries, clicks, warning boxes) against the registry of the test prefix.
// (What an entry makes of a setting: the native entry-check tables; the
// template: tests/data/win32/resources.rc.)
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "Support.h"
#include "settings/DialogIds.h"
#include "settings/SettingsValues.h"

namespace {

const int ID_IMAGES = IDC_IMAGES_PER_SEC, ID_SIZE = IDC_OBJECT_SIZE;
const char* const TITLE = "Orbilux Setup - Version " ORBILUX_PROJECT_VERSION;
const char* const IMAGES_WARNING = "Entry must be between 1 and 1000";
const char* const SIZE_WARNING = "Entry must be between 0 and 500 %";

// False if the dialog did not handle the message in time (a warning box blocking it).
bool Send(HWND dialog, int id, UINT message, LPARAM lParam = 0, UINT timeoutMs = 20000)
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(GetDlgItem(dialog, id), message, 0, lParam, SMTO_NORMAL, timeoutMs, &result) != 0;
}

std::string Text(HWND dialog, int id)
{
    char text[64] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

// Waits for the warning box with this caption, checks that it is an ownerless
// warning, presses its OK and gives its text ("" if it never showed).
std::string AnswerWarning(const char* caption)
{
    HWND box = nullptr, icon = nullptr;
    if (!PumpUntil([&] { return (box = FindWindowA(DIALOG, caption)) != nullptr && IsWindowVisible(box); }))
        return "";
    EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr);
    while ((icon = FindWindowExA(box, icon, "Static", nullptr)) && (GetWindowLongA(icon, GWL_STYLE) & 0xF) != SS_ICON)
        continue;
    EXPECT_NE(icon, nullptr) << "a warning box without its icon";
    std::string text = Text(box, 0xFFFF);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    PumpUntil([&] { return !IsWindow(box); });
    return text;
}

// What each mask bit's check box says, lowest bit (2) first.
std::string MaskTexts(HWND dialog, const SettingFacts& facts)
{
    std::string said;
    for (std::uint32_t bit = 2; bit != 0; bit <<= 1)
        for (int i = 0; i < facts.ChoiceCount; i++)
            said += facts.Choices[i].Value == bit ? Text(dialog, facts.Choices[i].ControlId) + "|" : "";
    return said;
}

class SettingsDialog : public ::testing::Test {
protected:
    void SetUp() override { RemoveSettingsKey(); }
    void TearDown() override { RemoveSettingsKey(); }
    HWND Open() { return Saver.Start("") ? Saver.WaitForWindow(DIALOG, TITLE) : nullptr; }
    SaverProcess Saver;
};

}  // namespace

// A key left locked by a case that failed is gone when the next case starts.
TEST_F(SettingsDialog, ALockedKeyLeftBehindIsRemoved)
{
    PutSettings({300, 0});
    ASSERT_TRUE(SetKeyAccess("RC"));
    RemoveSettingsKey();
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, SETTINGS_KEY, 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
    RegCloseKey(key);
}

// OK writes what the dialog showed: over the runs with masks each box has its own
// pattern (box k ticked in run b when bit b of k is set), so a box shown or read
// for the wrong bit shows. Bits no box stands for are dropped; empty shape and
// rotation masks are written as 2. Cancel writes nothing. A value of any type
// reads as its bytes, up to 4 of them; a longer one keeps the default (the last
// column: ObjectShape's bytes, as REG_BINARY). A read-only key loads;
// a locked one gives the defaults; into either, OK writes and says nothing (a
// warning box would block the click).
TEST_F(SettingsDialog, OkWritesTheStoredSettingsAsShownAndCancelNothing)
{
    const DWORD none = NOT_STORED, extra = 0x80001;
    const struct {
        std::initializer_list<DWORD> Values;
        const char *Access, *Shown, *Saved;
        int Button;
        const char* Shape = nullptr;
    } cases[] = {
        {{}, "KA", "50 8", "50 8 0 10 2 2 0", IDOK},
        {{300, 0, 7, 10, 0xAA | extra, 0xA | extra, 0x2AA | extra}, "KA", "333 0", "333 0 1 10 aa a 2aa", IDOK},
        {{60, 29, 1, 30, 0xCC | extra, 0xC | extra, 0xCC | extra}, "KA", "62 28", "62 28 0 30 cc c cc", IDOK},
        {{1000, 500, none, 50, 0xF0 | extra, extra, 0xF0 | extra}, "KA", "1000 500", "1000 500 0 50 f0 2 f0", IDOK},
        {{none, none, 1, 77, 0x100, 0, 0x300}, "KA", "50 8", "50 8 0 30 100 2 300", IDOK},
        {{10, 20}, "KA", "10 20", "10 20 - - - - -", IDCANCEL},
        {{300, 0, 1, 30}, "KR", "333 0", "300 0 1 30 - - -", IDOK},
        {{300, 0, 1, 30}, "RC", "50 8", "300 0 1 30 - - -", IDOK},
        {{}, "KA", "50 8", "50 8 0 10 c 2 0", IDOK, "\x0C"},
        {{}, "KA", "50 8", "50 8 0 10 2 2 0", IDOK, "\x0C\x01\x01\x01"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Saved);
        RemoveSettingsKey();
        PutSettings(c.Values);
        if (c.Shape != nullptr)  // with its terminating zero: 2 and 5 bytes
            PutValue(SETTINGS_KEY, "ObjectShape", REG_BINARY, c.Shape, static_cast<DWORD>(std::strlen(c.Shape) + 1));
        ASSERT_TRUE(c.Values.size() == 0 || SetKeyAccess(c.Access));
        HWND dialog = Open();
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(Text(dialog, ID_IMAGES) + " " + Text(dialog, ID_SIZE), c.Shown);
        ASSERT_TRUE(Send(dialog, c.Button, BM_CLICK));
        EXPECT_EQ(Saver.WaitExit(), c.Button == IDOK ? 1u : 0u);
        SetKeyAccess("KA");
        EXPECT_EQ(StoredSettings(), c.Saved);
    }
}

// A stored size beyond 500 % is refused as the dialog opens, once. Then each
// step replaces an entry; a warning blocks the dialog until it is answered.
// An emptied entry raises none and saves its default. Each mask bit's box
// says what the bit means.
TEST_F(SettingsDialog, EntriesOutOfRangeAreRefusedWithAWarning)
{
    const struct {
        int Id;
        const char *Input, *Warning, *Shown;
    } steps[] = {
        {ID_IMAGES, "3", nullptr, "3"},        {ID_IMAGES, "1500", IMAGES_WARNING, "3"},
        {ID_IMAGES, "0", IMAGES_WARNING, "3"}, {ID_IMAGES, "x", nullptr, "x"},
        {ID_IMAGES, "4", nullptr, "4"},        {ID_SIZE, "-1", SIZE_WARNING, "8"},
        {ID_SIZE, "0", nullptr, "0"},          {ID_SIZE, "", nullptr, ""},
    };
    PutSettings({NOT_STORED, 700});
    ASSERT_TRUE(Saver.Start(""));
    EXPECT_EQ(AnswerWarning("Circle Radius"), SIZE_WARNING);
    HWND dialog = Saver.WaitForWindow(DIALOG, TITLE);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(Text(dialog, ID_SIZE), "8");
    std::string masks = MaskTexts(dialog, SETTINGS_TABLE[SETTING_OBJECT_SHAPE]);
    masks += MaskTexts(dialog, SETTINGS_TABLE[SETTING_OBJECT_ROTATION]);
    EXPECT_EQ(masks + MaskTexts(dialog, SETTINGS_TABLE[SETTING_ZOOM_OPTION]),
              "Circle|Square|Triangle|4 Point Star|Diamond|Pyramid|6 Point Star|8 Point Star|None|Clockwise|"
              "Anti-Clockwise|Low|Medium|High|Very High|1 Phase|2 Phase|4 Phase|Start Small|Start Large|");
    for (const auto& step : steps) {
        SCOPED_TRACE(std::string("entering ") + step.Input);
        EXPECT_NE(Send(dialog, step.Id, WM_SETTEXT, reinterpret_cast<LPARAM>(step.Input), step.Warning ? 200 : 20000),
                  step.Warning != nullptr);
        if (step.Warning != nullptr) {
            EXPECT_EQ(AnswerWarning(step.Id == ID_IMAGES ? "Images Per Second" : "Circle Radius"), step.Warning);
        }
        EXPECT_TRUE(PumpUntil([&] { return Text(dialog, step.Id) == step.Shown; })) << Text(dialog, step.Id);
    }
    for (int id : {IDC_JOIN_THE_DOTS, IDC_COLOUR_LOW, IDC_ROTATION_CLOCKWISE, IDC_ZOOM_START_LARGE, IDOK})
        ASSERT_TRUE(Send(dialog, id, BM_CLICK));
    EXPECT_EQ(Saver.WaitExit(), 1u);
    EXPECT_EQ(StoredSettings(), "4 8 1 50 2 6 200");
}
