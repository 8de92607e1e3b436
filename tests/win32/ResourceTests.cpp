// The manifest of the built orbilux.scr as Windows' own reader takes it: an
// activation context that answers the DPI settings from the right namespaces.
// (The other resources: tests/data/win32/resources.rc.)
#include <gtest/gtest.h>

#include <string>

#include "Support.h"

TEST(SaverManifest, ParsesWithItsDpiSettings)
{
    std::string path = SaverPath();
    ACTCTXA request = {
        sizeof(request), ACTCTX_FLAG_RESOURCE_NAME_VALID, path.c_str(), 0, 0, nullptr, MAKEINTRESOURCEA(1), nullptr,
        nullptr};
    HANDLE context = CreateActCtxA(&request);
    ASSERT_NE(context, INVALID_HANDLE_VALUE) << "error " << GetLastError();
    WCHAR aware[16] = L"", awareness[16] = L"";
    QueryActCtxSettingsW(0, context, L"http://schemas.microsoft.com/SMI/2005/WindowsSettings", L"dpiAware", aware, 16,
                         nullptr);
    QueryActCtxSettingsW(0, context, L"http://schemas.microsoft.com/SMI/2016/WindowsSettings", L"dpiAwareness",
                         awareness, 16, nullptr);
    EXPECT_EQ(std::wstring(aware) + L" " + awareness, L"true PerMonitorV2");
    ReleaseActCtx(context);
}
