// The settings dialog driven through its controls, against the registry of
// the test prefix.
#include <gtest/gtest.h>

#include <windows.h>

#include "DialogDriver.h"
#include "SettingsKey.h"
#include "settings/Settings.h"
#include "settings/SettingsValues.h"

namespace {

const int IMAGES = 1002;
const int SIZE = 1003;
const int JOIN = 1004;
const char* const IMAGES_WARNING = "Entry must be between 1 and 1000";
const char* const SIZE_WARNING = "Entry must be between 0 and 500 %";

// Mask bits and their check boxes, written out here independently of the
// tables the dialog uses.
struct BoxBit {
    std::uint32_t Bit;
    int Id;
};
const BoxBit SHAPE_BOXES[] = {{2, 1005},  {4, 1006},  {8, 1010},   {16, 1009},
                              {32, 1007}, {64, 1011}, {128, 1012}, {256, 1008}};
const BoxBit ROTATION_BOXES[] = {{2, 1016}, {4, 1017}, {8, 1018}};
const BoxBit ZOOM_BOXES[] = {{2, 1031},  {4, 1030},   {8, 1029},   {16, 1032}, {32, 1033},
                             {64, 1034}, {128, 1035}, {256, 1039}, {512, 1040}};

template <size_t Count>
std::uint32_t ShownMask(HWND dialog, const BoxBit (&boxes)[Count])
{
    std::uint32_t mask = 0;
    for (const BoxBit& box : boxes)
        if (IsChecked(dialog, box.Id))
            mask |= box.Bit;
    return mask;
}

int ShownColourButton(HWND dialog)
{
    int checked = 0;
    for (int id = 1013; id <= 1015; ++id)
        if (IsChecked(dialog, id))
            checked = checked == 0 ? id : -1;  // -1: more than one
    return checked;
}

std::uint32_t Stored(const char* name)
{
    std::uint32_t value = 0xDEADBEEF;
    GetDword(name, value);
    return value;
}

class ConfigDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RemoveSettingsKey();
        ResetSettings();
    }
    void TearDown() override { RemoveSettingsKey(); }
};

// --- What the dialog shows and what OK writes --------------------------------

TEST_F(ConfigDialogTest, ShowsTheDefaultsWithNoKeyAndCancelWritesNothing)
{
    DialogRun run;
    HWND dialog = run.Dialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ControlText(dialog, IMAGES), "50");
    EXPECT_EQ(ControlText(dialog, SIZE), "8");
    EXPECT_FALSE(IsChecked(dialog, JOIN));
    EXPECT_EQ(ShownColourButton(dialog), 1013);
    EXPECT_EQ(ShownMask(dialog, SHAPE_BOXES), 2u);
    EXPECT_EQ(ShownMask(dialog, ROTATION_BOXES), 2u);
    EXPECT_EQ(ShownMask(dialog, ZOOM_BOXES), 0u);

    ASSERT_TRUE(SetText(dialog, IMAGES, "7"));
    ASSERT_TRUE(Click(dialog, 1017));
    ASSERT_TRUE(Click(dialog, 1015));
    ASSERT_TRUE(Click(dialog, IDCANCEL));
    EXPECT_EQ(run.Finish(), 0);
    EXPECT_FALSE(SettingsKeyExists());
}

