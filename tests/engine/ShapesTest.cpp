// Shape outlines and the per-figure shape, rotation and zoom choices.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/Random.h"
#include "curves/TrigTables.h"
#include "settings/Settings.h"
#include "settings/SettingsValues.h"
#include "shapes/ShapeOutlines.h"
#include "shapes/ShapeSelection.h"
#include "RecordingSurface.h"

namespace {

typedef std::vector<std::string> Calls;

Calls Outline(int shape, int rotation, int radius, int step, int x = 100, int y = 100)
{
    BuildTrigTables();
    RecordingSurface surface;
    DrawShape(surface, {shape, rotation, radius, step}, x, y);
    return surface.Calls;
}

TEST(ShapeOutlines, FixedOutlinesAtRadiusTen)
{
    EXPECT_EQ(Outline(SHAPE_FOUR_POINT_STAR, ROTATION_NONE, 10, 0),
              (Calls{"move 110 100", "line 103 103", "line 100 110", "line 97 103", "line 90 100", "line 97 97",
                     "line 100 90", "line 103 97", "line 110 100"}));
    EXPECT_EQ(Outline(SHAPE_SQUARE, ROTATION_NONE, 10, 0),
              (Calls{"move 107 107", "line 93 107", "line 93 93", "line 107 93", "line 107 107"}));
    EXPECT_EQ(Outline(SHAPE_DIAMOND, ROTATION_NONE, 10, 0),
              (Calls{"move 110 100", "line 100 110", "line 90 100", "line 100 90", "line 110 100"}));
    // The upper corners differ in height: the table's sines of 30 and 150
    // lie on either side of 0.5.
    EXPECT_EQ(Outline(SHAPE_TRIANGLE, ROTATION_NONE, 10, 0),
              (Calls{"move 100 110", "line 92 96", "line 108 95", "line 100 110"}));
    EXPECT_EQ(Outline(SHAPE_PYRAMID, ROTATION_NONE, 10, 0),
              (Calls{"move 108 104", "line 92 105", "line 100 90", "line 108 104"}));
    EXPECT_EQ(Outline(SHAPE_CIRCLE, ROTATION_CLOCKWISE, 10, 77), (Calls{"arc 90 90 110 110 90 100 90 100"}));
    // Anything that is not a shape bit draws the circle.
    EXPECT_EQ(Outline(3, ROTATION_NONE, 10, 0), (Calls{"arc 90 90 110 110 90 100 90 100"}));
}

TEST(ShapeOutlines, TurningOutlines)
{
    EXPECT_EQ(Outline(SHAPE_TRIANGLE, ROTATION_ANTICLOCKWISE, 10, 0),
              (Calls{"move 100 110", "line 108 96", "line 92 95", "line 100 110"}));
    EXPECT_EQ(Outline(SHAPE_SQUARE, ROTATION_CLOCKWISE, 10, 10),
              (Calls{"move 105 108", "line 92 105", "line 95 92", "line 108 95", "line 105 108"}));
    EXPECT_EQ(Outline(SHAPE_SQUARE, ROTATION_ANTICLOCKWISE, 10, 10),
              (Calls{"move 95 108", "line 108 105", "line 105 92", "line 92 95", "line 95 108"}));
    // Step 359 wraps every angle below 360 (Square: 44, 134, 224, 314).
    Calls wrapped = Outline(SHAPE_SQUARE, ROTATION_CLOCKWISE, 100, 359, 0, 0);
    EXPECT_EQ(wrapped.front(), "move 71 69");
    // A rotation that is not one bit draws no polygon.
    EXPECT_TRUE(Outline(SHAPE_SQUARE, 6, 10, 0).empty());
}

TEST(ShapeOutlines, CompoundStarsAndSmallRadii)
{
    Calls six = Outline(SHAPE_SIX_POINT_STAR, ROTATION_NONE, 10, 0);
    ASSERT_EQ(six.size(), 8u);
    EXPECT_EQ(six[0], "move 100 110");
    EXPECT_EQ(six[4], "move 108 104");
    Calls eight = Outline(SHAPE_EIGHT_POINT_STAR, ROTATION_NONE, 10, 0);
    ASSERT_EQ(eight.size(), 10u);
    EXPECT_EQ(eight[5], "move 110 100");

    Calls star7 = Outline(SHAPE_FOUR_POINT_STAR, ROTATION_NONE, 7, 0);
    EXPECT_EQ(star7[1], "line 102 102");  // notch at radius 3: 3 * 0.707 truncates to 2
    EXPECT_EQ(Outline(SHAPE_SQUARE, ROTATION_NONE, 1, 0),
              (Calls{"move 100 100", "line 100 100", "line 100 100", "line 100 100", "line 100 100"}));
    EXPECT_EQ(Outline(SHAPE_DIAMOND, ROTATION_NONE, 1, 0),
              (Calls{"move 101 100", "line 100 101", "line 99 100", "line 100 99", "line 101 100"}));
    EXPECT_EQ(Outline(SHAPE_FOUR_POINT_STAR, ROTATION_NONE, 1, 0)[1], "line 100 100");
}

TEST(ShapeOutlines, HugeRadiiSaturateInsteadOfOverflowing)
{
    Calls circle = Outline(SHAPE_CIRCLE, ROTATION_NONE, 2147483647, 0, 2000000000, -2000000000);
    EXPECT_EQ(circle[0], "arc -147483647 -2147483648 2147483647 147483647 -147483647 -2000000000 -147483647 -2000000000");
    Calls diamond = Outline(SHAPE_DIAMOND, ROTATION_ANTICLOCKWISE, 2147483647, 0, 2000000000, 0);
    EXPECT_EQ(diamond[0], "move -147483647 0");
    EXPECT_EQ(diamond[2], "line 2147483647 0");
    Calls negative = Outline(SHAPE_TRIANGLE, ROTATION_NONE, -2147483647 - 1, 0, -2000000000, 5);
    EXPECT_EQ(negative[0], "move -2000000000 -2147483643");
}

// Zoom and choices.

class Selection : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetSettings();
        SeedRandom(12345);
    }
    // Runs a whole zooming figure; returns the radius each step draws with.
    std::vector<int> ZoomFigure(int zoomLevel, int baseRadius)
    {
        zoom = SetUpZoom(zoomLevel, baseRadius);
        std::vector<int> radii;
        for (int step = 0; step < 360; step++) {
            zoom = UpdateZoom(zoom, step, baseRadius);
            radii.push_back(zoom.ObjectRadius);
        }
        return radii;
    }
    ZoomRecord zoom;
};

