#include "curves/CurveFamily.h"

#include "base/Elementary.h"
#include "base/Random.h"
#include "curves/TrigTables.h"

namespace {

// The table entries one degree needs. Multiples are reduced mod 360, the
// degree itself is not (degree 360 reads entry 360).
struct DegreeTerms {
    double s1, c1, s2, c2, s3, c3, s4;
};

DegreeTerms TermsAt(std::int32_t a)
{
    const double* sine = TrigTables.Sine;
    const double* cosine = TrigTables.Cosine;
    DegreeTerms t;
    t.s1 = sine[a];
    t.c1 = cosine[a];
    t.s2 = sine[(2 * a) % 360];
    t.c2 = cosine[(2 * a) % 360];
    t.s3 = sine[(3 * a) % 360];
    t.c3 = cosine[(3 * a) % 360];
    t.s4 = sine[(4 * a) % 360];
    return t;
}

double BaseValue(const DegreeTerms& t, CurveKind kind)
{
    switch (kind) {
    case 0: return t.s2;
    case 1: return t.c1;
    case 2: return t.c2 * t.s2 * t.s2;
    case 3: return t.c1 * t.s2 * t.s2;
    case 4: return t.c2 * t.s1 * t.s1;
    case 5: return t.c2 * t.s2 * t.s1;
    case 6: return t.s1 * t.s3 * t.c2;
    case 7: return t.s1 * t.s3 * t.s2;
    case 8: return t.s1 * t.s2 * t.s4 * t.s4;
    case 9: return Cube(t.s3);
    default: return 0.0;
    }
}

// Rows of the reject table as ranges of partner kinds; an owner may have
// several rows. Owners not listed reject only their own kind.
struct RejectRange {
    CurveKind Owner, First, Last;
};

const RejectRange REJECT_RANGES[] = {
    {0, 32, 39},  {2, 0, 15},   {4, 0, 19},   {5, 14, 14},  {6, 20, 39},  {12, 9, 10},  {13, 0, 19},  {15, 0, 13},
    {19, 9, 9},   {30, 33, 39}, {32, 34, 39}, {33, 34, 39}, {34, 32, 39}, {36, 32, 39}, {37, 32, 39}, {35, 36, 37},
    {38, 37, 39}, {39, 37, 39}, {45, 44, 49}, {46, 0, 15},  {46, 40, 49}, {47, 40, 49}, {48, 42, 49}, {49, 0, 15},
};

}  // namespace

double CurveValue(std::int32_t degree, CurveKind kind)
{
    if (kind < 0 || kind >= CURVE_KIND_COUNT || degree < 0 || degree > 360)
        return 0.0;
    DegreeTerms t = TermsAt(degree);
    if (kind < 10)
        return BaseValue(t, kind);
    // Inner product first, then exp, then the outer factor.
    if (kind == 18)
        return Exp(BaseValue(t, 8) * t.s1) * t.c3;
    if (kind < 20)
        return Exp(BaseValue(t, kind - 10) * t.c1);
    if (kind < 30)
        return Exp(BaseValue(t, kind - 20)) * t.s1;
    if (kind < 40)
        return Exp(BaseValue(t, kind - 30) * t.c1) * t.s2;
    return Exp(BaseValue(t, kind - 40) * t.s1) * t.c2;
}

bool RejectsPartner(CurveKind owner, CurveKind partner)
{
    if (owner == partner)
        return true;
    for (const RejectRange& range : REJECT_RANGES) {
        if (range.Owner == owner && partner >= range.First && partner <= range.Last)
            return true;
    }
    return false;
}

bool IsRejectedPair(CurveKind kindX, CurveKind kindY)
{
    return RejectsPartner(kindX, kindY) || RejectsPartner(kindY, kindX);
}

CurvePair ChooseCurvePair()
{
    CurvePair pair;
    do {
        pair.KindX = NextRandom() % CURVE_KIND_COUNT;
        pair.KindY = NextRandom() % CURVE_KIND_COUNT;
    } while (IsRejectedPair(pair.KindX, pair.KindY));
    return pair;
}
