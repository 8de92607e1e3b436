#include "wayland/WaylandOptions.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "settings/NumberText.h"
#include "wayland/Message.h"
#include "x11/SaverOptions.h"

namespace {

bool IsBackground(const char* arg)
{
    return std::strcmp(arg, "-background") == 0 || std::strcmp(arg, "--background") == 0;
}

// A missing default file is no error; a named file that cannot be read is.
bool ReadSettingsFile(const std::string& path, bool named, std::vector<SettingChange>& changes)
{
    if (path.empty())
        return true;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    std::string text;
    int failure = file ? 0 : errno;
    if (file) {
        char buffer[4096];
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0 && text.size() < (1u << 20))
            text.append(buffer, n);
        if (std::ferror(file))
            failure = errno ? errno : EIO;
        std::fclose(file);
    }
    if (failure != 0) {
        if (!named && failure == ENOENT)
            return true;
        Message("cannot read settings file " + Quoted(path) + ": " + std::strerror(failure));
        return !named;
    }
    std::vector<std::string> messages;
    ParseSettingsText(text, path, changes, messages);
    for (const std::string& m : messages)
        Message(m);
    return true;
}

}  // namespace

bool ReadWaylandOptions(int argc, char** argv, WaylandOptions& options, MemoryStore& store, int& status)
{
    std::vector<const char*> rest{argv[0]};
    for (int i = 1; i < argc; i++) {
        if (IsBackground(argv[i]))
            options.Background = true;
        else
            rest.push_back(argv[i]);
    }
    SaverOptions parsed;
    std::string error;
    status = 2;
    if (!ParseSaverOptions(static_cast<int>(rest.size()), rest.data(), parsed, error)) {
        Message(error + " (try -help)");
        return false;
    }
    if (parsed.Target != SaverTarget::Default) {
        Message("X11 window options do not apply on Wayland (try -help)");
        return false;
    }
    if (parsed.Help) {
        std::fputs(SaverUsage().c_str(), stdout);
        status = 0;
        return false;
    }
    options.HasSeed = parsed.HasSeed, options.Seed = parsed.Seed;
    options.HasMaxTicks = parsed.HasMaxTicks, options.MaxTicks = parsed.MaxTicks;
    std::vector<SettingChange> changes;
    bool named = !parsed.SettingsPath.empty();
    std::string path =
        named ? parsed.SettingsPath : DefaultSettingsPath(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
    status = 1;
    if (!ReadSettingsFile(path, named, changes))
        return false;
    changes.insert(changes.end(), parsed.Changes.begin(), parsed.Changes.end());
    ApplySettingChanges(changes, store);
    return true;
}
