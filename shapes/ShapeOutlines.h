// The outline shapes stamped at each point of a figure when the object radius
// is not 0: a circle, or closed polygons that may turn with the step.
#pragma once
#include <cstdint>

class DrawSurface;

// What the drawers read of the running figure.
struct ShapeStamp {
    std::int32_t CurrentShape;     // one shape bit
    std::int32_t CurrentRotation;  // one rotation bit
    std::int32_t ObjectRadius;
    std::int32_t Step;  // point of the figure, 0 to 359
};

// Draws stamp.CurrentShape centred on (x, y) with stamp.ObjectRadius, turned
// as stamp.CurrentRotation and stamp.Step say, with the selected pen.
void DrawShape(DrawSurface& surface, const ShapeStamp& stamp, std::int32_t x, std::int32_t y);

void DrawCircle(DrawSurface& surface, const ShapeStamp& stamp, std::int32_t x, std::int32_t y);
void DrawSquare(DrawSurface& surface, const ShapeStamp& stamp, std::int32_t x, std::int32_t y);
void DrawTriangle(DrawSurface& surface, const ShapeStamp& stamp, std::int32_t x, std::int32_t y);
void DrawFourPointStar(DrawSurface& surface, const ShapeStamp& stamp, std::int32_t x, std::int32_t y);
void DrawDiamond(DrawSurface& surface, const ShapeStamp& stamp, std::int32_t x, std::int32_t y);
void DrawPyramid(DrawSurface& surface, const ShapeStamp& stamp, std::int32_t x, std::int32_t y);
void DrawSixPointStar(DrawSurface& surface, const ShapeStamp& stamp, std::int32_t x, std::int32_t y);
void DrawEightPointStar(DrawSurface& surface, const ShapeStamp& stamp, std::int32_t x, std::int32_t y);
