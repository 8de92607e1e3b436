#include "shapes/ShapeOutlines.h"

#include "base/DrawSurface.h"
#include "base/SaturatingMath.h"
#include "curves/TrigTables.h"
#include "settings/SettingsValues.h"

namespace {

struct Vertex {
    std::int32_t Angle;  // degrees from the positive x axis, clockwise on screen
    bool Half;           // at HalfRadius instead of the full radius
};

// Which coordinate the anticlockwise (mirror) list negates.
enum class Mirror { X, Y };

struct Polygon {
    const Vertex* Forward;   // rotations None and Clockwise
    const Vertex* Mirrored;  // rotation Anti-Clockwise
    int Count;
    Mirror Axis;
};

const Vertex SQUARE[] = {{45, false}, {135, false}, {225, false}, {315, false}};
const Vertex TRIANGLE[] = {{90, false}, {210, false}, {330, false}};
const Vertex TRIANGLE_MIRRORED[] = {{270, false}, {30, false}, {150, false}};
const Vertex FOUR_POINT_STAR[] = {{0, false},   {45, true},  {90, false},  {135, true},
                                  {180, false}, {225, true}, {270, false}, {315, true}};
const Vertex DIAMOND[] = {{0, false}, {90, false}, {180, false}, {270, false}};
const Vertex PYRAMID[] = {{30, false}, {150, false}, {270, false}};
const Vertex PYRAMID_MIRRORED[] = {{330, false}, {90, false}, {210, false}};

const Polygon SQUARE_POLYGON = {SQUARE, SQUARE, 4, Mirror::X};
const Polygon TRIANGLE_POLYGON = {TRIANGLE, TRIANGLE_MIRRORED, 3, Mirror::Y};
const Polygon FOUR_POINT_STAR_POLYGON = {FOUR_POINT_STAR, FOUR_POINT_STAR, 8, Mirror::Y};
const Polygon DIAMOND_POLYGON = {DIAMOND, DIAMOND, 4, Mirror::X};
const Polygon PYRAMID_POLYGON = {PYRAMID, PYRAMID_MIRRORED, 3, Mirror::Y};

void DrawPolygon(DrawSurface& surface, const ShapeStamp& stamp, std::int32_t x, std::int32_t y, const Polygon& polygon)
{
    std::int32_t rotation = stamp.CurrentRotation;
    if (rotation != ROTATION_NONE && rotation != ROTATION_CLOCKWISE && rotation != ROTATION_ANTICLOCKWISE)
        return;
    const Vertex* vertices = rotation == ROTATION_ANTICLOCKWISE ? polygon.Mirrored : polygon.Forward;
    // Step is 0 to 359, but keep the index inside the tables whatever it holds.
    std::int32_t turn = rotation == ROTATION_NONE ? 0 : ((stamp.Step % 360) + 360) % 360;
    std::int32_t halfRadius = stamp.ObjectRadius / 2;

    std::int32_t firstX = 0, firstY = 0;
    for (int i = 0; i < polygon.Count; i++) {
        std::int32_t angle = (turn + vertices[i].Angle) % 360;
        double radius = static_cast<double>(vertices[i].Half ? halfRadius : stamp.ObjectRadius);
        std::int32_t dx = TruncToInt32(radius * TrigTables.Cosine[angle]);
        std::int32_t dy = TruncToInt32(radius * TrigTables.Sine[angle]);
        std::int32_t px, py;
        if (rotation == ROTATION_ANTICLOCKWISE && polygon.Axis == Mirror::X) {
            px = SubtractSaturating(x, dx);
            py = AddSaturating(y, dy);
        } else if (rotation == ROTATION_ANTICLOCKWISE) {
            px = AddSaturating(x, dx);
            py = SubtractSaturating(y, dy);
        } else {
            px = AddSaturating(x, dx);
            py = AddSaturating(y, dy);
        }
        if (i == 0) {
            firstX = px;
            firstY = py;
            surface.MoveTo(px, py);
        } else {
            surface.LineTo(px, py);
        }
    }
    surface.LineTo(firstX, firstY);
}

}  // namespace

void DrawCircle(DrawSurface& surface, const ShapeStamp& stamp, std::int32_t x, std::int32_t y)
{
    std::int32_t r = stamp.ObjectRadius;
    std::int32_t left = SubtractSaturating(x, r);
    // Start and end on the same point make Arc draw the whole circle.
    surface.Arc(left, SubtractSaturating(y, r), AddSaturating(x, r), AddSaturating(y, r), left, y, left, y);
}

void DrawSquare(DrawSurface& surface, const ShapeStamp& stamp, std::int32_t x, std::int32_t y)
{
    DrawPolygon(surface, stamp, x, y, SQUARE_POLYGON);
}

void DrawTriangle(DrawSurface& surface, const ShapeStamp& stamp, std::int32_t x, std::int32_t y)
{
    DrawPolygon(surface, stamp, x, y, TRIANGLE_POLYGON);
}

void DrawFourPointStar(DrawSurface& surface, const ShapeStamp& stamp, std::int32_t x, std::int32_t y)
{
    DrawPolygon(surface, stamp, x, y, FOUR_POINT_STAR_POLYGON);
}

void DrawDiamond(DrawSurface& surface, const ShapeStamp& stamp, std::int32_t x, std::int32_t y)
{
    DrawPolygon(surface, stamp, x, y, DIAMOND_POLYGON);
}

void DrawPyramid(DrawSurface& surface, const ShapeStamp& stamp, std::int32_t x, std::int32_t y)
{
    DrawPolygon(surface, stamp, x, y, PYRAMID_POLYGON);
}

void DrawSixPointStar(DrawSurface& surface, const ShapeStamp& stamp, std::int32_t x, std::int32_t y)
{
    DrawTriangle(surface, stamp, x, y);
    DrawPyramid(surface, stamp, x, y);
}

void DrawEightPointStar(DrawSurface& surface, const ShapeStamp& stamp, std::int32_t x, std::int32_t y)
{
    DrawSquare(surface, stamp, x, y);
    DrawDiamond(surface, stamp, x, y);
}

void DrawShape(DrawSurface& surface, const ShapeStamp& stamp, std::int32_t x, std::int32_t y)
{
    switch (stamp.CurrentShape) {
    case SHAPE_SQUARE: DrawSquare(surface, stamp, x, y); break;
    case SHAPE_TRIANGLE: DrawTriangle(surface, stamp, x, y); break;
    case SHAPE_FOUR_POINT_STAR: DrawFourPointStar(surface, stamp, x, y); break;
    case SHAPE_DIAMOND: DrawDiamond(surface, stamp, x, y); break;
    case SHAPE_PYRAMID: DrawPyramid(surface, stamp, x, y); break;
    case SHAPE_SIX_POINT_STAR: DrawSixPointStar(surface, stamp, x, y); break;
    case SHAPE_EIGHT_POINT_STAR: DrawEightPointStar(surface, stamp, x, y); break;
    default: DrawCircle(surface, stamp, x, y); break;
    }
}
