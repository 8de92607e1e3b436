// The one command-line scanner: dash styles, values after a space or '=',
// and what it refuses.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/ArgScanner.h"

namespace {

const OptionSpec SPECS[] = {
    {"help", OptionValue::Bare, "", "help"},
    {"seed", OptionValue::Required, "N", "seed"},
    {"flag", OptionValue::Inline, "", "a flag"},
};

bool Extra(const std::string& name, OptionValue& value)
{
    value = OptionValue::Required;
    return name == "Stored";
}

// Every scanned option as "NAME[=VALUE]" (spec index or x for the extra
// look-up), or the error.
std::string Scan(std::vector<const char*> args)
{
    args.insert(args.begin(), "program");
    ArgScanner scanner(static_cast<int>(args.size()), args.data());
    ScannedOption o;
    std::string error, out;
    while (scanner.Next(SPECS, TableSize(SPECS), Extra, o, error))
        out += (out.empty() ? "" : " ") + (o.Spec >= 0 ? std::to_string(o.Spec) : std::string("x")) + o.Option +
            (o.HasValue ? "=" + o.Value : "");
    return error.empty() ? out : "error: " + error;
}

TEST(ArgScanner, Outcomes)
{
    const struct {
        std::vector<const char*> Args;
        const char* Expected;
    } cases[] = {
        {{}, ""},
        {{"-help", "--help"}, "0-help 0--help"},
        {{"-seed", "5", "--seed=6", "-seed="}, "1-seed=5 1--seed=6 1-seed="},
        {{"-seed", "-help"}, "1-seed=-help"},  // a value may start with a dash
        {{"-flag", "--flag=0", "-flag", "1"}, "error: unknown option '1'"},
        {{"-flag", "--flag=0"}, "2-flag 2--flag=0"},
        {{"--Stored", "7", "-Stored=8"}, "x--Stored=7 x-Stored=8"},
        {{"-seed"}, "error: -seed: missing value"},
        {{"--help=1"}, "error: --help: takes no value"},
        {{"seed", "5"}, "error: unknown option 'seed'"},
        {{"---seed", "5"}, "error: unknown option '---seed'"},
        {{"-", "x"}, "error: unknown option '-'"},
        {{"--"}, "error: unknown option '--'"},
        {{"-bogus=\x01"}, "error: unknown option '-bogus=\\x01'"},
        {{"-Stored\x01"}, "error: unknown option '-Stored\\x01'"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Scan(c.Args), c.Expected) << (c.Args.empty() ? "" : c.Args[0]);
}

TEST(ArgScanner, HelpLines)
{
    EXPECT_EQ(OptionsHelp(SPECS + 1, 1, "--"), "  --seed N          seed\n");
}

}  // namespace
