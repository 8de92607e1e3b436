#!/usr/bin/env python3
"""Writes curves/DegreeSines.cpp: the sine and cosine of i * DegreeToRadian
for the whole degrees i = 0 to 180, each the double nearest to the exact value.

The argument is the double product fl(i * DegreeToRadian), as the tables take
it; its sine and cosine are summed as Taylor series in 80-digit decimals and
rounded once to double. The script refuses a value whose exact sine lies too
near the midpoint between two doubles for 80 digits to decide.

  degree_sines.py            print the C++ source
  degree_sines.py --check F  exit 1 unless F is exactly that source
  degree_sines.py --digest   print the digest of the mirrored tables
"""
import math
import struct
import sys
from decimal import Decimal, getcontext

getcontext().prec = 80
DEGREE_TO_RADIAN = 0.017453292519444445  # the double of curves/TrigTables.h


def series(x, first_power):
    """sin (first_power 1) or cos (first_power 0) of the Decimal x."""
    term = x if first_power else Decimal(1)
    total, n = term, first_power
    while True:
        term = -term * x * x / ((n + 1) * (n + 2))
        n += 2
        if abs(term) < Decimal(10) ** -90:
            return total
        total += term


def nearest_double(exact):
    value = float(exact)  # correctly rounded from the decimal string
    # Both neighbours' midpoints must be clearly farther than the series' error.
    for neighbour in (math.nextafter(value, -math.inf), math.nextafter(value, math.inf)):
        midpoint = (Decimal(value) + Decimal(neighbour)) / 2
        if abs(exact - midpoint) < abs(exact) * Decimal(10) ** -70:
            sys.exit(f"degree_sines: {exact} is too near a midpoint to decide")
    return value


def tables():
    sines, cosines = [], []
    for i in range(181):
        theta = Decimal(i * DEGREE_TO_RADIAN)  # the double product, exactly
        sines.append(nearest_double(series(theta, 1)))
        cosines.append(nearest_double(series(theta, 0)))
    return sines, cosines


def source(sines, cosines):
    def rows(values):
        return "\n".join(f"    {v.hex()}," for v in values)
    return f"""// Written by curves/degree_sines.py: do not edit. Entry i is the double
// nearest to the sine (cosine) of the double i * DegreeToRadian.
#include "curves/DegreeSines.h"

const double DEGREE_SINE[181] = {{
{rows(sines)}
}};

const double DEGREE_COSINE[181] = {{
{rows(cosines)}
}};
"""


def mirrored(sines, cosines):
    """The 361-entry tables, mirrored from degrees 0 to 180 as they are built."""
    sine, cosine = [0.0] * 361, [0.0] * 361
    for i in range(181):
        sine[i], sine[180 + i] = sines[i], -sines[i]
        cosine[360 - i] = cosine[i] = cosines[i]
    sine[180] = sines[180]
    return sine, cosine


def fnv(values):
    """FNV-1a (64 bits) over the values' little-endian bytes."""
    h = 0xCBF29CE484222325
    for byte in b"".join(struct.pack("<d", v) for v in values):
        h = ((h ^ byte) * 0x100000001B3) & 0xFFFFFFFFFFFFFFFF
    return h


def digest(sines, cosines):
    """The digest of Sine[0..360] then Cosine[0..360]."""
    sine, cosine = mirrored(sines, cosines)
    return fnv(sine + cosine)


if __name__ == "__main__":
    s, c = tables()
    if sys.argv[1:2] == ["--check"]:
        with open(sys.argv[2]) as f:
            sys.exit(0 if f.read() == source(s, c) else "degree_sines: " + sys.argv[2] + " differs")
    elif sys.argv[1:2] == ["--digest"]:
        print(f"0x{digest(s, c):016X}")
    else:
        sys.stdout.write(source(s, c))
