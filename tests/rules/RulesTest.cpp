// The saver host's and the settings dialog's decisions, one table each.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include "hostrules/CloseRules.h"
#include "hostrules/CommandLineScan.h"
#include "hostrules/ScreenRect.h"
#include "settings/EntryChecks.h"

const bool T = true, F = false;  // short for the tables

static const char* ByteStep(const char* p)
{
    return *p != '\0' ? p + 1 : p;
}
// A double-byte code page in which 0x81 leads a two-byte character.
static const char* DoubleByteStep(const char* p)
{
    return *p == '\x81' && p[1] != '\0' ? p + 2 : ByteStep(p);
}

TEST(CommandLineRules, TailAfterTheProgramName)
{
    const struct {
        const char *Line, *Tail;
        CharStep Step = ByteStep;
    } rows[] = {
        {"orbilux.scr /s", "/s"},
        {"orbilux.scr", ""},
        {"", ""},
        {"\"C:\\orbi x\\orbilux.scr\" /p 5", "/p 5"},
        {"\"a b.scr\"/x", "/x"},
        {"\xE9t\xE9.scr \t /x", "/x"},
        {"a.scr\t\x01 s", "s"},
        {"  /s", "/s"},
        {"\"C:\\orbi\\orbilux.scr /x", ""},  // an unterminated quote swallows the line
        {"\"\x81\"x y\" s", "x y\" s"},
        {"\"\x81\"x y\" s", "s", DoubleByteStep},
    };
    for (const auto& row : rows)
        EXPECT_STREQ(TailAfterProgramName(row.Line, row.Step), row.Tail) << row.Line;
}

TEST(CommandLineRules, ModeLetterAndWindowNumber)
{
    using M = SaverMode;
    const struct {
        const char* Tail;
        SaverMode Mode;
        bool Owned;
        std::uint32_t Window;
    } rows[] = {
        {"", M::ConfigDialog, F, 0},
        {"   ", M::ConfigDialog, F, 0},
        {"-/ /", M::ConfigDialog, F, 0},
        {"/c:1234", M::ConfigDialog, T, 0},
        {"-C", M::ConfigDialog, T, 0},
        {"c junk", M::ConfigDialog, T, 0},
        {"s", M::FullScreen, F, 0},
        {"S", M::FullScreen, F, 0},
        {"/s", M::FullScreen, F, 0},
        {"-S", M::FullScreen, F, 0},
        {"/ s", M::FullScreen, F, 0},
        {"s 12", M::FullScreen, F, 0},
        {"/p 1234", M::Preview, F, 1234},
        {"/l 1234", M::Preview, F, 1234},
        {"-P77", M::Preview, F, 77},
        {"L    5x", M::Preview, F, 5},
        {"/p 4294967297", M::Preview, F, 1},
        {"/p", M::Preview, F, 0},
        {"/p:1234", M::Preview, F, 0},
        {"/p +5", M::Preview, F, 0},
        {"/p -5", M::Preview, F, 0},
        {"/p\t5", M::Preview, F, 0},
        {"/a 12", M::ChangePassword, F, 12},
        {"A", M::ChangePassword, F, 0},
        {"/a:12", M::ChangePassword, F, 0},
        {"/x", M::None, F, 0},
        {"/\ts", M::None, F, 0},
        {"7", M::None, F, 0},
        {"q", M::None, F, 0},
        {"\xE9", M::None, F, 0},
        {"\x01s", M::None, F, 0},
    };
    for (const auto& row : rows) {
        ModeChoice choice = ScanMode(row.Tail);
        EXPECT_EQ(std::make_tuple(choice.Mode, choice.DialogOwned, choice.Window),
                  std::make_tuple(row.Mode, row.Owned, row.Window))
            << row.Tail;
    }
    EXPECT_EQ(ParseWindowHandle("4294967295"), 4294967295u);
    EXPECT_EQ(ParseWindowHandle("4294967296"), 0u);
    EXPECT_EQ(ParseWindowHandle("12345678901234567890"), 3944680146u);
    EXPECT_EQ(ParseWindowHandle("007:9"), 7u);
}

// Activation lost (0x1C with 0) closes, gained does not.
TEST(CloseRules, InputThatAsksToClose)
{
    const struct {
        std::uint32_t Message;
        std::uintptr_t WParam;
        bool Closes;
    } rows[] = {
        {0x100, 'A', T}, {0x104, 0x12, T}, {0x201, 1, T},   {0x204, 2, T}, {0x207, 16, T}, {0x1C, 0, T},  {0x1C, 1, F},
        {0x101, 'A', F}, {0x105, 0x12, F}, {0x102, 'a', F}, {0x202, 0, F}, {0x205, 0, F},  {0x208, 0, F}, {0x203, 1, F},
        {0x206, 2, F},   {0x209, 16, F},   {0x20A, 0, F},   {0x20E, 0, F}, {0x200, 0, F},  {0x10, 0, F},  {0x0, 0, F},
    };
    for (const auto& row : rows)
        EXPECT_EQ(InputAsksToClose(row.Message, row.WParam), row.Closes) << std::hex << row.Message;
}

