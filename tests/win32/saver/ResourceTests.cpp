// What the built orbilux.scr carries: its resources and the DLLs it needs.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "SaverProcess.h"

namespace {

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE Width, Height, ColourCount, Reserved;
    WORD Planes, BitCount;
    DWORD BytesInRes;
    WORD Id;
};
struct GroupIconHeader {
    WORD Reserved, Type, Count;
};
#pragma pack(pop)

class SaverModule : public ::testing::Test {
protected:
    void SetUp() override
    {
        Module = LoadLibraryExA(SaverPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(Module, nullptr);
    }
    void TearDown() override { FreeLibrary(Module); }
    HMODULE Module = nullptr;
};

// Names of the DLLs in the import directory of a PE file, upper case.
std::set<std::string> ImportedDlls(const std::vector<char>& file)
{
    std::set<std::string> names;
    auto dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(file.data());
    auto nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(file.data() + dos->e_lfanew);
    const IMAGE_SECTION_HEADER* sections = IMAGE_FIRST_SECTION(nt);
    int sectionCount = nt->FileHeader.NumberOfSections;
    auto offsetOf = [&](DWORD rva) -> size_t {
        for (int i = 0; i < sectionCount; i++) {
            const IMAGE_SECTION_HEADER& s = sections[i];
            if (rva >= s.VirtualAddress && rva < s.VirtualAddress + std::max(s.Misc.VirtualSize, s.SizeOfRawData))
                return rva - s.VirtualAddress + s.PointerToRawData;
        }
        return 0;
    };
    // The optional header differs between the two builds; this program is
    // built for the same one as the saver.
    DWORD importRva = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    auto descriptor = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(file.data() + offsetOf(importRva));
    for (; descriptor->Name != 0; descriptor++) {
        std::string name = file.data() + offsetOf(descriptor->Name);
        std::transform(name.begin(), name.end(), name.begin(), [](char c) { return std::toupper(c); });
        names.insert(name);
    }
    return names;
}

}  // namespace

TEST_F(SaverModule, IconIsOne32By32ImageInSixteenColours)
{
    HRSRC found = FindResourceA(Module, MAKEINTRESOURCEA(100), RT_GROUP_ICON);
    ASSERT_NE(found, nullptr);
    auto header = static_cast<const GroupIconHeader*>(LockResource(LoadResource(Module, found)));
    ASSERT_NE(header, nullptr);
    ASSERT_EQ(header->Count, 1);
    auto entry = reinterpret_cast<const GroupIconEntry*>(header + 1);
    EXPECT_EQ(entry->Width, 32);
    EXPECT_EQ(entry->Height, 32);
    EXPECT_EQ(entry->ColourCount, 16);
    EXPECT_EQ(entry->BitCount, 4);
    EXPECT_NE(FindResourceA(Module, MAKEINTRESOURCEA(entry->Id), RT_ICON), nullptr);
}

TEST_F(SaverModule, DescriptionStringAndVersion)
{
    char text[64] = "";
    EXPECT_EQ(LoadStringA(Module, 1, text, sizeof(text)), 7);
    EXPECT_STREQ(text, "Orbilux");
    EXPECT_NE(FindResourceA(Module, MAKEINTRESOURCEA(VS_VERSION_INFO), RT_VERSION), nullptr);
}

TEST(SaverFile, ImportsOnlyTheSystemsOwnDlls)
{
    std::ifstream in(SaverPath(), std::ios::binary);
    std::vector<char> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GT(file.size(), 4096u);
    std::set<std::string> allowed = {"KERNEL32.DLL", "USER32.DLL", "GDI32.DLL", "ADVAPI32.DLL", "MSVCRT.DLL"};
    std::set<std::string> imported = ImportedDlls(file);
    EXPECT_FALSE(imported.empty());
    for (const std::string& name : imported)
        EXPECT_TRUE(allowed.count(name)) << name;
}
