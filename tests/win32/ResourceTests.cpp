// The manifest of the built orbilux.scr, read by Windows' own reader. (The
// other resources: tests/data/win32/resources.rc, as windres reads them back.)
#include <gtest/gtest.h>

#include <string>

#include "Support.h"

// Manifest 1 is there and an activation context is built from it that answers
// the DPI settings from the right namespaces.
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
