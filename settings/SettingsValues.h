// The stored settings' names, bits, defaults and entry ranges: one place that
// the load and save rules, the dialog and the tools all read.
#pragma once
#include <cstdint>

#include "settings/DialogIds.h"

#define SETTINGS_KEY_PATH "software\\plorvex\\orbx_ss\\Settings"

#define VALUE_RADIUS_FACTOR   "RadiusFactor"
#define VALUE_IMAGES_PER_SEC  "ImagesPerSec"
#define VALUE_JOIN_THE_DOTS   "JoinTheDots"
#define VALUE_OBJECT_SHAPE    "ObjectShape"
#define VALUE_OBJECT_ROTATION "ObjectRotation"
#define VALUE_COLOUR_OPTION   "ColourOption"
#define VALUE_ZOOM_OPTION     "ZoomOption"

// Shape bits.
enum : std::uint32_t {
    SHAPE_CIRCLE = 2, SHAPE_SQUARE = 4, SHAPE_TRIANGLE = 8, SHAPE_FOUR_POINT_STAR = 16,
    SHAPE_DIAMOND = 32, SHAPE_PYRAMID = 64, SHAPE_SIX_POINT_STAR = 128, SHAPE_EIGHT_POINT_STAR = 256
};
// Rotation bits.
enum : std::uint32_t { ROTATION_NONE = 2, ROTATION_CLOCKWISE = 4, ROTATION_ANTICLOCKWISE = 8 };
// Zoom option bits: levels, phase counts, start sizes.
enum : std::uint32_t {
    ZOOM_LOW = 2, ZOOM_MEDIUM = 4, ZOOM_HIGH = 8, ZOOM_VERY_HIGH = 16,
    ZOOM_LEVEL_BITS = 30,
    ZOOM_ONE_PHASE = 32, ZOOM_TWO_PHASE = 64, ZOOM_FOUR_PHASE = 128,
    ZOOM_START_SMALL = 256, ZOOM_START_LARGE = 512
};
// Colour option: the lower bound of the colour components.
enum : std::int32_t { COLOUR_HIGH = 10, COLOUR_MEDIUM = 30, COLOUR_LOW = 50 };

const double DEFAULT_RADIUS_FACTOR = 0.08;
const std::uint32_t DEFAULT_TIMER_INTERVAL = 20;
const std::uint32_t MIN_IMAGES_PER_SEC = 1;
const std::uint32_t MAX_IMAGES_PER_SEC = 1000;
const std::uint32_t MAX_OBJECT_SIZE_PERCENT = 500;

// A dialog check box and the mask bit it stands for.
struct MaskControl {
    int ControlId;
    std::uint32_t Bit;
};

// In the order the dialog sets them up.
const MaskControl SHAPE_CONTROLS[8] = {
    {IDC_CIRCLE, SHAPE_CIRCLE}, {IDC_SQUARE, SHAPE_SQUARE}, {IDC_TRIANGLE, SHAPE_TRIANGLE}, {IDC_FOUR_POINT_STAR, SHAPE_FOUR_POINT_STAR},
    {IDC_DIAMOND, SHAPE_DIAMOND}, {IDC_PYRAMID, SHAPE_PYRAMID}, {IDC_SIX_POINT_STAR, SHAPE_SIX_POINT_STAR}, {IDC_EIGHT_POINT_STAR, SHAPE_EIGHT_POINT_STAR}};
const MaskControl ROTATION_CONTROLS[3] = {
    {IDC_ROTATION_NONE, ROTATION_NONE}, {IDC_ROTATION_CLOCKWISE, ROTATION_CLOCKWISE}, {IDC_ROTATION_ANTICLOCKWISE, ROTATION_ANTICLOCKWISE}};
const MaskControl ZOOM_CONTROLS[9] = {
    {IDC_ZOOM_LOW, ZOOM_LOW}, {IDC_ZOOM_MEDIUM, ZOOM_MEDIUM}, {IDC_ZOOM_HIGH, ZOOM_HIGH}, {IDC_ZOOM_VERY_HIGH, ZOOM_VERY_HIGH},
    {IDC_ZOOM_ONE_PHASE, ZOOM_ONE_PHASE}, {IDC_ZOOM_TWO_PHASE, ZOOM_TWO_PHASE}, {IDC_ZOOM_FOUR_PHASE, ZOOM_FOUR_PHASE},
    {IDC_ZOOM_START_SMALL, ZOOM_START_SMALL}, {IDC_ZOOM_START_LARGE, ZOOM_START_LARGE}};
