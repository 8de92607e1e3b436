#include "posix/SettingsFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "settings/NumberText.h"

std::string DefaultSettingsPath(const char* xdgConfigHome, const char* home)
{
    if (xdgConfigHome && *xdgConfigHome)
        return std::string(xdgConfigHome) + "/orbilux/settings";
    if (home && *home)
        return std::string(home) + "/.config/orbilux/settings";
    return "";
}

FileRead ReadSettingsFile(const std::string& path, std::string& text, std::string& why)
{
    text.clear();
    // Non-blocking, so that opening a FIFO with no writer returns at once.
    int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        if (errno == ENOENT)
            return FileRead::Absent;
        why = std::strerror(errno);
        return FileRead::Refused;
    }
    struct stat info {};
    FileRead result = FileRead::Read;
    if (fstat(fd, &info) != 0) {
        why = std::strerror(errno);
        result = FileRead::Refused;
    } else if (!S_ISREG(info.st_mode)) {
        why = S_ISDIR(info.st_mode) ? "a directory, not a file" : "not a regular file";
        result = FileRead::Refused;
    } else if (static_cast<unsigned long long>(info.st_size) > MAX_SETTINGS_FILE_BYTES) {
        why = "larger than " + std::to_string(MAX_SETTINGS_FILE_BYTES / 1024) + " KiB";
        result = FileRead::Refused;
    }
    // One byte more than the limit tells a file that grew since fstat.
    char buffer[4096];
    while (result == FileRead::Read) {
        ssize_t n = read(fd, buffer, sizeof buffer);
        if (n == 0)
            break;
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            why = std::strerror(errno);
            result = FileRead::Refused;
        } else if (text.size() + static_cast<std::size_t>(n) > MAX_SETTINGS_FILE_BYTES) {
            why = "larger than " + std::to_string(MAX_SETTINGS_FILE_BYTES / 1024) + " KiB";
            result = FileRead::Refused;
        } else {
            text.append(buffer, static_cast<std::size_t>(n));
        }
    }
    close(fd);
    if (result != FileRead::Read)
        text.clear();
    return result;
}

bool LoadSettingsFile(const std::string& path, bool named, std::vector<SettingChange>& changes,
                      std::vector<std::string>& messages)
{
    if (path.empty())
        return true;
    std::string text, why;
    switch (ReadSettingsFile(path, text, why)) {
    case FileRead::Absent:
        if (!named)
            return true;
        messages.push_back("cannot read settings file " + Quoted(path) + ": " + std::strerror(ENOENT));
        return false;
    case FileRead::Refused:
        messages.push_back("cannot read settings file " + Quoted(path) + ": " + why +
                           (named ? "" : "; drawing with the default settings"));
        return !named;
    case FileRead::Read: break;
    }
    ParseSettingsText(text, path, changes, messages);
    return true;
}
