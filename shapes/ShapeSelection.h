// Per-figure choice of shape, rotation and zoom from the enabled options, and
// the zoom's change of the object radius from step to step.
#pragma once
#include <cstdint>

struct AnimationStateRecord;

// Each returns one bit of its settings mask, drawing random numbers until an
// enabled one comes up. A mask that enables nothing to pick gives Circle,
// None, no zoom and 1 Phase respectively, without drawing.
std::int32_t ChooseShape();
std::int32_t ChooseRotation();
std::int32_t ChooseZoomLevel();
std::int32_t ChooseZoomPhases(AnimationStateRecord& state);
std::int32_t ChooseZoomStart();

// Number of steps in one zoom phase.
std::int32_t PhaseLength(std::int32_t zoomPhases);

// For a figure whose ZoomLevel is not 0: phases, start size and speed; may
// start the radius small.
void SetUpZoom(AnimationStateRecord& state);
// Changes ObjectRadius for the current step, within 1 to BaseRadius.
void UpdateZoom(AnimationStateRecord& state);
