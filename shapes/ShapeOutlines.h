// The outline shapes stamped at each point of a figure when the object radius
// is not 0: a circle, or closed polygons that may turn with the step.
#pragma once
#include <cstdint>

class DrawSurface;
struct AnimationStateRecord;

// Draws state.CurrentShape centred on (x, y) with state.ObjectRadius, turned
// as state.CurrentRotation and state.Step say, with the selected pen.
void DrawShape(DrawSurface& surface, const AnimationStateRecord& state, std::int32_t x, std::int32_t y);

void DrawCircle(DrawSurface& surface, const AnimationStateRecord& state, std::int32_t x, std::int32_t y);
void DrawSquare(DrawSurface& surface, const AnimationStateRecord& state, std::int32_t x, std::int32_t y);
void DrawTriangle(DrawSurface& surface, const AnimationStateRecord& state, std::int32_t x, std::int32_t y);
void DrawFourPointStar(DrawSurface& surface, const AnimationStateRecord& state, std::int32_t x, std::int32_t y);
void DrawDiamond(DrawSurface& surface, const AnimationStateRecord& state, std::int32_t x, std::int32_t y);
void DrawPyramid(DrawSurface& surface, const AnimationStateRecord& state, std::int32_t x, std::int32_t y);
void DrawSixPointStar(DrawSurface& surface, const AnimationStateRecord& state, std::int32_t x, std::int32_t y);
void DrawEightPointStar(DrawSurface& surface, const AnimationStateRecord& state, std::int32_t x, std::int32_t y);
