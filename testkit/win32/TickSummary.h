// The tick summary that scripts/bench-saver.sh reads: the ticks the saver
// window handled and GetTickCount at the first and last, written beside the
// PASSWORD.CPL stand-in when the saver frees it.
#pragma once
#include <cstdio>
#include <cstring>

#include "testkit/win32/StandInRecord.h"

inline void WriteTickSummary(HMODULE module, const StandInRecord& record)
{
    char path[MAX_PATH + 16];
    DWORD length = GetModuleFileNameA(module, path, MAX_PATH);
    FILE* file = length > 0 && length < MAX_PATH ? std::fopen(std::strcat(path, ".ticks"), "w") : nullptr;
    if (!file)
        return;
    std::fprintf(file, "%ld %lu %lu\n", static_cast<long>(record.TicksHandled),
                 static_cast<unsigned long>(record.FirstTickTime), static_cast<unsigned long>(record.LastTickTime));
    std::fclose(file);
}