// Points 2^32 - 1 apart must not overflow to a small travel.
TEST(CloseRules, MouseTravelMustExceedTheThreshold)
{
    const ScreenPoint at = {400, 300}, far = {INT32_MIN, 0};
    const struct {
        ScreenPoint From, To;
        std::uint32_t Threshold;
        bool Closes;
    } rows[] = {
        {at, {404, 300}, 4, F}, {at, {396, 300}, 4, F}, {at, {400, 296}, 4, F},      {at, {403, 301}, 4, F},
        {at, {398, 298}, 4, F}, {at, {403, 302}, 4, T}, {at, {395, 300}, 4, T},      {at, {400, 305}, 4, T},
        {at, at, 0, F},         {at, {401, 300}, 0, T}, {far, {INT32_MAX, 0}, 4, T},
    };
    for (const auto& row : rows)
        EXPECT_EQ(TravelAsksToClose(row.From, row.To, row.Threshold), row.Closes) << row.To.X << "," << row.To.Y;
}

TEST(CloseRules, SwallowedSystemCommands)
{
    const struct {
        bool Preview;
        std::uintptr_t Command;
        bool Swallowed;
    } rows[] = {
        {F, 0xF040, T}, {F, 0xF050, T}, {F, 0xF140, T}, {F, 0xF141, F},
        {F, 0xF060, F}, {F, 0xF020, F}, {T, 0xF040, F}, {T, 0xF140, F},
    };
    for (const auto& row : rows)
        EXPECT_EQ(SwallowsSystemCommand(row.Preview, row.Command), row.Swallowed) << std::hex << row.Command;
}

// The last rows wrap the tick count around.
TEST(CloseRules, CloseRequestVerdicts)
{
    using V = CloseVerdict;
    const std::uint32_t never = 0xFFFFFFFFu;
    const struct {
        bool Verifying, Granted, Loaded;
        std::uint32_t Last, Now;
        CloseVerdict Verdict;
    } rows[] = {
        {T, F, T, never, 1000, V::Refuse},    {F, T, F, never, 1000, V::Refuse},  {T, F, F, never, 1000, V::Refuse},
        {F, F, F, never, 5, V::Grant},        {F, F, F, 1000, 1001, V::Grant},    {F, F, T, never, 5, V::Ask},
        {F, F, T, 1000, 1000, V::Refuse},     {F, F, T, 1000, 1199, V::Refuse},   {F, F, T, 1000, 1200, V::Ask},
        {F, F, T, 0xFFFFFF9C, 99, V::Refuse}, {F, F, T, 0xFFFFFF9C, 100, V::Ask}, {F, F, T, 0xFFFFFFFE, 197, V::Refuse},
    };
    for (const auto& row : rows)
        EXPECT_EQ(JudgeClose(row.Verifying, row.Granted, row.Loaded, row.Last, row.Now), row.Verdict)
            << row.Verifying << row.Granted << row.Loaded << " " << row.Last << " " << row.Now;
}

// Typing 1500 one digit at a time: 1, 15 and 150 pass, 1500 keeps 150's interval.
TEST(EntryChecks, ImagesPerSecond)
{
    const struct {
        bool IsNumber;
        std::uint32_t Entry, Interval, Result;
        bool Refused;
    } rows[] = {
        {F, 0, 7, 20, F},   {T, 1, 20, 1000, F},        {T, 15, 1000, 66, F}, {T, 150, 66, 6, F},
        {T, 1500, 6, 6, T}, {T, 1000, 20, 1, F},        {T, 501, 20, 1, F},   {T, 3, 20, 333, F},
        {T, 0, 20, 20, T},  {T, 0xFFFFFFFB, 20, 20, T}, {T, 1001, 0, 0, T},
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
    const struct {
        bool IsNumber;
        std::uint32_t Entry;
        double Factor, Result;
        bool Refused;
    } rows[] = {
        {F, 0, 0.5, 0.08, F},    {T, 0, 0.5, 0.0, F},     {T, 29, 0.08, 0.29, F},
        {T, 500, 0.08, 5.0, F},  {T, 501, 0.29, 0.29, T}, {T, 0xFFFFFFFF, 0.29, 0.29, T},
        {T, 501, 5.0, 5.0, T},   {T, 501, 7.0, 0.08, T},  {T, 700, 5.009, 5.009, T},
        {T, 501, 5.02, 0.08, T},
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
    const struct {
        ScreenMetrics Metrics;
        ScreenRect Expected;
    } rows[] = {
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
