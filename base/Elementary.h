// The elementary functions the figures use, computed by the project itself so
// that every build (Linux, Windows on x87 or SSE2, WebAssembly) gives the
// same bits: the C libraries' exp and pow differ in the last bit between
// platforms, which moves single points of a figure by a pixel.
#pragma once

// e^x, correctly rounded except where e^x lies within 2^-95 (relative) of the
// midpoint between two doubles; every build returns the same bits either way.
// That holds at the ends too: +inf above 709.782712893383973 (the last
// argument with a finite result), subnormal results below -708.3964, 0 below
// -745.1332.
double Exp(double x);

// x * x * x, correctly rounded (ties to even) whenever the cube is a normal
// double; cubes beyond the double range are infinities, below the normal
// range signed zeros.
double Cube(double x);
