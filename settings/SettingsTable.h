// The seven stored settings' facts in one table, for every host: the load
// and save rules, the Windows dialog, the X11 saver's options and settings
// file, the renderer's --setting and the browser's settings panel.
//
// How to read it: SETTINGS_TABLE[i] is the i-th value in load order (the
// order of MemoryStore's slots; SettingIndex names them). Each row gives
//   Name      the registry value's name, also the raw option (-RadiusFactor);
//   Option    the friendly option's name, as in "orbilux -object-size 20";
//   Label     what the settings dialog shows for it (the edit's caption, the
//             check box's text, or the group box's title);
//   Kind      Number: a count from Low to High, in Unit;
//             Flag:   0 off, anything else on;
//             Bits:   a mask, any combination of Choices' Value bits;
//             Choice: exactly one of Choices' Values;
//   Default   what the load uses when nothing is stored, as a stored number;
//   ControlId the dialog's control (Number, Flag), 0 when it has none;
//   Refused   the caption of the dialog's warning for a refused entry (Number);
//   Stored    the settings record's field as its stored number (the saves,
//             the dialog's fields, the page's stored form);
//   Take      a stored number into the record's field (the load, the start
//             record from Default, the dialog's entries);
//   Load      what the load does with a value it cannot use (LoadRule bits);
//   Counts    null, or whether the record lets the value count at all (the
//             load sets the default when it does not).
// Choices, in bit order for Bits, give each option name ("four-point-star"),
// the dialog's label ("4 Point Star"), the stored bit or number and the
// dialog's control id. Low and High are the range the dialog and the friendly
// options accept; a value stored by hand goes through the load rules instead
// (settings/Settings.cpp).
#pragma once
#include <cstdint>

#include "settings/DialogIds.h"
#include "settings/Settings.h"

enum class SettingKind { Number, Flag, Bits, Choice };

// The load's rules for a value it does not take as stored: without a bit, the
// record's field keeps what it holds.
enum LoadRule : unsigned {
    KEEP_FIELD = 0,
    DEFAULT_WHEN_KEY_MISSING = 1,  // no settings key at all
    DEFAULT_WHEN_UNREADABLE = 2,   // the key is there, the value is not (or not 4 bytes)
    DEFAULT_OUT_OF_RANGE = 4,      // a stored number outside Low to High
    DEFAULT_WHEN_NOT_READ = DEFAULT_WHEN_KEY_MISSING | DEFAULT_WHEN_UNREADABLE,
};

struct SettingChoice {
    const char* Name;
    const char* Label;
    std::uint32_t Value;
    int ControlId;
};

struct SettingFacts {
    const char* Name;
    const char* Option;
    const char* Label;
    const char* Meaning;  // one line for help texts
    SettingKind Kind;
    std::uint32_t Default;
    std::uint32_t Low, High;  // Number only
    const char* Unit;         // Number only
    int ControlId;
    const SettingChoice* Choices;  // Bits and Choice only
    int ChoiceCount;
    const char* Refused;  // Number only
    std::uint32_t (*Stored)(const SettingsRecord& record);
    void (*Take)(SettingsRecord& record, std::uint32_t stored);
    unsigned Load;
    bool (*Counts)(const SettingsRecord& record);
};

inline constexpr SettingChoice SHAPE_CHOICES[] = {
    {"circle", "Circle", 2, IDC_CIRCLE},
    {"square", "Square", 4, IDC_SQUARE},
    {"triangle", "Triangle", 8, IDC_TRIANGLE},
    {"four-point-star", "4 Point Star", 16, IDC_FOUR_POINT_STAR},
    {"diamond", "Diamond", 32, IDC_DIAMOND},
    {"pyramid", "Pyramid", 64, IDC_PYRAMID},
    {"six-point-star", "6 Point Star", 128, IDC_SIX_POINT_STAR},
    {"eight-point-star", "8 Point Star", 256, IDC_EIGHT_POINT_STAR},
};

inline constexpr SettingChoice ROTATION_CHOICES[] = {
    {"none", "None", 2, IDC_ROTATION_NONE},
    {"clockwise", "Clockwise", 4, IDC_ROTATION_CLOCKWISE},
    {"anticlockwise", "Anti-Clockwise", 8, IDC_ROTATION_ANTICLOCKWISE},
};

// Zoom levels (one is drawn per figure), phase counts and start sizes.
inline constexpr SettingChoice ZOOM_CHOICES[] = {
    {"low", "Low", 2, IDC_ZOOM_LOW},
    {"medium", "Medium", 4, IDC_ZOOM_MEDIUM},
    {"high", "High", 8, IDC_ZOOM_HIGH},
    {"very-high", "Very High", 16, IDC_ZOOM_VERY_HIGH},
    {"one-phase", "1 Phase", 32, IDC_ZOOM_ONE_PHASE},
    {"two-phase", "2 Phase", 64, IDC_ZOOM_TWO_PHASE},
    {"four-phase", "4 Phase", 128, IDC_ZOOM_FOUR_PHASE},
    {"start-small", "Start Small", 256, IDC_ZOOM_START_SMALL},
    {"start-large", "Start Large", 512, IDC_ZOOM_START_LARGE},
};

