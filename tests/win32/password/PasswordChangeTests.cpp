// The password change (/a): on the Windows 95 family the saver calls
// PwdChangePasswordA in MPR.DLL (the stand-in) and ends with 0 whatever
// happens; elsewhere it refuses the mode.
#include <gtest/gtest.h>

#include <string>

#include "PasswordRun.h"

namespace {

class PasswordChange : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetWin95Family("orbilux.scr", true);
        // A window of this process to own the change, in front.
        owner = CreateWindowExA(0, "STATIC", "password owner", WS_POPUP | WS_VISIBLE, 10, 10, 50, 50,
                                nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(owner, nullptr);
        SetForegroundWindow(owner);
    }
    void TearDown() override
    {
        DestroyWindow(owner);
        SetWin95Family("orbilux.scr", false);
    }
    DWORD Run(const std::string& tail)
    {
        EXPECT_TRUE(saver.Start(tail));
        return saver.WaitExit();
    }
    std::string OwnerTail() { return "/a " + std::to_string(Handle(owner)); }
    static DWORD Handle(HWND window) { return static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(window)); }

    StandInRecord& record = FreshStandInRecord();
    SaverFolder saver;
    HWND owner = nullptr;
};

TEST_F(PasswordChange, CallsTheProviderWithTheOwnerWindow)
{
    ASSERT_TRUE(saver.AddFile(STANDIN_MPR_PATH, "MPR.DLL"));
    EXPECT_EQ(Run(OwnerTail()), 0u);
    ASSERT_EQ(record.ChangeCalls, 1);
    EXPECT_STREQ(record.ChangeProvider, "SCRSAVE");
    EXPECT_EQ(record.ChangeOwner, Handle(owner));
    EXPECT_EQ(record.ChangeArgument3, 0u);
    EXPECT_EQ(record.ChangeArgument4, 0u);
    EXPECT_EQ(record.MprFreed, 1) << "MPR.DLL was not freed";
}

TEST_F(PasswordChange, WithoutAUsableWindowTheForegroundWindowOwnsIt)
{
    ASSERT_TRUE(saver.AddFile(STANDIN_MPR_PATH, "MPR.DLL"));
    for (const char* tail : {"/a", "-A 1", "/a:" /* the colon gives no handle */}) {
        SCOPED_TRACE(tail);
        record.ChangeCalls = 0;
        EXPECT_EQ(Run(tail), 0u);
        EXPECT_EQ(record.ChangeCalls, 1);
        EXPECT_NE(record.ChangeOwner, 0u);
        EXPECT_EQ(record.ChangeOwner, record.ChangeForeground);
    }
}

TEST_F(PasswordChange, MissingLibraryOrEntryPointEndsQuietlyWithZero)
{
    // Wine's own MPR.DLL switched off: the library cannot be loaded at all.
    char overrides[256] = "";
    GetEnvironmentVariableA("WINEDLLOVERRIDES", overrides, sizeof overrides);
    SetEnvironmentVariableA("WINEDLLOVERRIDES", "mscoree,mshtml=;winedbg.exe=d;mpr=");
    EXPECT_EQ(Run("/a"), 0u);
    SetEnvironmentVariableA("WINEDLLOVERRIDES", overrides);
    EXPECT_EQ(record.MprAttached, 0);

    ASSERT_TRUE(saver.AddFile(STANDIN_NOENTRY_PATH, "MPR.DLL"));
    EXPECT_EQ(Run(OwnerTail()), 0u);
    EXPECT_EQ(record.NoEntryAttached, 1);
    EXPECT_EQ(record.NoEntryFreed, 1) << "a library without the entry point stayed loaded";
    EXPECT_EQ(record.ChangeCalls, 0);
}

TEST_F(PasswordChange, OutsideTheWin95FamilyTheModeIsRefused)
{
    SetWin95Family("orbilux.scr", false);
    ASSERT_TRUE(saver.AddFile(STANDIN_MPR_PATH, "MPR.DLL"));
    EXPECT_EQ(Run(OwnerTail()), 0xFFFFFFFFu);
    EXPECT_EQ(record.MprAttached, 0);
}

}  // namespace