TEST_F(Selection, SingleOptionsDrawNothingAndMixedOnesDrawUntilEnabled)
{
    Settings.ObjectShape = SHAPE_FOUR_POINT_STAR;
    Settings.ObjectRotation = ROTATION_CLOCKWISE;
    Settings.ZoomOption = ZOOM_ONE_PHASE | ZOOM_START_SMALL;  // no level: no zoom
    std::uint32_t before = RandomState.Seed;
    EXPECT_EQ(ChooseShape(), SHAPE_FOUR_POINT_STAR);
    EXPECT_EQ(ChooseRotation(), ROTATION_CLOCKWISE);
    EXPECT_EQ(ChooseZoomLevel(), 0);
    EXPECT_EQ(RandomState.Seed, before);
    EXPECT_EQ(ChooseZoomStart(), ZOOM_START_SMALL);  // Start Small alone: always small

    // Circle or Square: each comes out, nothing else does.
    Settings.ObjectShape = SHAPE_CIRCLE | SHAPE_SQUARE;
    int seen[2] = {0, 0};
    for (int i = 0; i < 200; i++) {
        int shape = ChooseShape();
        ASSERT_TRUE(shape == SHAPE_CIRCLE || shape == SHAPE_SQUARE) << shape;
        seen[shape == SHAPE_SQUARE]++;
    }
    EXPECT_GT(seen[0], 50);
    EXPECT_GT(seen[1], 50);

    // A mask with stray bits is drawn from; only candidate bits come out.
    Settings.ObjectShape = 514;
    for (int i = 0; i < 50; i++) EXPECT_EQ(ChooseShape(), SHAPE_CIRCLE);
    // A single zoom level is still found by drawing.
    Settings.ZoomOption = ZOOM_HIGH;
    before = RandomState.Seed;
    EXPECT_EQ(ChooseZoomLevel(), ZOOM_HIGH);
    EXPECT_NE(RandomState.Seed, before);
}

