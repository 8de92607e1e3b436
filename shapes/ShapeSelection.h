// Per-figure choice of shape, rotation and zoom from the enabled options, and
// the zoom's change of the object radius from step to step.
#pragma once
#include <cstdint>

// A figure's zoom: chosen by SetUpZoom, advanced by UpdateZoom, kept in the
// figure's AnimationStateRecord between steps.
struct ZoomRecord {
    std::int32_t ZoomPhases;     // phase-count bit
    std::int32_t ZoomShrinking;  // 1 while the zoom decreases the radius
    std::int32_t ZoomStep;       // steps per one-pixel change, or pixels per step when ZoomFast
    std::int32_t ZoomFast;
};

// Each returns one bit of its settings mask, drawing random numbers until an
// enabled one comes up. A mask that enables nothing to pick gives Circle,
// None, no zoom and 1 Phase respectively, without drawing.
std::int32_t ChooseShape();
std::int32_t ChooseRotation();
std::int32_t ChooseZoomLevel();
std::int32_t ChooseZoomPhases();
std::int32_t ChooseZoomStart();

// Number of steps in one zoom phase.
std::int32_t PhaseLength(std::int32_t zoomPhases);

// For a figure whose zoom level is not 0: phases, start size and speed; may
// start `objectRadius` small.
ZoomRecord SetUpZoom(std::int32_t zoomLevel, std::int32_t& objectRadius);
// Advances `zoom` to `step` and changes `objectRadius` for it, within 1 to
// baseRadius.
void UpdateZoom(ZoomRecord& zoom, std::int32_t& objectRadius, std::int32_t step, std::int32_t baseRadius);
