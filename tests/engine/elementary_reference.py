#!/usr/bin/env python3
"""Digests of what the figures compute, with every exp and cube taken as the
double nearest to the exact value (80-digit decimals, rounded once), for
tests/engine/ElementaryTest.cpp, which expects the same digests on every build.

  - random: exp and cube of 4,096 arguments from -3 to 3 (a 64-bit LCG);
  - curves: the fifty curve values at the degrees 0 to 360, from the degree
    tables of curves/degree_sines.py, as CurveValue computes them;
  - ends (--ends): the rows of the range-end tables, in C++: exp and cube at
    the last arguments before overflow, the smallest normal and the smallest
    subnormal result and one double either side, and products whose exact
    error terms a Veltkamp split a bit too short or too long gets wrong.

It refuses an argument whose exact result lies too near the midpoint between
two doubles for 80 digits to decide.
"""
import math
import os
import random
import sys
from decimal import Decimal, getcontext
from fractions import Fraction

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "curves"))
import degree_sines  # noqa: E402

getcontext().prec = 80


def nearest(exact):
    value = float(exact)
    for neighbour in (math.nextafter(value, -math.inf), math.nextafter(value, math.inf)):
        midpoint = (Decimal(value) + Decimal(neighbour)) / 2
        if abs(exact - midpoint) < abs(exact) * Decimal(10) ** -70:
            sys.exit(f"elementary_reference: {exact} is too near a midpoint")
    return value


def exp(x):
    return nearest(Decimal(x).exp())


def cube(x):
    return nearest(Decimal(x) ** 3) if x else x


DBL_MIN = 2.0**-1022
# Every value at or above this rounds to infinity (ties go to the even 2^1024).
OVERFLOW = Decimal(2) ** 1024 - Decimal(2) ** 970


def up(x):
    return math.nextafter(x, math.inf)


def down(x):
    return math.nextafter(x, -math.inf)


def exact_exp(x):
    return Decimal(x).exp()


def last_true(start, holds):
    """The largest double from start upwards for which holds() is true, given
    holds(start) and a single change from true to false."""
    x = start
    while holds(up(x)):
        x = up(x)
    while not holds(x):
        x = down(x)
    return x


def first_true(start, holds):
    """The smallest double for which holds() is true, near start."""
    x = start
    while holds(down(x)):
        x = down(x)
    while not holds(x):
        x = up(x)
    return x


def exp_limits():
    """The last finite, first normal and first non-zero exp arguments."""
    finite = last_true(float(OVERFLOW.ln()), lambda x: exact_exp(x) < OVERFLOW)
    # Correctly rounded, exp(x) is normal from DBL_MIN less half a subnormal
    # step (the tie goes to the even DBL_MIN), and not zero above half the
    # smallest subnormal (that tie goes to zero).
    normal = first_true(float((Decimal(DBL_MIN) - Decimal(2) ** -1075).ln()),
                        lambda x: exact_exp(x) >= Decimal(DBL_MIN) - Decimal(2) ** -1075)
    nonzero = first_true(float((Decimal(2) ** -1075).ln()), lambda x: exact_exp(x) > Decimal(2) ** -1075)
    return finite, normal, nonzero


def normal_cube(x):
    """The cube as Cube gives it: the double nearest to x^3 when that is normal
    (rounded to 53 bits with no lower exponent limit), else a signed zero."""
    exact = Fraction(x) ** 3
    if abs(exact) >= Fraction(DBL_MIN) * (1 - Fraction(1, 2**54)):
        return cube(x)
    if abs(exact) >= Fraction(DBL_MIN) * (1 - Fraction(1, 2**53)):
        sys.exit(f"elementary_reference: the cube of {x.hex()} rounds differently below the normal range")
    return math.copysign(0.0, x)


def cube_limits():
    """The first argument with a normal cube, the last with a finite one."""
    normal = first_true(float(Decimal(DBL_MIN) ** (Decimal(1) / 3)), lambda x: normal_cube(x) != 0)
    finite = last_true(float(OVERFLOW ** (Decimal(1) / 3)), lambda x: Fraction(x) ** 3 < Fraction(OVERFLOW))
    return normal, finite


def two_product(a, b, factor):
    """Dekker's product with a Veltkamp split by factor, in doubles, exactly
    as base/DoubleDouble.h computes it."""

    def split(v):
        t = factor * v
        hi = t - (t - v)
        return hi, v - hi

    p = a * b
    (ah, al), (bh, bl) = split(a), split(b)
    return p, ((ah * bh - p) + ah * bl + al * bh) + al * bl


