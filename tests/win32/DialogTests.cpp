// The settings dialog driven through its controls as a user would (typing,
// pasting, clicking, answering warning boxes), against the registry of the
// test prefix. The dialog runs on a thread of its own.
#include <cstring>

#include "SettingsKey.h"
#include "host/HostState.h"
#include "settings/ConfigDialog.h"

namespace {

const int IMAGES = 1002, SIZE = 1003, JOIN = 1004;
const char* const IMAGES_CAPTION = "Images Per Second";
const char* const SIZE_CAPTION = "Circle Radius";

// Polls until `done` holds; the limit only ends a broken run, it measures nothing.
template <typename Condition>
bool WaitUntil(Condition done)
{
    for (int i = 0; i < 3000 && !done(); ++i)
        Sleep(10);
    return done();
}

// False if the dialog did not handle the message (a warning box blocking its thread).
bool Send(HWND dialog, int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(GetDlgItem(dialog, id), message, wParam, lParam, SMTO_NORMAL, 20000, &result) != 0;
}

std::string Text(HWND dialog, int id)
{
    char text[64] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

// What the dialog shows, in StoredValues' order: images, size, join, the ticked
// colour buttons, then the masks of the ticked boxes (listed in bit order).
std::string Shown(HWND dialog)
{
    std::string colours;
    for (int id = 1013; id <= 1015; ++id)
        colours += IsDlgButtonChecked(dialog, id) ? Text(dialog, id) : "";
    auto mask = [dialog](std::initializer_list<int> boxes) {
        unsigned mask = 0, bit = 2;
        for (int id : boxes) {
            mask |= IsDlgButtonChecked(dialog, id) ? bit : 0;
            bit <<= 1;
        }
        return mask;
    };
    char line[128];
    std::snprintf(line, sizeof line, "%s %s %u %s %x %x %x", Text(dialog, IMAGES).c_str(), Text(dialog, SIZE).c_str(),
                  IsDlgButtonChecked(dialog, JOIN), colours.c_str(), mask({1005, 1006, 1010, 1009, 1007, 1011, 1012, 1008}),
                  mask({1016, 1017, 1018}), mask({1031, 1030, 1029, 1032, 1033, 1034, 1035, 1039, 1040}));
    return line;
}

// Waits for the warning box with this caption, checks that it is an ownerless
// warning, presses its OK and gives its text ("" if it never showed).
std::string AnswerWarning(const char* caption)
{
    HWND box = nullptr;
    if (!WaitUntil([&] { return (box = FindWindowA("#32770", caption)) != nullptr && IsWindowVisible(box); }))
        return "";
    EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr);
    HWND icon = FindWindowExA(box, nullptr, "Static", nullptr);
    while (icon != nullptr && (GetWindowLongA(icon, GWL_STYLE) & SS_TYPEMASK) != SS_ICON)
        icon = FindWindowExA(box, icon, "Static", nullptr);
    EXPECT_EQ(SendMessageA(icon, STM_GETICON, 0, 0), reinterpret_cast<LRESULT>(LoadIconA(nullptr, IDI_WARNING)));
    char text[256] = "";
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    WaitUntil([&] { return !IsWindow(box); });
    return text;
}

bool PutOnClipboard(const char* text)
{
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, std::strlen(text) + 1);
    if (memory == nullptr || !OpenClipboard(nullptr))
        return false;
    std::strcpy(static_cast<char*>(GlobalLock(memory)), text);
    GlobalUnlock(memory);
    EmptyClipboard();
    bool placed = SetClipboardData(CF_TEXT, memory) != nullptr;  // the clipboard owns it now
    CloseClipboard();
    return placed;
}

// RunConfigDialog on a thread; a dialog still open at the end is cancelled.
class DialogRun {
public:
    // `openingWarning`: the caption of a warning the dialog raises as it opens.
    explicit DialogRun(const char* openingWarning = nullptr) : Thread(CreateThread(nullptr, 0, Run, this, 0, nullptr))
    {
        if (openingWarning != nullptr)
            OpeningWarning = AnswerWarning(openingWarning);
        WaitUntil([&] {
            Window = FindWindowA("#32770", "Orbilux Setup - Version 1.9");
            return Window != nullptr && IsWindowVisible(Window) && GetDlgItem(Window, 1040) != nullptr;
        });
    }
    ~DialogRun()
    {
        for (const char* caption : {IMAGES_CAPTION, SIZE_CAPTION})
            if (HWND box = FindWindowA("#32770", caption))
                PostMessageA(box, WM_COMMAND, IDOK, 0);
        if (IsWindow(Window))
            PostMessageA(Window, WM_COMMAND, IDCANCEL, 0);
        WaitForSingleObject(Thread, 30000);
        CloseHandle(Thread);
    }
    INT_PTR Finish() { return WaitForSingleObject(Thread, 30000) == WAIT_OBJECT_0 ? Result : -100; }
    bool ClickOk() { return Send(Window, IDOK, BM_CLICK) && Finish() == 1; }  // OK ends the dialog with 1
    HWND Window = nullptr;
    std::string OpeningWarning;

private:
    static DWORD WINAPI Run(LPVOID self)
    {
        HostState.Instance = GetModuleHandleA(nullptr);
        static_cast<DialogRun*>(self)->Result = RunConfigDialog(nullptr);
        return 0;
    }
    INT_PTR Result = -100;  // set before the thread starts
    HANDLE Thread;
};

using ConfigDialogTest = SettingsKeyTest;

