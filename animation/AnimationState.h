// The state of the running figure: one record per saver window.
#pragma once
#include <cstdint>

#include "curves/CurveFamily.h"
#include "shapes/ShapeSelection.h"

// The current figure's samples at the degrees 0 to 360 and their bounds.
struct CurvePathRecord {
    double X[361];
    double Y[361];
    double MinX, MaxX, MinY, MaxY;
};

struct AnimationStateRecord {
    std::int32_t Step;       // point the next tick draws, 0 to 359
    CurveKind KindX, KindY;  // the figure's curve formulas
    std::int32_t DrawWidth;  // client size minus 2
    std::int32_t DrawHeight;
    std::int32_t BaseRadius;    // object radius for the window size; the zoom's upper bound
    std::int32_t ObjectRadius;  // current object radius; 0 = pixels or joined line
    CurvePathRecord Path;
    double ScaleX, ScaleY;         // pixels per curve unit
    std::int32_t StartX, StartY;   // window position of point 0
    std::int32_t CurrentShape;     // one shape bit for the whole figure
    std::int32_t CurrentRotation;  // one rotation bit for the whole figure
    std::int32_t ZoomLevel;        // 0 = no zoom, else the zoom level bit
    ZoomRecord Zoom;               // the zoom's phases, direction and speed
    std::uint32_t TimerId;         // last StartTimer result; 0 = no timer running
    std::uintptr_t BackgroundBrush;
};
extern AnimationStateRecord AnimationState;

// Puts `state` into its state at process start.
void ResetAnimationState(AnimationStateRecord& state);
