#include "shapes/ShapeSelection.h"

#include <cmath>

#include "animation/AnimationState.h"
#include "animation/Random.h"
#include "animation/SaturatingMath.h"
#include "settings/Settings.h"
#include "settings/SettingsValues.h"

namespace {

// Draws k = rand % n until the mask holds bit (k + base). The caller makes
// sure one of the candidate bits is set, so the loop ends.
std::int32_t DrawEnabledBit(std::uint32_t mask, std::int32_t n, std::int32_t base)
{
    for (;;) {
        std::uint32_t candidate = 1u << (NextRandom() % n + base);
        if (mask & candidate)
            return static_cast<std::int32_t>(candidate);
    }
}

bool IsOneOf(std::uint32_t mask, std::uint32_t first, std::uint32_t last)
{
    for (std::uint32_t bit = first; bit <= last; bit <<= 1) {
        if (mask == bit)
            return true;
    }
    return false;
}

const std::uint32_t SHAPE_BITS = 0x1FE;      // 2 to 256
const std::uint32_t ROTATION_BITS = 0xE;     // 2, 4, 8
const std::uint32_t PHASE_BITS = 0xE0;       // 32, 64, 128

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
    std::uint32_t mask = Settings.ObjectShape;
    if (IsOneOf(mask, SHAPE_CIRCLE, SHAPE_EIGHT_POINT_STAR))
        return static_cast<std::int32_t>(mask);
    if ((mask & SHAPE_BITS) == 0)
        return SHAPE_CIRCLE;
    return DrawEnabledBit(mask, 8, 1);
}

std::int32_t ChooseRotation()
{
    std::uint32_t mask = Settings.ObjectRotation;
    if (IsOneOf(mask, ROTATION_NONE, ROTATION_ANTICLOCKWISE))
        return static_cast<std::int32_t>(mask);
    if ((mask & ROTATION_BITS) == 0)
        return ROTATION_NONE;
    return DrawEnabledBit(mask, 3, 1);
}

std::int32_t ChooseZoomLevel()
{
    std::uint32_t mask = Settings.ZoomOption;
    if ((mask & ZOOM_LEVEL_BITS) == 0)
        return 0;
    return DrawEnabledBit(mask, 4, 1);
}

std::int32_t ChooseZoomPhases(AnimationStateRecord& state)
{
    std::uint32_t mask = Settings.ZoomOption;
    state.ZoomPhases = (mask & PHASE_BITS) == 0 ? static_cast<std::int32_t>(ZOOM_ONE_PHASE)
                                                : DrawEnabledBit(mask, 3, 5);
    return state.ZoomPhases;
}

std::int32_t ChooseZoomStart()
{
    std::uint32_t mask = Settings.ZoomOption;
    if ((mask & ZOOM_START_SMALL) == 0)
        return ZOOM_START_LARGE;
    return DrawEnabledBit(mask, 2, 8);
}

std::int32_t PhaseLength(std::int32_t zoomPhases)
{
    if (zoomPhases == ZOOM_TWO_PHASE)
        return 180;
    if (zoomPhases == ZOOM_FOUR_PHASE)
        return 90;
    return 360;
}

void SetUpZoom(AnimationStateRecord& state)
{
    state.ZoomPhases = ChooseZoomPhases(state);
    state.ZoomShrinking = ChooseZoomStart() == ZOOM_START_LARGE ? 1 : 0;
    double length = PhaseLength(state.ZoomPhases);
    ZoomConstants zoom = ZoomConstantsFor(state.ZoomLevel);
    double radius = state.ObjectRadius;

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
        return;
    std::int32_t start;
    if (state.ZoomFast == 1)
        start = TruncToInt32(std::floor(radius * zoom.Remainder));
    else
        start = state.ObjectRadius - static_cast<std::int32_t>(length) / state.ZoomStep;
    state.ObjectRadius = start < 1 ? 1 : start;
}

void UpdateZoom(AnimationStateRecord& state)
{
    std::int32_t step = state.Step;
    if ((state.ZoomPhases == ZOOM_TWO_PHASE && step == 180) ||
        (state.ZoomPhases == ZOOM_FOUR_PHASE && (step == 90 || step == 180 || step == 270)))
        state.ZoomShrinking = 1 - state.ZoomShrinking;

    std::int32_t change = 0;
    if (state.ZoomFast == 1)
        change = state.ZoomStep;
    else if (state.ZoomStep != 0 && step % state.ZoomStep == 0)
        change = 1;
    state.ObjectRadius = state.ZoomShrinking == 1 ? SubtractSaturating(state.ObjectRadius, change)
                                                  : AddSaturating(state.ObjectRadius, change);

    std::int32_t larger = state.ObjectRadius > 1 ? state.ObjectRadius : 1;
    if (state.BaseRadius < larger)
        state.ObjectRadius = state.BaseRadius;
    else if (state.ObjectRadius <= 1)
        state.ObjectRadius = 1;
}
