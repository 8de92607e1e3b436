#!/usr/bin/env python3
"""Digests of what the figures compute, with every exp and cube taken as the
double nearest to the exact value (80-digit decimals, rounded once), for
tests/engine/ElementaryTest.cpp, which expects the same digests on every build.

  - random: exp and cube of 4,096 arguments from -3 to 3 (a 64-bit LCG);
  - curves: the fifty curve values at the degrees 0 to 360, from the degree
    tables of curves/degree_sines.py, as CurveValue computes them.

It refuses an argument whose exact result lies too near the midpoint between
two doubles for 80 digits to decide.
"""
import math
import os
import sys
from decimal import Decimal, getcontext

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
    args = random_arguments(4096)
    print(f"exp of random arguments:   0x{degree_sines.fnv([exp(x) for x in args]):016X}")
    print(f"cube of random arguments:  0x{degree_sines.fnv([cube(x) for x in args]):016X}")
    print(f"curve values:              0x{degree_sines.fnv(curve_values()):016X}")
    print(f"degree tables:             0x{degree_sines.digest(*degree_sines.tables()):016X}")
    print(f"exp(1), exp(-1), exp(3), exp(-3): {exp(1.0).hex()} {exp(-1.0).hex()} {exp(3.0).hex()} {exp(-3.0).hex()}")
