#include "tests/render/TempFiles.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#ifdef _WIN32
#include <windows.h>
#else
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace {

const std::string PREFIX = "orbilux-render-test-";

unsigned long ThisProcess()
{
#ifdef _WIN32
    return GetCurrentProcessId();
#else
    return static_cast<unsigned long>(getpid());
#endif
}

bool Running(unsigned long pid)
{
#ifdef _WIN32
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(pid));
    if (!process)
        return GetLastError() == ERROR_ACCESS_DENIED;
    bool running = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    CloseHandle(process);
    return running;
#else
    return kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
#endif
}

}  // namespace

int RemoveLeftoverTempFiles()
{
    namespace fs = std::filesystem;
    int removed = 0;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(testing::TempDir(), error)) {
        std::string name = entry.path().filename().string();
        if (name.compare(0, PREFIX.size(), PREFIX) != 0)
            continue;
        char* end = nullptr;
        unsigned long pid = std::strtoul(name.c_str() + PREFIX.size(), &end, 10);
        if (end == name.c_str() + PREFIX.size() || *end != '-' || pid == ThisProcess() || Running(pid))
            continue;
        removed += fs::remove(entry.path(), error) ? 1 : 0;
    }
    return removed;
}

TempFile::TempFile(const std::string& name)
{
    static int made = 0;
    if (made == 0)
        RemoveLeftoverTempFiles();
    Name = testing::TempDir() + PREFIX + std::to_string(ThisProcess()) + "-" + std::to_string(++made) + "-" + name;
}

TempFile::~TempFile()
{
    std::remove(Name.c_str());
}
