// The resources the built orbilux.scr carries, read back with the resource API.
#include <gtest/gtest.h>

#include <string>

#include "Support.h"

TEST(SaverResources, IconStringAndVersion)
{
    HMODULE module = LoadLibraryExA(SaverPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    // Icon 100: one 32 x 32 image in 16 colours (a group icon directory entry).
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(100), RT_GROUP_ICON);
    ASSERT_NE(found, nullptr);
    auto group = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
    ASSERT_NE(group, nullptr);
    const BYTE* entry = group + 6;
    EXPECT_EQ(*reinterpret_cast<const WORD*>(group + 4), 1) << "images in the icon";
    EXPECT_EQ(entry[0], 32);
    EXPECT_EQ(entry[1], 32);
    EXPECT_EQ(entry[2], 16);
    EXPECT_EQ(*reinterpret_cast<const WORD*>(entry + 6), 4) << "bits per pixel";
    EXPECT_NE(FindResourceA(module, MAKEINTRESOURCEA(*reinterpret_cast<const WORD*>(entry + 12)), RT_ICON), nullptr);

    char text[64] = "";
    EXPECT_EQ(LoadStringA(module, 1, text, sizeof(text)), 7);
    EXPECT_STREQ(text, "Orbilux");
    EXPECT_NE(FindResourceA(module, MAKEINTRESOURCEA(VS_VERSION_INFO), RT_VERSION), nullptr);
    FreeLibrary(module);
}

// Manifest 1 is there and Windows' own reader takes it: an activation context
// is built from it and answers the DPI settings from the right namespaces.
TEST(SaverResources, ManifestParsesWithItsDpiSettings)
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