// Runs whose masks give every check box a different pattern of on and off
// (box k of a group is on in run b when bit b of k is set), so a box tied to
// the wrong bit shows in the display or in what OK writes; the last run has
// nothing ticked. Bits that no box stands for are ignored.
TEST_F(ConfigDialogTest, ShowsStoredSettingsAndOkWritesWhatIsShown)
{
    struct Case {
        std::uint32_t Percent, Images, Join;  // 0xFFFFFFFF: not stored
        std::int32_t Colour;
        const char* ShownPercent;
        const char* ShownImages;
        bool ShownJoin;
        int ShownColour;
        std::uint32_t SavedPercent, SavedImages, SavedColour;
    };
    const std::uint32_t none = 0xFFFFFFFF;
    const Case cases[] = {
        {0, 300, 1, 10, "0", "333", true, 1013, 0, 333, 10},
        {29, 60, 1, 30, "28", "62", false, 1014, 28, 62, 30},
        {500, 1000, none, 50, "500", "1000", false, 1015, 500, 1000, 50},
        {none, none, none, 77, "8", "50", false, 1014, 8, 50, 30},
        {12, 7, 1, 0, "12", "7", false, 1014, 12, 7, 30},
    };
    for (std::uint32_t b = 0; b < 5; ++b) {
        SCOPED_TRACE("run " + std::to_string(b));
        const Case& c = cases[b];
        std::uint32_t pattern = 0;
        for (std::uint32_t k = 1; k <= 9; ++k)
            pattern |= (b < 4 ? (k >> b) & 1u : 0u) << k;
        const std::uint32_t shapes = pattern & 0x1FE, rotations = pattern & 0xE, zooms = pattern & 0x3FE;

        RemoveSettingsKey();
        if (c.Percent != none)
            PutDword(VALUE_RADIUS_FACTOR, c.Percent);
        if (c.Images != none)
            PutDword(VALUE_IMAGES_PER_SEC, c.Images);
        if (c.Join != none)
            PutDword(VALUE_JOIN_THE_DOTS, c.Join);
        PutDword(VALUE_COLOUR_OPTION, static_cast<std::uint32_t>(c.Colour));
        PutDword(VALUE_OBJECT_SHAPE, shapes | 0x80001);
        PutDword(VALUE_OBJECT_ROTATION, rotations | 0x80001);
        PutDword(VALUE_ZOOM_OPTION, zooms | 0x80001);

        DialogRun run;
        HWND dialog = run.Dialog();
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(ControlText(dialog, SIZE), c.ShownPercent);
        EXPECT_EQ(ControlText(dialog, IMAGES), c.ShownImages);
        EXPECT_EQ(IsChecked(dialog, JOIN), c.ShownJoin);
        EXPECT_EQ(ShownColourButton(dialog), c.ShownColour);
        EXPECT_EQ(ShownMask(dialog, SHAPE_BOXES), shapes);
        EXPECT_EQ(ShownMask(dialog, ROTATION_BOXES), rotations);
        EXPECT_EQ(ShownMask(dialog, ZOOM_BOXES), zooms);

        ASSERT_TRUE(Click(dialog, IDOK));
        ASSERT_EQ(run.Finish(), 1);
        EXPECT_EQ(StoredValues().size(), 7u);
        EXPECT_EQ(Stored(VALUE_RADIUS_FACTOR), c.SavedPercent);
        EXPECT_EQ(Stored(VALUE_IMAGES_PER_SEC), c.SavedImages);
        EXPECT_EQ(Stored(VALUE_JOIN_THE_DOTS), c.ShownJoin ? 1u : 0u);
        EXPECT_EQ(Stored(VALUE_COLOUR_OPTION), c.SavedColour);
        EXPECT_EQ(Stored(VALUE_OBJECT_SHAPE), shapes != 0 ? shapes : 2u);
        EXPECT_EQ(Stored(VALUE_OBJECT_ROTATION), rotations != 0 ? rotations : 2u);
        EXPECT_EQ(Stored(VALUE_ZOOM_OPTION), zooms);
    }
}

// --- Entry checks -------------------------------------------------------------

TEST_F(ConfigDialogTest, TypingImagesDigitByDigitRefusesTheFourthOf1500)
{
    DialogRun run;
    HWND dialog = run.Dialog();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(SetText(dialog, IMAGES, ""));

    const struct {
        char Key;
        const char* Shown;
        std::uint32_t Interval;
    } accepted[] = {{'1', "1", 1000}, {'5', "15", 66}, {'0', "150", 6}};
    for (const auto& step : accepted) {
        ASSERT_TRUE(TypeKey(dialog, IMAGES, step.Key)) << "a warning blocked " << step.Shown;
        EXPECT_EQ(ControlText(dialog, IMAGES), step.Shown);
        EXPECT_EQ(Settings.TimerInterval, step.Interval) << step.Shown;
    }

    PostKey(dialog, IMAGES, '0');
    WarningBox box = AnswerWarning("Images Per Second");
    ASSERT_TRUE(box.Shown);
    EXPECT_EQ(box.Text, IMAGES_WARNING);
    EXPECT_FALSE(box.Owned);
    EXPECT_TRUE(box.WarningIcon);
    EXPECT_EQ(ControlText(dialog, IMAGES), "166");
    EXPECT_EQ(Settings.TimerInterval, 6u);

    ASSERT_TRUE(Click(dialog, IDOK));
    ASSERT_EQ(run.Finish(), 1);
    EXPECT_EQ(Stored(VALUE_IMAGES_PER_SEC), 166u);
}

TEST_F(ConfigDialogTest, ZeroImagesAndSizesAbove500AreRefusedZeroSizeIsAccepted)
{
    DialogRun run;
    HWND dialog = run.Dialog();
    ASSERT_NE(dialog, nullptr);

    SelectAll(dialog, IMAGES);
    PostKey(dialog, IMAGES, '0');
    WarningBox box = AnswerWarning("Images Per Second");
    ASSERT_TRUE(box.Shown);
    EXPECT_EQ(box.Text, IMAGES_WARNING);
    EXPECT_EQ(ControlText(dialog, IMAGES), "50");

    SelectAll(dialog, SIZE);
    ASSERT_TRUE(TypeKey(dialog, SIZE, '5'));
    ASSERT_TRUE(TypeKey(dialog, SIZE, '0'));
    EXPECT_EQ(Settings.RadiusFactor, 0.5);
    PostKey(dialog, SIZE, '1');
    box = AnswerWarning("Circle Radius");
    ASSERT_TRUE(box.Shown);
    EXPECT_EQ(box.Text, SIZE_WARNING);
    EXPECT_FALSE(box.Owned);
    EXPECT_TRUE(box.WarningIcon);
    EXPECT_EQ(ControlText(dialog, SIZE), "50");
    EXPECT_EQ(Settings.RadiusFactor, 0.5);

    SelectAll(dialog, SIZE);
    ASSERT_TRUE(TypeKey(dialog, SIZE, '0')) << "0 percent raised a warning";
    EXPECT_EQ(ControlText(dialog, SIZE), "0");
    EXPECT_EQ(Settings.RadiusFactor, 0.0);

    ASSERT_TRUE(Click(dialog, IDOK));
    ASSERT_EQ(run.Finish(), 1);
    EXPECT_EQ(Stored(VALUE_RADIUS_FACTOR), 0u);
    EXPECT_EQ(Stored(VALUE_IMAGES_PER_SEC), 50u);
}

