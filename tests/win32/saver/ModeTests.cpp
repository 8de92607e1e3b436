// The command line of the real orbilux.scr: which mode each tail runs, read
// back from the exit code and the windows that appear.
#include <gtest/gtest.h>

#include <string>

#include "SaverProcess.h"

namespace {

const DWORD NO_MODE = static_cast<DWORD>(-1);

// Runs a tail that opens the settings dialog (or would fail). When a dialog
// window shows up it is cancelled, and its owner is reported.
struct DialogRun {
    DWORD ExitCode = STILL_ACTIVE;
    bool SawDialog = false;
    HWND Owner = nullptr;
};

DialogRun RunDialogMode(SaverProcess& saver)
{
    DialogRun run;
    HWND dialog = nullptr;
    PumpUntil([&] {
        dialog = saver.FindTopWindow("#32770");
        return dialog != nullptr || !saver.Running();
    });
    if (dialog != nullptr) {
        run.SawDialog = true;
        run.Owner = GetWindow(dialog, GW_OWNER);
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    }
    run.ExitCode = saver.WaitExit();
    return run;
}

DialogRun RunDialogMode(const std::string& tail)
{
    SaverProcess saver(tail);
    return RunDialogMode(saver);
}

std::string Number(unsigned long long value)
{
    return std::to_string(value);
}

std::string HandleNumber(HWND window)
{
    return Number(static_cast<unsigned long long>(reinterpret_cast<ULONG_PTR>(window)));
}

// A parent for the preview, made and pumped by the test.
class PreviewParent : public ::testing::Test {
protected:
    void SetUp() override
    {
        Parent = CreateTestWindow("Preview parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 360, 280,
                                  RGB(0, 0, 255));
        ASSERT_NE(Parent, nullptr);
    }
    void TearDown() override
    {
        DestroyWindow(Parent);
        PumpMessages();
    }
    HWND WaitForPreview()
    {
        HWND child = nullptr;
        PumpUntil([&] {
            child = FindWindowExA(Parent, nullptr, "WindowsScreenSaverClass", "Preview");
            return child != nullptr && IsWindowVisible(child);
        });
        return child;
    }
    HWND Parent = nullptr;
};

}  // namespace

TEST(SaverModes, TailsWithoutModeLetterOpenTheDialog)
{
    for (const char* tail : {"", "   ", "-/ /", "/-/-"}) {
        DialogRun run = RunDialogMode(tail);
        EXPECT_EQ(run.ExitCode, 0u) << "tail \"" << tail << "\"";
        if (run.SawDialog) {
            EXPECT_EQ(run.Owner, nullptr) << "tail \"" << tail << "\"";
        }
    }
}

