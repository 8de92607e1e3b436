// Names for the stored settings' facts, all taken from SETTINGS_TABLE
// (settings/SettingsTable.h), for the code that needs one value by name.
#pragma once
#include <cstdint>

#include "settings/SettingsTable.h"

#define SETTINGS_KEY_PATH "software\\plorvex\\orbx_ss\\Settings"

inline constexpr const char* VALUE_RADIUS_FACTOR = SETTINGS_TABLE[SETTING_RADIUS_FACTOR].Name;
inline constexpr const char* VALUE_IMAGES_PER_SEC = SETTINGS_TABLE[SETTING_IMAGES_PER_SEC].Name;
inline constexpr const char* VALUE_JOIN_THE_DOTS = SETTINGS_TABLE[SETTING_JOIN_THE_DOTS].Name;
inline constexpr const char* VALUE_OBJECT_SHAPE = SETTINGS_TABLE[SETTING_OBJECT_SHAPE].Name;
inline constexpr const char* VALUE_OBJECT_ROTATION = SETTINGS_TABLE[SETTING_OBJECT_ROTATION].Name;
inline constexpr const char* VALUE_COLOUR_OPTION = SETTINGS_TABLE[SETTING_COLOUR_OPTION].Name;
inline constexpr const char* VALUE_ZOOM_OPTION = SETTINGS_TABLE[SETTING_ZOOM_OPTION].Name;

// Shape bits.
inline constexpr std::uint32_t SHAPE_CIRCLE = SHAPE_CHOICES[0].Value, SHAPE_SQUARE = SHAPE_CHOICES[1].Value,
                               SHAPE_TRIANGLE = SHAPE_CHOICES[2].Value, SHAPE_FOUR_POINT_STAR = SHAPE_CHOICES[3].Value,
                               SHAPE_DIAMOND = SHAPE_CHOICES[4].Value, SHAPE_PYRAMID = SHAPE_CHOICES[5].Value,
                               SHAPE_SIX_POINT_STAR = SHAPE_CHOICES[6].Value,
                               SHAPE_EIGHT_POINT_STAR = SHAPE_CHOICES[7].Value;
// Rotation bits.
inline constexpr std::uint32_t ROTATION_NONE = ROTATION_CHOICES[0].Value,
                               ROTATION_CLOCKWISE = ROTATION_CHOICES[1].Value,
                               ROTATION_ANTICLOCKWISE = ROTATION_CHOICES[2].Value;
// Zoom option bits: levels, phase counts, start sizes.
inline constexpr std::uint32_t ZOOM_LOW = ZOOM_CHOICES[0].Value, ZOOM_MEDIUM = ZOOM_CHOICES[1].Value,
                               ZOOM_HIGH = ZOOM_CHOICES[2].Value, ZOOM_VERY_HIGH = ZOOM_CHOICES[3].Value,
                               ZOOM_LEVEL_BITS = ZOOM_LOW | ZOOM_MEDIUM | ZOOM_HIGH | ZOOM_VERY_HIGH,
                               ZOOM_ONE_PHASE = ZOOM_CHOICES[4].Value, ZOOM_TWO_PHASE = ZOOM_CHOICES[5].Value,
                               ZOOM_FOUR_PHASE = ZOOM_CHOICES[6].Value, ZOOM_START_SMALL = ZOOM_CHOICES[7].Value,
                               ZOOM_START_LARGE = ZOOM_CHOICES[8].Value;
// Colour option: the lower bound of the colour components.
inline constexpr std::int32_t COLOUR_HIGH = static_cast<std::int32_t>(COLOUR_CHOICES[0].Value),
                              COLOUR_MEDIUM = static_cast<std::int32_t>(COLOUR_CHOICES[1].Value),
                              COLOUR_LOW = static_cast<std::int32_t>(COLOUR_CHOICES[2].Value);

inline constexpr std::uint32_t MIN_IMAGES_PER_SEC = SETTINGS_TABLE[SETTING_IMAGES_PER_SEC].Low;
inline constexpr std::uint32_t MAX_IMAGES_PER_SEC = SETTINGS_TABLE[SETTING_IMAGES_PER_SEC].High;
inline constexpr std::uint32_t MAX_OBJECT_SIZE_PERCENT = SETTINGS_TABLE[SETTING_RADIUS_FACTOR].High;
// The record's forms of the stored defaults: a fraction and milliseconds.
inline constexpr double DEFAULT_RADIUS_FACTOR = SETTINGS_TABLE[SETTING_RADIUS_FACTOR].Default * 0.01;
inline constexpr std::uint32_t DEFAULT_TIMER_INTERVAL = 1000u / SETTINGS_TABLE[SETTING_IMAGES_PER_SEC].Default;
