#include "shapes/ShapeSelection.h"

#include <cmath>

#include "base/Random.h"
#include "base/SaturatingMath.h"
#include "settings/Settings.h"
#include "settings/SettingsValues.h"

namespace {

// The candidates are the n bits from 1 << base up. Draws k = rand % n until
// the mask holds bit (k + base), one random value per attempt. A mask that
// holds no candidate gives `whenNone` without drawing; with `singleAsIs`, a
// mask that is exactly one candidate is returned without drawing too.
std::int32_t ChooseEnabledBit(std::uint32_t mask, std::int32_t n, std::int32_t base, bool singleAsIs,
                              std::int32_t whenNone)
{
    std::uint32_t candidates = ((1u << n) - 1) << base;
    if ((mask & candidates) == 0)
        return whenNone;
    if (singleAsIs && (mask & (mask - 1)) == 0)
        return static_cast<std::int32_t>(mask);
    for (;;) {
        std::uint32_t candidate = 1u << (NextRandom() % n + base);
        if (mask & candidate)
            return static_cast<std::int32_t>(candidate);
    }
}

struct ZoomConstants {
    double Amount;     // fraction of the radius one phase travels
    double Remainder;  // where a fast Start Small begins
};

ZoomConstants ZoomConstantsFor(std::int32_t zoomLevel)
{
    switch (zoomLevel) {
    case ZOOM_LOW: return {0.4, 0.6};
    case ZOOM_MEDIUM: return {0.7, 0.3};
    case ZOOM_HIGH: return {0.9, 0.1};
    default: return {0.99, 0.01};
    }
}

}  // namespace

std::int32_t ChooseShape()
{
    return ChooseEnabledBit(Settings.ObjectShape, 8, 1, true, SHAPE_CIRCLE);
}

std::int32_t ChooseRotation()
{
    return ChooseEnabledBit(Settings.ObjectRotation, 3, 1, true, ROTATION_NONE);
}

// A single level bit is still found by drawing.
std::int32_t ChooseZoomLevel()
{
    return ChooseEnabledBit(Settings.ZoomOption, 4, 1, false, 0);
}

std::int32_t ChooseZoomPhases()
{
    return ChooseEnabledBit(Settings.ZoomOption, 3, 5, false, ZOOM_ONE_PHASE);
}

std::int32_t ChooseZoomStart()
{
    std::uint32_t mask = Settings.ZoomOption;
    if ((mask & ZOOM_START_SMALL) == 0)
        return ZOOM_START_LARGE;
    return ChooseEnabledBit(mask, 2, 8, false, ZOOM_START_LARGE);
}

std::int32_t PhaseLength(std::int32_t zoomPhases)
{
    if (zoomPhases == ZOOM_TWO_PHASE)
        return 180;
    if (zoomPhases == ZOOM_FOUR_PHASE)
        return 90;
    return 360;
}

ZoomRecord SetUpZoom(std::int32_t zoomLevel, std::int32_t& objectRadius)
{
    ZoomRecord state{};
    state.ZoomPhases = ChooseZoomPhases();
    state.ZoomShrinking = ChooseZoomStart() == ZOOM_START_LARGE ? 1 : 0;
    double length = PhaseLength(state.ZoomPhases);
    ZoomConstants zoom = ZoomConstantsFor(zoomLevel);
    double radius = objectRadius;

    // A radius of 0 makes the quotient infinite; like any quotient of at most
    // 1 it selects the per-step change, which then is 0 pixels.
    double quotient = std::ceil(length / (radius * zoom.Amount));
    if (quotient > 1.0 && quotient <= 2147483647.0) {
        state.ZoomStep = static_cast<std::int32_t>(quotient);
        state.ZoomFast = 0;
    } else {
        state.ZoomStep = TruncToInt32(std::floor(radius * zoom.Amount / length));
        state.ZoomFast = 1;
    }

    if (state.ZoomShrinking == 1)
        return state;
    std::int32_t start;
    if (state.ZoomFast == 1)
        start = TruncToInt32(std::floor(radius * zoom.Remainder));
    else
        start = objectRadius - static_cast<std::int32_t>(length) / state.ZoomStep;
    objectRadius = start < 1 ? 1 : start;
    return state;
}

void UpdateZoom(ZoomRecord& state, std::int32_t& objectRadius, std::int32_t step, std::int32_t baseRadius)
{
    if ((state.ZoomPhases == ZOOM_TWO_PHASE && step == 180) ||
        (state.ZoomPhases == ZOOM_FOUR_PHASE && (step == 90 || step == 180 || step == 270)))
        state.ZoomShrinking = 1 - state.ZoomShrinking;

    std::int32_t change = 0;
    if (state.ZoomFast == 1)
        change = state.ZoomStep;
    else if (state.ZoomStep != 0 && step % state.ZoomStep == 0)
        change = 1;
    objectRadius =
        state.ZoomShrinking == 1 ? SubtractSaturating(objectRadius, change) : AddSaturating(objectRadius, change);

    std::int32_t larger = objectRadius > 1 ? objectRadius : 1;
    if (baseRadius < larger)
        objectRadius = baseRadius;
    else if (objectRadius <= 1)
        objectRadius = 1;
}
