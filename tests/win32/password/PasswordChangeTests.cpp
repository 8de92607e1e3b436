// The password change (/a): on the Windows 95 family the saver calls
// PwdChangePasswordA in MPR.DLL (the stand-in) and ends with 0 whatever
// happens. (Elsewhere it refuses the mode: see the saver's mode tests.)
#include <gtest/gtest.h>

#include <string>

#include "PasswordRun.h"

namespace {

// The library copied as MPR.DLL (none: Wine's own switched off too), the
// tail ("%O" stands for the owner's handle) and whether PwdChangePasswordA
// is called, with that owner or else with the foreground window.
struct ChangeRow {
    const char* Library;
    const char* Tail;
    bool Called;
};

const ChangeRow CHANGE_ROWS[] = {
    {STANDIN_MPR_PATH, "/a %O", true}, {STANDIN_MPR_PATH, "/a", true}, {STANDIN_MPR_PATH, "-A 1", true},
    {STANDIN_MPR_PATH, "/a:%O", true},  // the colon gives no handle
    {STANDIN_NOENTRY_PATH, "/a %O", false}, {nullptr, "/a", false},
};

DWORD Handle(HWND window)
{
    return static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(window));
}

HWND MakeWindow(const char* title)
{
    return CreateWindowExA(0, "STATIC", title, WS_POPUP | WS_VISIBLE, 10, 10, 50, 50, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

}  // namespace

TEST(PasswordChange, CallsTheProviderWithTheOwnerOrTheForegroundWindow)
{
    SetWin95Family("orbilux.scr", true);
    HWND owner = MakeWindow("password owner");
    HWND front = MakeWindow("in front");
    SetForegroundWindow(front);
    char overrides[256] = "";
    GetEnvironmentVariableA("WINEDLLOVERRIDES", overrides, sizeof overrides);
    for (const ChangeRow& row : CHANGE_ROWS) {
        std::string tail = row.Tail;
        size_t mark = tail.find("%O");
        if (mark != std::string::npos)
            tail.replace(mark, 2, std::to_string(Handle(owner)));
        SCOPED_TRACE(std::string(row.Library ? row.Library : "no MPR.DLL") + " " + tail);
        StandInRecord& record = FreshStandInRecord();
        SaverFolder saver;
        if (row.Library != nullptr)
            saver.AddFile(row.Library, "MPR.DLL");
        SetEnvironmentVariableA("WINEDLLOVERRIDES", row.Library ? overrides : "mscoree,mshtml=;winedbg.exe=d;mpr=");
        EXPECT_TRUE(saver.Start(tail));
        EXPECT_EQ(saver.WaitExit(), 0u);
        SetEnvironmentVariableA("WINEDLLOVERRIDES", overrides);
        ASSERT_EQ(record.ChangeCalls, row.Called ? 1 : 0);
        EXPECT_EQ(record.LibraryFreed, record.LibraryAttached) << "MPR.DLL stayed loaded";
        if (row.Called) {
            EXPECT_STREQ(record.ChangeProvider, "SCRSAVE");
            EXPECT_EQ(record.ChangeOwner, Handle(std::string(row.Tail) == "/a %O" ? owner : front));
            EXPECT_EQ(record.ChangeArgument3, 0u);
            EXPECT_EQ(record.ChangeArgument4, 0u);
        }
    }
    DestroyWindow(front);
    DestroyWindow(owner);
    SetWin95Family("orbilux.scr", false);
}
