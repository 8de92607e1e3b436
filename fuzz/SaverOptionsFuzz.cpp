// The X11 saver's command line and settings file for any bytes: the first
// byte picks which; the rest is the settings file's text, or the arguments
// split at NUL bytes. Messages stay one printable line, whatever was typed.
#include <string>
#include <vector>

#include "fuzz/FuzzInput.h"
#include "x11/SaverOptions.h"

namespace {

void CheckMessage(const std::string& message)
{
    FuzzCheck(!message.empty() && message.size() < 1000, "a message of a sensible length");
    for (char c : message)
        FuzzCheck(c >= ' ' && c < 0x7F, "a message of printable bytes");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    std::string rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    std::vector<SettingChange> changes;
    if (data[0] & 1) {
        std::vector<std::string> messages;
        ParseSettingsText(rest, "f", changes, messages);
        for (const std::string& m : messages)
            CheckMessage(m);
    } else {
        std::vector<std::string> args{"orbilux", ""};
        for (char c : rest) {
            if (c == '\0')
                args.emplace_back();
            else
                args.back() += c;
        }
        std::vector<const char*> argv;
        for (const std::string& arg : args)
            argv.push_back(arg.c_str());
        SaverOptions options;
        std::string error;
        if (ParseSaverOptions(static_cast<int>(argv.size()), argv.data(), options, error))
            changes = options.Changes;
        else
            CheckMessage(error);
    }
    for (const SettingChange& c : changes)
        FuzzCheck(c.Index >= 0 && c.Index < SETTINGS_VALUE_COUNT, "a change of one of the stored values");
    MemoryStore store;
    ApplySettingChanges(changes, store);
    return 0;
}