// The stored number is the lower bound of the colour components.
inline constexpr SettingChoice COLOUR_CHOICES[] = {
    {"high", "High", 10, IDC_COLOUR_HIGH},
    {"medium", "Medium", 30, IDC_COLOUR_MEDIUM},
    {"low", "Low", 50, IDC_COLOUR_LOW},
};

template <typename T, int N> constexpr int CountOf(const T (&)[N])
{
    return N;
}

inline constexpr SettingFacts SETTINGS_TABLE[] = {
    {"RadiusFactor", "object-size", "Object Size (%)",
     "object size, per cent of the window's smaller side (0: pixels or joined lines)", SettingKind::Number, 8, 0, 500,
     "%", IDC_OBJECT_SIZE, nullptr, 0, "Circle Radius",
     [](const SettingsRecord& r) { return PercentFor(r.RadiusFactor); },
     [](SettingsRecord& r, std::uint32_t v) { r.RadiusFactor = static_cast<double>(v) * 0.01; }, DEFAULT_WHEN_NOT_READ,
     nullptr},
    // A stored 0 would divide by zero, and more than 1000 would give an
    // interval of 0: both load as the default.
    {"ImagesPerSec", "images-per-sec", "Images Per Second", "images drawn, one per timer tick", SettingKind::Number, 50,
     1, 1000, "per second", IDC_IMAGES_PER_SEC, nullptr, 0, "Images Per Second",
     [](const SettingsRecord& r) { return ImagesPerSecFor(r.TimerInterval); },
     [](SettingsRecord& r, std::uint32_t v) { r.TimerInterval = v == 0 ? 1000u : 1000u / v; },
     DEFAULT_WHEN_NOT_READ | DEFAULT_OUT_OF_RANGE, nullptr},
    // Joining only applies to an object size of 0.
    {"JoinTheDots", "join-dots", "Connect Dots (if size zero)", "join successive points (object size 0 only)",
     SettingKind::Flag, 0, 0, 1, "", IDC_JOIN_THE_DOTS, nullptr, 0, nullptr,
     [](const SettingsRecord& r) { return r.JoinTheDots; },
     [](SettingsRecord& r, std::uint32_t v) { r.JoinTheDots = v; }, DEFAULT_WHEN_UNREADABLE,
     [](const SettingsRecord& r) { return !(r.RadiusFactor > 0.001); }},
    {"ObjectShape", "shape", "Shapes", "the shapes to draw, one picked per figure", SettingKind::Bits, 2, 0, 0, "", 0,
     SHAPE_CHOICES, CountOf(SHAPE_CHOICES), nullptr, [](const SettingsRecord& r) { return r.ObjectShape; },
     [](SettingsRecord& r, std::uint32_t v) { r.ObjectShape = v; }, KEEP_FIELD, nullptr},
    {"ObjectRotation", "rotation", "Rotation", "the rotations, one picked per figure", SettingKind::Bits, 2, 0, 0, "",
     0, ROTATION_CHOICES, CountOf(ROTATION_CHOICES), nullptr, [](const SettingsRecord& r) { return r.ObjectRotation; },
     [](SettingsRecord& r, std::uint32_t v) { r.ObjectRotation = v; }, KEEP_FIELD, nullptr},
    {"ColourOption", "colour", "Colour Option", "colour range (the colour components' lower bound)",
     SettingKind::Choice, 10, 0, 0, "", 0, COLOUR_CHOICES, CountOf(COLOUR_CHOICES), nullptr,
     [](const SettingsRecord& r) { return static_cast<std::uint32_t>(r.ColourOption); },
     [](SettingsRecord& r, std::uint32_t v) { r.ColourOption = static_cast<std::int32_t>(v); }, KEEP_FIELD, nullptr},
    {"ZoomOption", "zoom", "Zoom Options", "zoom levels (one picked per figure), phase counts and start sizes",
     SettingKind::Bits, 0, 0, 0, "", 0, ZOOM_CHOICES, CountOf(ZOOM_CHOICES), nullptr,
     [](const SettingsRecord& r) { return r.ZoomOption; }, [](SettingsRecord& r, std::uint32_t v) { r.ZoomOption = v; },
     KEEP_FIELD, nullptr},
};

inline constexpr int SETTINGS_VALUE_COUNT = CountOf(SETTINGS_TABLE);

// Indexes into SETTINGS_TABLE and MemoryStore's slots.
enum SettingIndex : int {
    SETTING_RADIUS_FACTOR,
    SETTING_IMAGES_PER_SEC,
    SETTING_JOIN_THE_DOTS,
    SETTING_OBJECT_SHAPE,
    SETTING_OBJECT_ROTATION,
    SETTING_COLOUR_OPTION,
    SETTING_ZOOM_OPTION
};

// Index of the stored name `name` (exact, case-sensitive), or -1.
int SettingsValueIndex(const char* name);
// Index of the friendly option name `option` ("object-size"), or -1.
int SettingOptionIndex(const char* option);
// The choice of `facts` named `name`, or nullptr.
const SettingChoice* FindChoice(const SettingFacts& facts, const char* name);