def split_cases(count):
    """Products whose error term needs both halves of the split to hold at
    most 26 bits: a split one bit short (2^26 + 1) or long (2^28 + 1) gets
    each of them wrong. (A split by 2^27 gives the same halves as 2^27 + 1 for
    every double whose product with 2^27 + 1 is finite: t - (t - a) is then
    exact by Sterbenz's lemma and a multiple of 2^27 ulp(a), or 2^26 ulp(a)
    just above a power of two, where the low half is a only less that power.)"""
    rng, out = random.Random(27), []
    while len(out) < count:
        a, b = [(1 + rng.getrandbits(52) * 2.0**-52) * 2.0 ** rng.randint(-40, 40) for _ in range(2)]
        exact = Fraction(a) * Fraction(b)
        if all(Fraction(sum(map(Fraction, two_product(a, b, f)))) != exact for f in (2.0**26 + 1, 2.0**28 + 1)):
            error = float(exact - Fraction(a * b))
            if Fraction(a * b) + Fraction(error) != exact:
                sys.exit("elementary_reference: an error term that is not a double")
            out.append((a, b, a * b, error))
    return out


def hex_double(v):
    if v == math.inf:
        return "INFINITY"
    return "-0.0" if v == 0 and math.copysign(1, v) < 0 else ("0.0" if v == 0 else v.hex())


def ends():
    finite, normal, nonzero = exp_limits()
    print("exp: argument, correctly rounded e^x")
    for x in (down(finite), finite, up(finite), down(normal), normal, up(normal), -720.0, -740.0,
              down(nonzero), nonzero, up(nonzero)):
        print(f"    {{{hex_double(x)}, {hex_double(exp(x))}}},")
    normal, finite = cube_limits()
    print("cube: argument, cube (zero below the normal range)")
    for x in (down(normal), normal, up(normal), -normal, -down(normal), down(finite), finite, up(finite)):
        y = normal_cube(x) if abs(x) < 1 else (cube(x) if Fraction(x) ** 3 < Fraction(OVERFLOW) else math.inf)
        print(f"    {{{hex_double(x)}, {hex_double(y)}}},")
    print("products that need an exact split: a, b, a * b, exact error")
    for row in split_cases(4):
        print("    {" + ", ".join(hex_double(v) for v in row) + "},")


def random_arguments(count):
    state, out = 1, []
    for _ in range(count):
        state = (state * 6364136223846793005 + 1442695040888963407) % 2**64
        out.append((state >> 11) * 2.0**-53 * 6.0 - 3.0)
    return out


def curve_values():
    sine, cosine = degree_sines.mirrored(*degree_sines.tables())

    def base(a, kind):
        s1, c1 = sine[a], cosine[a]
        s2, c2 = sine[2 * a % 360], cosine[2 * a % 360]
        s3, c3, s4 = sine[3 * a % 360], cosine[3 * a % 360], sine[4 * a % 360]
        return [s2, c1, c2 * s2 * s2, c1 * s2 * s2, c2 * s1 * s1, c2 * s2 * s1,
                s1 * s3 * c2, s1 * s3 * s2, s1 * s2 * s4 * s4, cube(s3)][kind]

    def value(a, kind):
        s1, c1, s2, c2 = sine[a], cosine[a], sine[2 * a % 360], cosine[2 * a % 360]
        if kind < 10:
            return base(a, kind)
        if kind == 18:
            return exp(base(a, 8) * s1) * cosine[3 * a % 360]
        if kind < 20:
            return exp(base(a, kind - 10) * c1)
        if kind < 30:
            return exp(base(a, kind - 20)) * s1
        if kind < 40:
            return exp(base(a, kind - 30) * c1) * s2
        return exp(base(a, kind - 40) * s1) * c2

    return [value(a, kind) for kind in range(50) for a in range(361)]


if __name__ == "__main__":
    if sys.argv[1:2] == ["--ends"]:
        ends()
        sys.exit(0)
    args = random_arguments(4096)
    print(f"exp of random arguments:   0x{degree_sines.fnv([exp(x) for x in args]):016X}")
    print(f"cube of random arguments:  0x{degree_sines.fnv([cube(x) for x in args]):016X}")
    print(f"curve values:              0x{degree_sines.fnv(curve_values()):016X}")
    print(f"degree tables:             0x{degree_sines.digest(*degree_sines.tables()):016X}")
    print(f"exp(1), exp(-1), exp(3), exp(-3): {exp(1.0).hex()} {exp(-1.0).hex()} {exp(3.0).hex()} {exp(-3.0).hex()}")
