// The fifty curve formulas a figure's coordinates come from, and the random
// choice of a pair of them that makes a pleasing figure.
#pragma once
#include <cstdint>

typedef std::int32_t CurveKind;

const CurveKind CURVE_KIND_COUNT = 50;

// Formula `kind` (0 to 49; anything else gives 0.0) at a whole degree 0 to 360.
double CurveValue(std::int32_t degree, CurveKind kind);

// True when `partner` may not be paired with `owner`: equal kinds, or a
// partner in the owner's row of the reject table.
bool RejectsPartner(CurveKind owner, CurveKind partner);
bool IsRejectedPair(CurveKind kindX, CurveKind kindY);

struct CurvePair {
    CurveKind KindX, KindY;
};

// Draws kinds until the pair is accepted.
CurvePair ChooseCurvePair();
