// The zoom's phases; the outlines, and which shape, rotation and zoom a
// figure gets, show in the golden traces.
#include <gtest/gtest.h>

#include <vector>

#include "settings/Settings.h"
#include "settings/SettingsValues.h"
#include "shapes/ShapeSelection.h"

// The radius each step of a whole zooming figure draws with, at chosen steps.
TEST(Zoom, RunsItsPhasesAtTheRightSpeed)
{
    ResetSettings();
    const struct {
        std::uint32_t Options;
        int Base, ZoomStep, ZoomFast;
        std::vector<std::pair<int, int>> StepRadius;
    } figures[] = {
        {ZOOM_LOW | ZOOM_ONE_PHASE | ZOOM_START_SMALL,
         61,
         15,
         0,
         {{0, 38}, {14, 38}, {15, 39}, {344, 60}, {345, 61}, {359, 61}}},
        {ZOOM_LOW | ZOOM_ONE_PHASE | ZOOM_START_LARGE, 61, 15, 0, {{0, 60}, {345, 37}, {359, 37}}},
        {ZOOM_VERY_HIGH | ZOOM_ONE_PHASE | ZOOM_START_SMALL, 61, 6, 0, {{0, 2}, {353, 60}, {354, 61}}},
        {ZOOM_HIGH | ZOOM_FOUR_PHASE | ZOOM_START_SMALL,
         100,
         1,
         1,
         {{0, 11}, {89, 100}, {90, 99}, {179, 10}, {180, 11}, {269, 100}, {270, 99}}},
        {ZOOM_VERY_HIGH | ZOOM_FOUR_PHASE | ZOOM_START_SMALL, 500, 5, 1, {{0, 10}, {89, 455}, {90, 450}, {179, 5}}},
        // A fast start small from under 1 pixel starts at 1.
        {ZOOM_VERY_HIGH | ZOOM_FOUR_PHASE | ZOOM_START_SMALL, 91, 1, 1, {{0, 2}, {89, 91}}},
        // Two phases turn at step 180 only.
        {ZOOM_HIGH | ZOOM_TWO_PHASE | ZOOM_START_LARGE,
         100,
         2,
         0,
         {{0, 99}, {90, 54}, {179, 10}, {180, 11}, {359, 100}}},
        // The clamp undoes each change.
        {ZOOM_HIGH | ZOOM_FOUR_PHASE | ZOOM_START_SMALL | ZOOM_START_LARGE, 1, 100, 0, {{0, 1}, {90, 1}, {359, 1}}},
        // A zero radius makes the set-up's quotient infinite: a change of 0 per step.
        {ZOOM_LOW | ZOOM_ONE_PHASE | ZOOM_START_SMALL, 0, 0, 1, {{0, 0}, {359, 0}}},
    };
    for (const auto& figure : figures) {
        Settings.ZoomOption = figure.Options;
        std::int32_t radius = figure.Base;
        ZoomRecord zoom = SetUpZoom(static_cast<std::int32_t>(figure.Options & ZOOM_LEVEL_BITS), radius);
        EXPECT_EQ(zoom.ZoomStep, figure.ZoomStep) << figure.Options;
        EXPECT_EQ(zoom.ZoomFast, figure.ZoomFast) << figure.Options;
        std::vector<int> radii;
        for (int step = 0; step < 360; step++) {
            UpdateZoom(zoom, radius, step, figure.Base);
            radii.push_back(radius);
        }
        for (const auto& expected : figure.StepRadius)
            EXPECT_EQ(radii[expected.first], expected.second) << figure.Options << " at step " << expected.first;
    }
}