TEST(SaverModes, ConfigureLetterIgnoresTheRestAndUsesTheForegroundWindow)
{
    HWND owner = CreateTestWindow("Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 150);
    SetForegroundWindow(owner);
    PumpMessages();
    for (const char* tail : {"/c:1234", "-C", "c junk"}) {
        DialogRun run = RunDialogMode(tail);
        EXPECT_EQ(run.ExitCode, 0u) << tail;
        if (run.SawDialog) {
            EXPECT_EQ(run.Owner, owner) << tail;
        }
    }
    DestroyWindow(owner);
}

TEST(SaverModes, UnknownBytesAndMissingWindowsEndWithMinusOne)
{
    // A tab in front of the letter, an unknown letter, a digit; "a" outside
    // the Windows 95 family; preview handles that name no window.
    HWND stale = CreateTestWindow("Stale", WS_OVERLAPPEDWINDOW, 0, 0, 50, 50);
    std::string staleNumber = HandleNumber(stale);
    DestroyWindow(stale);
    for (std::string tail : {std::string("/x"), std::string("/\ts"), std::string("7"), std::string("q"),
                             std::string("/a"), std::string("-A 12"), std::string("/p"), std::string("/p 0"),
                             std::string("/p:1234"), std::string("/l ") + staleNumber,
                             std::string("/p ") + staleNumber}) {
        SaverProcess saver(tail);
        ASSERT_TRUE(saver.Started());
        EXPECT_EQ(saver.WaitExit(), NO_MODE) << "tail \"" << tail << "\"";
    }
    EXPECT_EQ(FindWindowA("WindowsScreenSaverClass", nullptr), nullptr);
}

TEST(SaverModes, QuotedProgramNameIsSkippedWhole)
{
    // Split at its space, the name would leave "x\..." and end with -1.
    std::string quoted = "\"C:\\orbi x\\orbilux.scr\"";
    SaverProcess whole(quoted, true);
    EXPECT_EQ(RunDialogMode(whole).ExitCode, 0u);

    SaverProcess withMode(quoted + " /x", true);
    EXPECT_EQ(withMode.WaitExit(), NO_MODE);

    // An unterminated quote swallows the line, leaving the dialog mode.
    SaverProcess unterminated("\"C:\\orbi\\orbilux.scr /x", true);
    EXPECT_EQ(RunDialogMode(unterminated).ExitCode, 0u);
}

TEST(SaverModes, FullScreenLetterInAnySpelling)
{
    for (const char* tail : {"s", "S", "/s", "-S", "/ s"}) {
        SaverProcess saver(tail);
        HWND window = WaitForFullScreenSaver();
        ASSERT_NE(window, nullptr) << tail;
        PostMessageA(window, WM_KEYDOWN, 'A', 0);
        EXPECT_EQ(saver.WaitExit(), 0u) << tail;
    }
}

TEST_F(PreviewParent, PreviewLettersFillTheParentAndCloseFromIt)
{
    for (std::string letter : {"/p ", "/l ", "-P", "L    "}) {
        SaverProcess saver(letter + HandleNumber(Parent));
        HWND child = WaitForPreview();
        ASSERT_NE(child, nullptr) << letter;
        RECT parentClient, childClient, childWindow;
        GetClientRect(Parent, &parentClient);
        GetClientRect(child, &childClient);
        GetWindowRect(child, &childWindow);
        MapWindowPoints(nullptr, Parent, reinterpret_cast<POINT*>(&childWindow), 2);
        EXPECT_EQ(childWindow.left, 0);
        EXPECT_EQ(childWindow.top, 0);
        EXPECT_EQ(childClient.right, parentClient.right);
        EXPECT_EQ(childClient.bottom, parentClient.bottom);
        PostMessageA(child, WM_CLOSE, 0, 0);
        EXPECT_EQ(saver.WaitExit(), 0u) << letter;
        EXPECT_FALSE(IsWindow(child));
    }
}

TEST_F(PreviewParent, HandleOfMoreThanTenDigitsWraps)
{
    unsigned long long handle = reinterpret_cast<ULONG_PTR>(Parent) & 0xFFFFFFFFull;
    SaverProcess saver("/p " + Number(3ull * 4294967296ull + handle));
    HWND child = WaitForPreview();
    ASSERT_NE(child, nullptr);
    PostMessageA(child, WM_CLOSE, 0, 0);
    EXPECT_EQ(saver.WaitExit(), 0u);
}

TEST_F(PreviewParent, InputLeavesThePreviewAndContextMenusGoToTheParent)
{
    SaverProcess saver("/p " + HandleNumber(Parent));
    HWND child = WaitForPreview();
    ASSERT_NE(child, nullptr);

    PostMessageA(child, WM_KEYDOWN, VK_SPACE, 0);
    PostMessageA(child, WM_LBUTTONDOWN, 0, MAKELPARAM(5, 5));
    PostMessageA(child, WM_MOUSEMOVE, 0, MAKELPARAM(200, 100));
    PostMessageA(child, WM_ACTIVATEAPP, 0, 0);
    PostMessageA(child, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(child), MAKELPARAM(12, 34));
    PostMessageA(child, WM_CONTEXTMENU, 0, MAKELPARAM(56, 78));

    // The forwarded menus come back after the input was handled; a close that
    // input had caused would have been handled before the second round.
    // (WM_HELP carries a pointer, so the platform refuses to post it across
    // processes; its forwarding is checked inside a test program.)
    std::vector<RecordedMessage> seen;
    auto collect = [&] {
        for (const RecordedMessage& m : TakeRecordedMessages())
            if (m.Message != WM_PARENTNOTIFY)
                seen.push_back(m);
        return seen.size() >= 2;
    };
    ASSERT_TRUE(PumpUntil(collect)) << seen.size() << " forwarded";
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].Message, static_cast<UINT>(WM_CONTEXTMENU));
    EXPECT_EQ(seen[0].WParam, reinterpret_cast<WPARAM>(Parent));
    EXPECT_EQ(seen[0].LParam, MAKELPARAM(12, 34));
    EXPECT_EQ(seen[1].WParam, reinterpret_cast<WPARAM>(Parent));
    EXPECT_EQ(seen[1].LParam, MAKELPARAM(56, 78));

    seen.clear();
    PostMessageA(child, WM_CONTEXTMENU, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { collect(); return !seen.empty(); }));
    EXPECT_TRUE(saver.Running());
    EXPECT_TRUE(IsWindow(child));

    SendMessageA(child, WM_CLOSE, 0, 0);
    EXPECT_EQ(saver.WaitExit(), 0u);
}
