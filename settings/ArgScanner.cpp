#include "settings/ArgScanner.h"

#include "settings/NumberText.h"
#include "settings/SettingsHelp.h"

bool ArgScanner::Next(const OptionSpec* specs, std::size_t specCount, ExtraOptions extra, ScannedOption& option,
                      std::string& error)
{
    error.clear();
    if (Index >= Count)
        return false;
    std::string arg = Args[Index++];
    std::size_t dashes = arg.compare(0, 2, "--") == 0 ? 2 : arg.compare(0, 1, "-") == 0 ? 1 : 0;
    std::size_t equals = arg.find('=');
    option = ScannedOption();
    option.Name = arg.substr(dashes, equals == std::string::npos ? equals : equals - dashes);
    option.Option = arg.substr(0, equals);
    option.HasValue = equals != std::string::npos;
    OptionValue how = OptionValue::Bare;
    bool known = false;
    for (std::size_t i = 0; i < specCount && !known; i++) {
        if (option.Name == specs[i].Name) {
            known = true;
            how = specs[i].Value;
            option.Spec = static_cast<int>(i);
        }
    }
    known = known || (extra && option.Name.find('\0') == std::string::npos && extra(option.Name, how));
    if (dashes == 0 || option.Name.empty() || !known) {
        error = "unknown option " + Quoted(arg);
        return false;
    }
    if (option.HasValue) {
        if (how == OptionValue::Bare) {
            error = option.Option + ": takes no value";
            return false;
        }
        option.Value = arg.substr(equals + 1);
        return true;
    }
    if (how != OptionValue::Required)
        return true;
    if (Index >= Count) {
        error = option.Option + ": missing value";
        return false;
    }
    option.HasValue = true;
    option.Value = Args[Index++];
    return true;
}

std::string OptionsHelp(const OptionSpec* specs, std::size_t specCount, const char* dashes)
{
    std::string help;
    for (std::size_t i = 0; i < specCount; i++) {
        std::string head = std::string("  ") + dashes + specs[i].Name;
        if (specs[i].Argument && *specs[i].Argument)
            head += std::string(" ") + specs[i].Argument;
        help += HelpEntry(head, specs[i].Help);
    }
    return help;
}
