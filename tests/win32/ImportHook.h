// Replaces a Win32 function for the whole test program by rewriting its entry
// in the program's import address table. The host library is linked into the
// program, so its calls go through the same entries.
#pragma once
#include <windows.h>

// The import table entry of a function: `__imp__Name@args` on i686,
// `__imp_Name` on x86_64.
#if defined(__i386__)
#define IMPORT_ENTRY(name, argBytes) "__imp__" #name "@" #argBytes
#else
#define IMPORT_ENTRY(name, argBytes) "__imp_" #name
#endif

#define DECLARE_IMPORT(name, argBytes) \
    extern "C" decltype(&name) Import_##name __asm__(IMPORT_ENTRY(name, argBytes))

// Writes `replacement` into `entry` and returns what was there.
template <typename F>
F PatchImport(F& entry, F replacement)
{
    DWORD protection = 0;
    VirtualProtect(&entry, sizeof(entry), PAGE_READWRITE, &protection);
    F previous = entry;
    entry = replacement;
    VirtualProtect(&entry, sizeof(entry), protection, &protection);
    return previous;
}
