// The text behind the program name and the window number after a mode letter.
#include <gtest/gtest.h>

#include "host/CommandLine.h"

TEST(CommandLineTail, SkipsTheProgramNameAndTheBlanksAfterIt)
{
    EXPECT_STREQ(CommandLineTail("orbilux.scr /s"), "/s");
    EXPECT_STREQ(CommandLineTail("orbilux.scr \t \t/p 12 "), "/p 12 ");
    EXPECT_STREQ(CommandLineTail("\"C:\\Program Files\\orbilux.scr\" /c:99"), "/c:99");
    // The closing quote ends the name even without a blank behind it.
    EXPECT_STREQ(CommandLineTail("\"a b\"/s"), "/s");
    // Bytes above 127 belong to the name.
    EXPECT_STREQ(CommandLineTail("\xE9t\xE9.scr -s"), "-s");
    EXPECT_STREQ(CommandLineTail("orbilux.scr"), "");
    EXPECT_STREQ(CommandLineTail(""), "");
    EXPECT_STREQ(CommandLineTail("   /s"), "/s");
}

TEST(CommandLineTail, UnterminatedQuoteSwallowsTheLine)
{
    EXPECT_STREQ(CommandLineTail("\"C:\\saver\\orbilux.scr /s"), "");
    EXPECT_STREQ(CommandLineTail("\""), "");
    EXPECT_STREQ(CommandLineTail("\"\" /p 5"), "/p 5");
}

TEST(ParseWindowHandle, ReadsLeadingDigitsOnly)
{
    EXPECT_EQ(ParseWindowHandle("1234"), 1234u);
    EXPECT_EQ(ParseWindowHandle("12ab"), 12u);
    EXPECT_EQ(ParseWindowHandle("0"), 0u);
    EXPECT_EQ(ParseWindowHandle(""), 0u);
    EXPECT_EQ(ParseWindowHandle(":1234"), 0u);
    EXPECT_EQ(ParseWindowHandle("-5"), 0u);
    EXPECT_EQ(ParseWindowHandle("+5"), 0u);
    EXPECT_EQ(ParseWindowHandle(" 5"), 0u);
}

TEST(ParseWindowHandle, LongNumbersWrapModulo2To32)
{
    EXPECT_EQ(ParseWindowHandle("4294967295"), 4294967295u);
    EXPECT_EQ(ParseWindowHandle("4294967296"), 0u);
    EXPECT_EQ(ParseWindowHandle("12345678901"), 3755744309u);
    EXPECT_EQ(ParseWindowHandle("99999999999999999999"), 1661992959u);
}
