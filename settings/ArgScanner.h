// One scanner for every program's command line: "-name" or "--name", the
// value as the next argument or after '=', and the messages for what it
// refuses. Each program describes its options as a table of OptionSpec and
// reads the scanned options in order.
#pragma once
#include <cstddef>
#include <string>

// How an option takes its value.
enum class OptionValue {
    Bare,      // -help; "-help=x" is refused
    Required,  // -seed 5 or -seed=5
    Inline,    // a flag: -join-dots alone, or -join-dots=0 with the value after '='
};

struct OptionSpec {
    const char* Name;  // without dashes
    OptionValue Value;
    const char* Argument;  // for the help: "N", "FILE"; empty when None
    const char* Help;      // one line for the help
};

// One option as scanned.
struct ScannedOption {
    int Spec = -1;       // index into the program's table; -1: a name found by the extra look-up
    std::string Name;    // without dashes
    std::string Option;  // as typed, without the value, for messages ("--seed")
    bool HasValue = false;
    std::string Value;
};

// Names beyond the table (the settings' options): how `name` takes its value,
// or false when it is not one.
typedef bool (*ExtraOptions)(const std::string& name, OptionValue& value);

class ArgScanner {
public:
    ArgScanner(int argc, const char* const* argv) : Count(argc), Args(argv) {}

    // Reads the next option (arguments from argv[1] on) into `option`. False
    // at the end, with `error` empty, or on an argument it refuses (no dash,
    // unknown name, missing or unwanted value), with a one-line message.
    bool Next(const OptionSpec* specs, std::size_t specCount, ExtraOptions extra, ScannedOption& option,
              std::string& error);

private:
    int Count;
    const char* const* Args;
    int Index = 1;
};

// The help lines of a table: "  -NAME ARG" (or "--") and its help text.
std::string OptionsHelp(const OptionSpec* specs, std::size_t specCount, const char* dashes);

template <typename T, std::size_t N> constexpr std::size_t TableSize(const T (&)[N])
{
    return N;
}