TEST_F(ConfigDialogTest, PastedNegativeNumbersAreRefused)
{
    PutDword(VALUE_IMAGES_PER_SEC, 25);
    PutDword(VALUE_RADIUS_FACTOR, 12);
    DialogRun run;
    HWND dialog = run.Dialog();
    ASSERT_NE(dialog, nullptr);

    ASSERT_TRUE(PostPaste(dialog, IMAGES, "-5"));
    WarningBox box = AnswerWarning("Images Per Second");
    ASSERT_TRUE(box.Shown);
    EXPECT_EQ(box.Text, IMAGES_WARNING);
    EXPECT_EQ(ControlText(dialog, IMAGES), "25");

    ASSERT_TRUE(PostPaste(dialog, SIZE, "-1"));
    box = AnswerWarning("Circle Radius");
    ASSERT_TRUE(box.Shown);
    EXPECT_EQ(box.Text, SIZE_WARNING);
    EXPECT_EQ(ControlText(dialog, SIZE), "12");

    ASSERT_TRUE(Click(dialog, IDOK));
    ASSERT_EQ(run.Finish(), 1);
    EXPECT_EQ(Stored(VALUE_IMAGES_PER_SEC), 25u);
    EXPECT_EQ(Stored(VALUE_RADIUS_FACTOR), 12u);
}

TEST_F(ConfigDialogTest, EmptiedFieldsStayEmptyAndOkWritesTheDefaults)
{
    PutDword(VALUE_IMAGES_PER_SEC, 10);
    PutDword(VALUE_RADIUS_FACTOR, 20);
    DialogRun run;
    HWND dialog = run.Dialog();
    ASSERT_NE(dialog, nullptr);
    ASSERT_EQ(ControlText(dialog, IMAGES), "10");
    ASSERT_EQ(ControlText(dialog, SIZE), "20");

    ASSERT_TRUE(SetText(dialog, IMAGES, "")) << "an empty field raised a warning";
    ASSERT_TRUE(SetText(dialog, SIZE, ""));
    EXPECT_EQ(ControlText(dialog, IMAGES), "");
    EXPECT_EQ(ControlText(dialog, SIZE), "");

    ASSERT_TRUE(Click(dialog, IDOK));
    ASSERT_EQ(run.Finish(), 1);
    EXPECT_EQ(Stored(VALUE_IMAGES_PER_SEC), 50u);
    EXPECT_EQ(Stored(VALUE_RADIUS_FACTOR), 8u);
}

// --- Closing ------------------------------------------------------------------

TEST_F(ConfigDialogTest, AsAProcessOkExitsWithOneAndCancelWithZeroWritingNothing)
{
    {
        DialogProcess process;
        ASSERT_NE(process.Dialog(), nullptr);
        ASSERT_TRUE(SetText(process.Dialog(), IMAGES, "25"));
        ASSERT_TRUE(Click(process.Dialog(), IDOK));
        EXPECT_EQ(process.Finish(), 1u);
    }
    EXPECT_EQ(Stored(VALUE_IMAGES_PER_SEC), 25u);
    EXPECT_EQ(StoredValues().size(), 7u);

    PutDword(VALUE_RADIUS_FACTOR, 0);
    PutDword(VALUE_JOIN_THE_DOTS, 1);
    std::vector<StoredValue> before = StoredValues();
    {
        DialogProcess process;
        HWND dialog = process.Dialog();
        ASSERT_NE(dialog, nullptr);
        ASSERT_TRUE(SetText(dialog, IMAGES, "300"));
        ASSERT_TRUE(SetText(dialog, SIZE, "45"));
        ASSERT_TRUE(Click(dialog, JOIN));
        ASSERT_TRUE(Click(dialog, 1015));
        ASSERT_TRUE(Click(dialog, 1040));
        ASSERT_TRUE(Click(dialog, IDCANCEL));
        EXPECT_EQ(process.Finish(), 0u);
    }
    std::vector<StoredValue> after = StoredValues();
    ASSERT_EQ(after.size(), before.size());
    for (size_t i = 0; i < before.size(); ++i) {
        EXPECT_EQ(after[i].Name, before[i].Name);
        EXPECT_EQ(after[i].Data, before[i].Data) << before[i].Name;
    }
}

}  // namespace
