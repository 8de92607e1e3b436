// The text behind the program name and the window number after a mode letter.
#include <gtest/gtest.h>

#include "host/CommandLine.h"

TEST(CommandLine, TailSkipsTheProgramNameAndTheBlanksAfterIt)
{
    const char* const rows[][2] = {
        {"orbilux.scr \t \t/p 12 ", "/p 12 "}, {"\"C:\\Program Files\\orbilux.scr\" /c:99", "/c:99"},
        {"\"a b\"/s", "/s"}, {"\xE9t\xE9.scr -s", "-s"}, {"orbilux.scr", ""}, {"", ""}, {"   /s", "/s"},
        {"\"C:\\saver\\orbilux.scr /s", ""}, {"\"", ""}, {"\"\" /p 5", "/p 5"},
    };
    for (const auto& row : rows)
        EXPECT_STREQ(CommandLineTail(row[0]), row[1]) << row[0];
}

TEST(CommandLine, WindowHandleReadsLeadingDigitsModulo2To32)
{
    const std::pair<const char*, unsigned long> rows[] = {
        {"1234", 1234}, {"12ab", 12}, {"0", 0}, {"", 0}, {":1234", 0}, {"-5", 0}, {"+5", 0}, {" 5", 0},
        {"4294967295", 4294967295u}, {"4294967296", 0}, {"12345678901", 3755744309u},
        {"99999999999999999999", 1661992959u},
    };
    for (const auto& row : rows)
        EXPECT_EQ(ParseWindowHandle(row.first), row.second) << row.first;
}