TEST_F(Selection, MasksWithNothingToPickEndWithoutDrawing)
{
    Settings.ObjectShape = 1 | 512;
    Settings.ObjectRotation = 0;
    Settings.ZoomOption = ZOOM_LOW;  // a level but no phase count
    std::uint32_t before = RandomState.Seed;
    EXPECT_EQ(ChooseShape(), SHAPE_CIRCLE);
    EXPECT_EQ(ChooseRotation(), ROTATION_NONE);
    EXPECT_EQ(ChooseZoomPhases(), ZOOM_ONE_PHASE);
    EXPECT_EQ(ChooseZoomStart(), ZOOM_START_LARGE);
    EXPECT_EQ(RandomState.Seed, before);
}

// Radius drawn at chosen steps of whole zooming figures.
TEST_F(Selection, ZoomRunsItsPhasesAtTheRightSpeed)
{
    struct StepRadius {
        int Step, Radius;
    };
    const struct {
        std::uint32_t Options;
        int Level, Base, ZoomStep, ZoomFast;
        std::vector<StepRadius> Expected;
    } figures[] = {
        {ZOOM_LOW | ZOOM_ONE_PHASE | ZOOM_START_SMALL, ZOOM_LOW, 61, 15, 0,
         {{0, 38}, {14, 38}, {15, 39}, {344, 60}, {345, 61}, {359, 61}}},
        {ZOOM_LOW | ZOOM_ONE_PHASE | ZOOM_START_LARGE, ZOOM_LOW, 61, 15, 0, {{0, 60}, {345, 37}, {359, 37}}},
        {ZOOM_VERY_HIGH | ZOOM_ONE_PHASE | ZOOM_START_SMALL, ZOOM_VERY_HIGH, 61, 6, 0,
         {{0, 2}, {353, 60}, {354, 61}}},
        {ZOOM_HIGH | ZOOM_FOUR_PHASE | ZOOM_START_SMALL, ZOOM_HIGH, 100, 1, 1,
         {{0, 11}, {89, 100}, {90, 99}, {179, 10}, {180, 11}}},
        {ZOOM_VERY_HIGH | ZOOM_FOUR_PHASE | ZOOM_START_SMALL, ZOOM_VERY_HIGH, 500, 5, 1,
         {{0, 10}, {89, 455}, {90, 450}, {179, 5}}},
        // Two phases turn at step 180 only: shrinking until then, growing after.
        {ZOOM_HIGH | ZOOM_TWO_PHASE | ZOOM_START_LARGE, ZOOM_HIGH, 100, 2, 0,
         {{0, 99}, {90, 54}, {179, 10}, {180, 11}, {359, 100}}},
    };
    for (const auto& figure : figures) {
        Settings.ZoomOption = figure.Options;
        std::vector<int> radii = ZoomFigure(figure.Level, figure.Base);
        EXPECT_EQ(zoom.ZoomStep, figure.ZoomStep) << figure.Options;
        EXPECT_EQ(zoom.ZoomFast, figure.ZoomFast) << figure.Options;
        for (const StepRadius& expected : figure.Expected)
            EXPECT_EQ(radii[expected.Step], expected.Radius) << figure.Options << " at step " << expected.Step;
    }
}

TEST_F(Selection, BoundsAndARadiusOfZero)
{
    Settings.ZoomOption = ZOOM_HIGH | ZOOM_FOUR_PHASE | ZOOM_START_SMALL | ZOOM_START_LARGE;
    for (int radius : ZoomFigure(ZOOM_HIGH, 1))
        ASSERT_EQ(radius, 1);

    // A zero radius makes the set-up's quotient infinite: per-step zoom of 0.
    Settings.ZoomOption = ZOOM_LOW | ZOOM_ONE_PHASE | ZOOM_START_SMALL;
    zoom = SetUpZoom(ZOOM_LOW, 0);
    EXPECT_EQ(zoom.ZoomFast, 1);
    EXPECT_EQ(zoom.ZoomStep, 0);
    EXPECT_EQ(zoom.ObjectRadius, 1);  // start small: at least 1
    EXPECT_EQ(UpdateZoom(zoom, 0, 0).ObjectRadius, 0);  // the clamp brings it back to the base radius

    // Huge radii grow and shrink without overflowing.
    Settings.ZoomOption = ZOOM_VERY_HIGH | ZOOM_FOUR_PHASE | ZOOM_START_LARGE;
    for (int radius : ZoomFigure(ZOOM_VERY_HIGH, 2147483647))
        ASSERT_GE(radius, 1);
}

}  // namespace
