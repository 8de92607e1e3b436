// Double-double arithmetic: a value held as the unevaluated sum hi + lo of
// two doubles, about 106 bits. Built only from additions, subtractions and
// multiplications, each rounded to double, so every build computes the same
// bits; it needs -ffp-contract=off (a fused multiply-add would change the
// error terms) and nothing like -ffast-math.
#pragma once

struct DoubleDouble {
    double hi, lo;
};

// s + e = a + b exactly.
inline DoubleDouble TwoSum(double a, double b)
{
    double s = a + b;
    double bb = s - a;
    double e = (a - (s - bb)) + (b - bb);
    return {s, e};
}

// s + e = a + b exactly, given |a| >= |b| or a = 0.
inline DoubleDouble FastTwoSum(double a, double b)
{
    double s = a + b;
    return {s, b - (s - a)};
}

// Splits a into two halves of 26 bits each (Veltkamp), for exact products.
inline DoubleDouble Split(double a)
{
    const double factor = 134217729.0;  // 2^27 + 1
    double t = factor * a;
    double hi = t - (t - a);
    return {hi, a - hi};
}

// p + e = a * b exactly (Dekker), for |a * b| well inside the double range.
inline DoubleDouble TwoProduct(double a, double b)
{
    double p = a * b;
    DoubleDouble as = Split(a), bs = Split(b);
    double e = ((as.hi * bs.hi - p) + as.hi * bs.lo + as.lo * bs.hi) + as.lo * bs.lo;
    return {p, e};
}

inline DoubleDouble Add(DoubleDouble a, DoubleDouble b)
{
    DoubleDouble s = TwoSum(a.hi, b.hi);
    DoubleDouble t = TwoSum(a.lo, b.lo);
    s = FastTwoSum(s.hi, s.lo + t.hi);
    return FastTwoSum(s.hi, s.lo + t.lo);
}

inline DoubleDouble Multiply(DoubleDouble a, DoubleDouble b)
{
    DoubleDouble p = TwoProduct(a.hi, b.hi);
    return FastTwoSum(p.hi, p.lo + (a.hi * b.lo + a.lo * b.hi));
}

// a / b for a small whole number b, with one correction step.
inline DoubleDouble DivideByWhole(DoubleDouble a, double b)
{
    double q1 = a.hi / b;
    DoubleDouble p = TwoProduct(q1, b);
    double q2 = ((a.hi - p.hi) - p.lo + a.lo) / b;
    return FastTwoSum(q1, q2);
}
