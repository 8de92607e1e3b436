// The soak run's watcher: finds the full-screen saver by its window and, every
// INTERVAL seconds for SECONDS seconds (and once more at the end), prints
//   seconds gdi user handles ticks
// the saver process's GDI and USER object counts, its handle count, and the
// timer ticks its window handled (counted by the PASSWORD.CPL stand-in; -1
// without it). A count the system cannot give is printed as -1. Where
// GetGuiResources or GetProcessHandleCount is a stub (Wine), the counts come
// from the process's GDI handle table, its windows and the system handle list.
// Usage: orbilux_soak_watcher SECONDS INTERVAL
#include <windows.h>
#include <winternl.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "testkit/win32/StandInRecord.h"

namespace {

DWORD SaverPid;

// Entries in use in the process's GDI handle table (PEB's GdiSharedHandleTable).
long GdiTableEntries(HANDLE process)
{
    struct Entry {
        UINT64 Object;
        ULONG Owner;
        USHORT Unique;
        UCHAR Type, Flags;
        UINT64 UserPointer;
    };
    PROCESS_BASIC_INFORMATION basic = {};
    void* table = nullptr;
    const SIZE_T tableOffset = sizeof(void*) == 8 ? 0xF8 : 0x94;
    std::vector<Entry> entries(0x10000);
    if (NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0 ||
        !ReadProcessMemory(process, static_cast<char*>(static_cast<void*>(basic.PebBaseAddress)) + tableOffset, &table,
                           sizeof table, nullptr))
        return -1;
    // Wine's 32-bit processes leave the PEB field empty: take the one
    // allocation of exactly the table's size.
    MEMORY_BASIC_INFORMATION region;
    for (char* at = nullptr; !table && VirtualQueryEx(process, at, &region, sizeof region);
         at = static_cast<char*>(region.BaseAddress) + region.RegionSize) {
        if (region.State == MEM_COMMIT && region.BaseAddress == region.AllocationBase &&
            region.RegionSize == entries.size() * sizeof(Entry))
            table = region.BaseAddress;
    }
    if (!table)
        return -1;
    if (!ReadProcessMemory(process, table, entries.data(), entries.size() * sizeof(Entry), nullptr))
        return -1;
    long count = 0;
    for (const Entry& entry : entries)
        count += entry.Type != 0;
    return count;
}

BOOL CALLBACK CountWindow(HWND window, LPARAM count)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == SaverPid) {
        ++*reinterpret_cast<long*>(count);
        EnumChildWindows(window, CountWindow, count);
    }
    return TRUE;
}

// The process's windows, top-level, child and message-only.
long WindowCount()
{
    long count = 0;
    EnumWindows(CountWindow, reinterpret_cast<LPARAM>(&count));
    for (HWND w = nullptr; (w = FindWindowExA(HWND_MESSAGE, w, nullptr, nullptr)) != nullptr;)
        CountWindow(w, reinterpret_cast<LPARAM>(&count));
    return count;
}

long GuiObjects(HANDLE process, DWORD kind)
{
    SetLastError(0);
    DWORD count = GetGuiResources(process, kind);
    if (count != 0 || GetLastError() == 0)
        return static_cast<long>(count);
    return kind == GR_GDIOBJECTS ? GdiTableEntries(process) : WindowCount();
}

// The process's entries in the system handle list.
long HandleCount(HANDLE process)
{
    DWORD handles = 0;
    if (GetProcessHandleCount(process, &handles) && handles != 0)
        return static_cast<long>(handles);
    std::vector<char> buffer(1 << 20);
    ULONG needed = 0;
    while (NtQuerySystemInformation(static_cast<SYSTEM_INFORMATION_CLASS>(16), buffer.data(),
                                    static_cast<ULONG>(buffer.size()), &needed) == static_cast<NTSTATUS>(0xC0000004L))
        buffer.resize(buffer.size() * 2);
    const SYSTEM_HANDLE_INFORMATION* list = reinterpret_cast<const SYSTEM_HANDLE_INFORMATION*>(buffer.data());
    long count = 0;
    for (ULONG i = 0; i < list->Count; i++)
        count += list->Handle[i].OwnerPid == SaverPid;
    return count;
}

}  // namespace

int main(int argc, char** argv)
{
    long seconds = argc > 1 ? std::atol(argv[1]) : 60;
    long interval = argc > 2 ? std::atol(argv[2]) : 10;
    if (seconds < 0 || interval <= 0) {
        std::fprintf(stderr, "usage: orbilux_soak_watcher SECONDS INTERVAL\n");
        return 2;
    }
    HWND window = nullptr;
    for (int i = 0; i < 200 && !window; i++, Sleep(100))
        window = FindWindowA("WindowsScreenSaverClass", "Screen Saver");
    DWORD pid = 0;
    if (window)
        GetWindowThreadProcessId(window, &pid);
    SaverPid = pid;
    HANDLE process = pid ? OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid) : nullptr;
    if (!process) {
        std::fprintf(stderr, "orbilux_soak_watcher: no saver window or process\n");
        return 1;
    }
    StandInRecord* record = OpenStandInRecord();
    DWORD start = GetTickCount();
    for (long at = 0;; at = at + interval < seconds ? at + interval : seconds) {
        long wait = at * 1000 - static_cast<long>(GetTickCount() - start);
        if (wait > 0)
            Sleep(static_cast<DWORD>(wait));
        std::printf("%ld %ld %ld %ld %ld\n", at, GuiObjects(process, GR_GDIOBJECTS),
                    GuiObjects(process, GR_USEROBJECTS), HandleCount(process),
                    record ? static_cast<long>(record->TicksHandled) : -1L);
        std::fflush(stdout);
        if (at >= seconds || !IsWindow(window))
            break;
    }
    CloseHandle(process);
    return 0;
}
