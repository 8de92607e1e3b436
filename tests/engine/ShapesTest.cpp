// Shape outlines and the zoom; which shape, rotation and zoom a figure gets
// shows in the golden traces.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "curves/TrigTables.h"
#include "render/Renderer.h"
#include "settings/Settings.h"
#include "settings/SettingsValues.h"
#include "shapes/ShapeOutlines.h"
#include "shapes/ShapeSelection.h"

// What the shape draws, through the renderer's trace writer, with '|' for
// the line ends.
static std::string Traced(const ShapeStamp& stamp, std::int32_t x, std::int32_t y)
{
    std::FILE* file = std::tmpfile();
    TracingSurface surface(file, nullptr);
    DrawShape(surface, stamp, x, y);
    std::string text;
    std::rewind(file);
    for (int c; (c = std::fgetc(file)) != EOF;)
        text += c == '\n' ? '|' : static_cast<char>(c);
    std::fclose(file);
    return text;
}

// Outlines whose vertices hang on truncation and on the rotation's sense; the
// plain ones show in the golden traces.
TEST(ShapeOutlines, WorkedExamples)
{
    const struct {
        std::int32_t Shape, Rotation, Radius, Step, X, Y;
        const char* Trace;
    } cases[] = {
        // The upper corners differ in height: Sine[30] and Sine[150] lie on either side of 0.5.
        {SHAPE_TRIANGLE, ROTATION_NONE, 10, 0, 100, 100, "move 100 110|line 92 96|line 108 95|line 100 110|"},
        {SHAPE_TRIANGLE, ROTATION_ANTICLOCKWISE, 10, 0, 100, 100, "move 100 110|line 108 96|line 92 95|line 100 110|"},
        {SHAPE_SQUARE, ROTATION_CLOCKWISE, 10, 10, 100, 100, "move 105 108|line 92 105|line 95 92|line 108 95|line 105 108|"},
        {SHAPE_SQUARE, ROTATION_ANTICLOCKWISE, 10, 10, 100, 100,
         "move 95 108|line 108 105|line 105 92|line 92 95|line 95 108|"},
        {SHAPE_SQUARE, ROTATION_CLOCKWISE, 100, 359, 0, 0, "move 71 69|line -69 71|line -71 -69|line 69 -71|line 71 69|"},
        {SHAPE_DIAMOND, ROTATION_NONE, 1, 0, 100, 100, "move 101 100|line 100 101|line 99 100|line 100 99|line 101 100|"},
    };
    BuildTrigTables();
    for (const auto& c : cases)
        EXPECT_EQ(Traced(ShapeStamp{c.Shape, c.Rotation, c.Radius, c.Step}, c.X, c.Y), c.Trace)
            << "shape " << c.Shape << " rotation " << c.Rotation << " radius " << c.Radius << " step " << c.Step;
}

// The radius each step of a whole zooming figure draws with, at chosen steps.
TEST(Zoom, RunsItsPhasesAtTheRightSpeed)
{
    ResetSettings();
    const struct {
        std::uint32_t Options;
        int Base, ZoomStep, ZoomFast;
        std::vector<std::pair<int, int>> StepRadius;
    } figures[] = {
        {ZOOM_LOW | ZOOM_ONE_PHASE | ZOOM_START_SMALL, 61, 15, 0,
         {{0, 38}, {14, 38}, {15, 39}, {344, 60}, {345, 61}, {359, 61}}},
        {ZOOM_LOW | ZOOM_ONE_PHASE | ZOOM_START_LARGE, 61, 15, 0, {{0, 60}, {345, 37}, {359, 37}}},
        {ZOOM_VERY_HIGH | ZOOM_ONE_PHASE | ZOOM_START_SMALL, 61, 6, 0, {{0, 2}, {353, 60}, {354, 61}}},
        {ZOOM_HIGH | ZOOM_FOUR_PHASE | ZOOM_START_SMALL, 100, 1, 1,
         {{0, 11}, {89, 100}, {90, 99}, {179, 10}, {180, 11}, {269, 100}, {270, 99}}},
        {ZOOM_VERY_HIGH | ZOOM_FOUR_PHASE | ZOOM_START_SMALL, 500, 5, 1, {{0, 10}, {89, 455}, {90, 450}, {179, 5}}},
        // Two phases turn at step 180 only.
        {ZOOM_HIGH | ZOOM_TWO_PHASE | ZOOM_START_LARGE, 100, 2, 0, {{0, 99}, {90, 54}, {179, 10}, {180, 11}, {359, 100}}},
        // The clamp undoes each change.
        {ZOOM_HIGH | ZOOM_FOUR_PHASE | ZOOM_START_SMALL | ZOOM_START_LARGE, 1, 100, 0, {{0, 1}, {90, 1}, {359, 1}}},
        // A zero radius makes the set-up's quotient infinite: a change of 0 per step.
        {ZOOM_LOW | ZOOM_ONE_PHASE | ZOOM_START_SMALL, 0, 0, 1, {{0, 0}, {359, 0}}},
    };
    for (const auto& figure : figures) {
        Settings.ZoomOption = figure.Options;
        ZoomRecord zoom = SetUpZoom(static_cast<std::int32_t>(figure.Options & ZOOM_LEVEL_BITS), figure.Base);
        EXPECT_EQ(zoom.ZoomStep, figure.ZoomStep) << figure.Options;
        EXPECT_EQ(zoom.ZoomFast, figure.ZoomFast) << figure.Options;
        std::vector<int> radii;
        for (int step = 0; step < 360; step++) {
            zoom = UpdateZoom(zoom, step, figure.Base);
            radii.push_back(zoom.ObjectRadius);
        }
        for (const auto& expected : figure.StepRadius)
            EXPECT_EQ(radii[expected.first], expected.second) << figure.Options << " at step " << expected.first;
    }
}