// Over the first four runs every check box has its own pattern (box k is
// ticked in run b when bit b of k is set), so a box tied to the wrong bit
// shows; the last run has none ticked. Bits no box stands for are dropped.
TEST_F(ConfigDialogTest, ShowsStoredSettingsAndOkWritesWhatIsShown)
{
    const DWORD none = NOT_A_DWORD, extra = 0x80001;
    const struct { std::initializer_list<DWORD> Values; const char *Shown, *Saved; } cases[] = {
        {{}, "50 8 0 High 2 2 0", "50 8 0 10 2 2 0"},
        {{300, 0, 1, 10, 0xAA | extra, 0xA | extra, 0x2AA | extra}, "333 0 1 High aa a 2aa", "333 0 1 10 aa a 2aa"},
        {{60, 29, 1, 30, 0xCC | extra, 0xC | extra, 0xCC | extra}, "62 28 0 Medium cc c cc", "62 28 0 30 cc c cc"},
        {{1000, 500, none, 50, 0xF0 | extra, extra, 0xF0 | extra}, "1000 500 0 Low f0 0 f0", "1000 500 0 50 f0 2 f0"},
        {{none, none, none, 77, 0x100, 0, 0x300}, "50 8 0 Medium 100 0 300", "50 8 0 30 100 2 300"},
        {{7, 12, 1, 0, 0, 0, 0}, "7 12 0 Medium 0 0 0", "7 12 0 30 2 2 0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Shown);
        RemoveSettingsKey();
        PutDwords(c.Values);
        DialogRun run;
        ASSERT_NE(run.Window, nullptr);
        EXPECT_EQ(Shown(run.Window), c.Shown);
        ASSERT_TRUE(run.ClickOk());
        EXPECT_EQ(StoredValues(), c.Saved);
    }
}

// Each step replaces the whole entry or types at its end; a longer input is
// pasted. A step that must raise a warning is posted, as the box blocks the dialog.
TEST_F(ConfigDialogTest, EntriesOutOfRangeAreRefusedWithAWarning)
{
    const char* const IMAGES_WARNING = "Entry must be between 1 and 1000";
    const char* const SIZE_WARNING = "Entry must be between 0 and 500 %";
    const struct { int Id; bool Replace; const char *Input, *Warning, *Shown; } steps[] = {
        {IMAGES, true, "1", nullptr, "1"},          {IMAGES, false, "5", nullptr, "15"},
        {IMAGES, false, "0", nullptr, "150"},       {IMAGES, false, "0", IMAGES_WARNING, "166"},  // 1000 / (1000 / 150)
        {IMAGES, true, "0", IMAGES_WARNING, "166"}, {IMAGES, true, "-5", IMAGES_WARNING, "166"},
        {SIZE, true, "5", nullptr, "5"},            {SIZE, false, "0", nullptr, "50"},
        {SIZE, false, "1", SIZE_WARNING, "50"},     {SIZE, true, "-1", SIZE_WARNING, "50"},
        {SIZE, true, "0", nullptr, "0"},
    };
    DialogRun run;
    HWND dialog = run.Window;
    ASSERT_NE(dialog, nullptr);
    for (const auto& step : steps) {
        SCOPED_TRACE(std::string("entering ") + step.Input + " to show " + step.Shown);
        if (step.Replace)
            Send(dialog, step.Id, EM_SETSEL, 0, -1);
        HWND edit = GetDlgItem(dialog, step.Id);
        const WPARAM key = static_cast<unsigned char>(step.Input[0]);
        bool entered = std::strlen(step.Input) > 1 ? PutOnClipboard(step.Input) && PostMessageA(edit, WM_PASTE, 0, 0)
                       : step.Warning != nullptr   ? PostMessageA(edit, WM_CHAR, key, 1) != 0
                                                   : Send(dialog, step.Id, WM_CHAR, key, 1);
        ASSERT_TRUE(entered) << "a warning blocked the dialog";
        if (step.Warning != nullptr) {
            EXPECT_EQ(AnswerWarning(step.Id == IMAGES ? IMAGES_CAPTION : SIZE_CAPTION), step.Warning);
        }
        EXPECT_EQ(Text(dialog, step.Id), step.Shown);
    }
    ASSERT_TRUE(run.ClickOk());
    EXPECT_EQ(StoredValues(), "166 0 0 10 2 2 0");
}

// Changes, Cancel, then the same changes and OK. Emptied entries raise no
// warning; OK then writes their defaults.
TEST_F(ConfigDialogTest, CancelWritesNothingAndEmptiedEntriesSaveTheirDefaults)
{
    PutDwords({10, 20});
    for (int button : {IDCANCEL, IDOK}) {
        DialogRun run;
        ASSERT_NE(run.Window, nullptr);
        for (int id : {IMAGES, SIZE}) {
            ASSERT_TRUE(Send(run.Window, id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""))) << "a warning showed";
            EXPECT_EQ(Text(run.Window, id), "");
        }
        for (int id : {JOIN, 1015, 1017, 1040, button})
            ASSERT_TRUE(Send(run.Window, id, BM_CLICK));
        EXPECT_EQ(run.Finish(), button == IDOK ? 1 : 0);
        EXPECT_EQ(StoredValues(), button == IDOK ? "50 8 1 50 2 6 200" : "10 20 - - - - -");
    }
}

// A size beyond 500 % in the registry is refused as the dialog opens, once,
// and the default takes its place; putting the stored value back would be
// refused again by the notification it raises, without end.
TEST_F(ConfigDialogTest, StoredSizeBeyondTheRangeFallsBackToTheDefault)
{
    PutDwords({NOT_A_DWORD, 700});
    DialogRun run(SIZE_CAPTION);
    EXPECT_EQ(run.OpeningWarning, "Entry must be between 0 and 500 %");
    ASSERT_NE(run.Window, nullptr);
    EXPECT_EQ(Text(run.Window, SIZE), "8");
    ASSERT_TRUE(run.ClickOk());
    EXPECT_EQ(StoredValues().substr(0, 5), "50 8 ");
}

}  // namespace
