// The saver host's and the settings dialog's decisions, one table each.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "host/CloseRules.h"
#include "host/CommandLineScan.h"
#include "host/ScreenRect.h"
#include "settings/EntryChecks.h"

namespace {

const char* ByteStep(const char* p) { return *p != '\0' ? p + 1 : p; }
// A double-byte code page in which 0x81 leads a two-byte character.
const char* DoubleByteStep(const char* p) { return *p == '\x81' && p[1] != '\0' ? p + 2 : ByteStep(p); }

TEST(CommandLineRules, TailAfterTheProgramName)
{
    const struct { const char *Line, *Tail; CharStep Step; } rows[] = {
        {"orbilux.scr /s", "/s", ByteStep}, {"orbilux.scr", "", ByteStep}, {"", "", ByteStep},
        {"\"C:\\orbi x\\orbilux.scr\" /p 5", "/p 5", ByteStep}, {"\"a b.scr\"/x", "/x", ByteStep},
        {"\"C:\\orbi\\orbilux.scr /x", "", ByteStep},  // an unterminated quote swallows the line
        {"\xE9t\xE9.scr \t /x", "/x", ByteStep}, {"a.scr\t\x01 s", "s", ByteStep}, {"  /s", "/s", ByteStep},
        {"\"\x81\"x y\" s", "x y\" s", ByteStep}, {"\"\x81\"x y\" s", "s", DoubleByteStep},
    };
    for (const auto& row : rows)
        EXPECT_STREQ(TailAfterProgramName(row.Line, row.Step), row.Tail) << row.Line;
}

TEST(CommandLineRules, ModeLetterAndWindowNumber)
{
    using M = SaverMode;
    const struct { const char* Tail; SaverMode Mode; bool Owned; std::uint32_t Window; } rows[] = {
        {"", M::ConfigDialog, false, 0}, {"   ", M::ConfigDialog, false, 0}, {"-/ /", M::ConfigDialog, false, 0},
        {"/c:1234", M::ConfigDialog, true, 0}, {"-C", M::ConfigDialog, true, 0}, {"c junk", M::ConfigDialog, true, 0},
        {"s", M::FullScreen, false, 0}, {"S", M::FullScreen, false, 0}, {"/s", M::FullScreen, false, 0},
        {"-S", M::FullScreen, false, 0}, {"/ s", M::FullScreen, false, 0}, {"s 12", M::FullScreen, false, 0},
        {"/p 1234", M::Preview, false, 1234}, {"/l 1234", M::Preview, false, 1234}, {"-P77", M::Preview, false, 77},
        {"L    5x", M::Preview, false, 5}, {"/p 4294967297", M::Preview, false, 1}, {"/p", M::Preview, false, 0},
        {"/p:1234", M::Preview, false, 0}, {"/p +5", M::Preview, false, 0}, {"/p -5", M::Preview, false, 0},
        {"/p\t5", M::Preview, false, 0}, {"/a 12", M::ChangePassword, false, 12}, {"A", M::ChangePassword, false, 0},
        {"/a:12", M::ChangePassword, false, 0}, {"/x", M::None, false, 0}, {"/\ts", M::None, false, 0},
        {"7", M::None, false, 0}, {"q", M::None, false, 0}, {"\xE9", M::None, false, 0}, {"\x01s", M::None, false, 0},
    };
    for (const auto& row : rows) {
        ModeChoice choice = ScanMode(row.Tail);
        EXPECT_EQ(choice.Mode, row.Mode) << row.Tail;
        EXPECT_EQ(choice.DialogOwned, row.Owned) << row.Tail;
        EXPECT_EQ(choice.Window, row.Window) << row.Tail;
    }
    EXPECT_EQ(ParseWindowHandle("4294967295"), 4294967295u);
    EXPECT_EQ(ParseWindowHandle("4294967296"), 0u);
    EXPECT_EQ(ParseWindowHandle("12345678901234567890"), 3944680146u);
    EXPECT_EQ(ParseWindowHandle("007:9"), 7u);
}

TEST(CloseRules, InputThatAsksToClose)
{
    const struct { std::uint32_t Message; std::uintptr_t WParam; bool Closes; } rows[] = {
        {0x100, 'A', true}, {0x104, 0x12, true}, {0x201, 1, true}, {0x204, 2, true}, {0x207, 16, true},
        {0x1C, 0, true}, {0x1C, 1, false},      // activation lost, gained
        {0x101, 'A', false}, {0x105, 0x12, false}, {0x102, 'a', false}, {0x202, 0, false}, {0x205, 0, false},
        {0x208, 0, false}, {0x203, 1, false}, {0x206, 2, false}, {0x209, 16, false}, {0x20A, 0, false},
        {0x20E, 0, false}, {0x200, 0, false}, {0x10, 0, false}, {0x0, 0, false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(InputAsksToClose(row.Message, row.WParam), row.Closes) << std::hex << row.Message;
}

TEST(CloseRules, MouseTravelMustExceedTheThreshold)
{
    const ScreenPoint at = {400, 300}, far = {INT32_MIN, 0};
    const struct { ScreenPoint From, To; std::uint32_t Threshold; bool Closes; } rows[] = {
        {at, {404, 300}, 4, false}, {at, {396, 300}, 4, false}, {at, {400, 296}, 4, false},
        {at, {403, 301}, 4, false}, {at, {398, 298}, 4, false}, {at, {403, 302}, 4, true},
        {at, {395, 300}, 4, true},  {at, {400, 305}, 4, true},  {at, at, 0, false}, {at, {401, 300}, 0, true},
        {far, {INT32_MAX, 0}, 4, true},  // 2^32 - 1 apart: no overflow to a small travel
    };
    for (const auto& row : rows)
        EXPECT_EQ(TravelAsksToClose(row.From, row.To, row.Threshold), row.Closes) << row.To.X << "," << row.To.Y;
}

TEST(CloseRules, SwallowedSystemCommands)
{
    const struct { bool Preview; std::uintptr_t Command; bool Swallowed; } rows[] = {
        {false, 0xF040, true}, {false, 0xF050, true}, {false, 0xF140, true}, {false, 0xF141, false},
        {false, 0xF060, false}, {false, 0xF020, false}, {true, 0xF040, false}, {true, 0xF140, false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(SwallowsSystemCommand(row.Preview, row.Command), row.Swallowed) << std::hex << row.Command;
}

TEST(CloseRules, CloseRequestVerdicts)
{
    using V = CloseVerdict;
    const std::uint32_t never = 0xFFFFFFFFu;
    const struct { bool Verifying, Granted, Loaded; std::uint32_t Last, Now; CloseVerdict Verdict; } rows[] = {
        {true, false, true, never, 1000, V::Refuse}, {false, true, false, never, 1000, V::Refuse},
        {true, false, false, never, 1000, V::Refuse}, {false, false, false, never, 5, V::Grant},
        {false, false, false, 1000, 1001, V::Grant},  {false, false, true, never, 5, V::Ask},
        {false, false, true, 1000, 1000, V::Refuse},  {false, false, true, 1000, 1199, V::Refuse},
        {false, false, true, 1000, 1200, V::Ask},     {false, false, true, 0xFFFFFF9C, 99, V::Refuse},
        {false, false, true, 0xFFFFFF9C, 100, V::Ask},  // across the tick count's wrap
        {false, false, true, 0xFFFFFFFE, 197, V::Refuse},
    };
    for (const auto& row : rows)
        EXPECT_EQ(JudgeClose(row.Verifying, row.Granted, row.Loaded, row.Last, row.Now), row.Verdict)
            << row.Verifying << row.Granted << row.Loaded << " " << row.Last << " " << row.Now;
}

// Typing 1500 one digit at a time: 1, 15 and 150 pass, 1500 keeps 150's interval.
TEST(EntryChecks, ImagesPerSecond)
{
    const struct { bool IsNumber; std::uint32_t Entry, Interval, Result; bool Refused; } rows[] = {
        {false, 0, 7, 20, false}, {true, 1, 20, 1000, false}, {true, 15, 1000, 66, false}, {true, 150, 66, 6, false},
        {true, 1500, 6, 6, true},  {true, 1000, 20, 1, false}, {true, 501, 20, 1, false}, {true, 3, 20, 333, false},
        {true, 0, 20, 20, true},   {true, 0xFFFFFFFB, 20, 20, true}, {true, 1001, 0, 0, true},
    };
    for (const auto& row : rows) {
        ImagesEntry checked = CheckImagesEntry(row.IsNumber, row.Entry, row.Interval);
        EXPECT_EQ(checked.TimerInterval, row.Result) << row.Entry;
        EXPECT_EQ(checked.Refused, row.Refused) << row.Entry;
    }
}

// A stored size beyond 500 % is not shown again when an entry is refused.
TEST(EntryChecks, ObjectSize)
{
    const struct { bool IsNumber; std::uint32_t Entry; double Factor, Result; bool Refused; } rows[] = {
        {false, 0, 0.5, 0.08, false}, {true, 0, 0.5, 0.0, false}, {true, 29, 0.08, 0.29, false},
        {true, 500, 0.08, 5.0, false}, {true, 501, 0.29, 0.29, true}, {true, 0xFFFFFFFF, 0.29, 0.29, true},
        {true, 501, 5.0, 5.0, true},   {true, 501, 7.0, 0.08, true},  {true, 700, 5.009, 5.009, true},
        {true, 501, 5.02, 0.08, true},
    };
    for (const auto& row : rows) {
        SizeEntry checked = CheckSizeEntry(row.IsNumber, row.Entry, row.Factor);
        EXPECT_EQ(checked.RadiusFactor, row.Result) << row.Entry << " over " << row.Factor;
        EXPECT_EQ(checked.Refused, row.Refused) << row.Entry << " over " << row.Factor;
    }
}

// The full screen's rectangle for the monitor layouts a system may report:
// virtual x, y, width, height, primary width, height -> x, y, width, height.
TEST(FullScreenRect, Layouts)
{
    const struct { ScreenMetrics Metrics; ScreenRect Expected; } rows[] = {
        {{-1280, 0, 3200, 1080, 1920, 1080}, {-1280, 0, 3200, 1080}},  // a monitor left of the primary
        {{0, -768, 2048, 1848, 1024, 1080}, {0, -768, 2048, 1848}},    // one above
        {{0, 0, 1024, 768, 1024, 768}, {0, 0, 1024, 768}},             // one monitor
        {{0, 0, 0, 0, 800, 600}, {0, 0, 800, 600}},                    // no virtual screen (95, NT 4)
        {{-5, -5, 640, 0, 640, 480}, {0, 0, 640, 480}},                // half a report
    };
    for (const auto& row : rows) {
        ScreenRect r = FullScreenRect(row.Metrics);
        EXPECT_EQ((std::vector<int>{r.X, r.Y, r.Width, r.Height}),
                  (std::vector<int>{row.Expected.X, row.Expected.Y, row.Expected.Width, row.Expected.Height}))
            << row.Metrics.VirtualX << "," << row.Metrics.VirtualY;
    }
}

}  // namespace
