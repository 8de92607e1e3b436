// The sine and cosine of i * DegreeToRadian for the whole degrees 0 to 180,
// each the double nearest to the exact value, written and proved by
// curves/degree_sines.py. C libraries round some of them differently.
#pragma once

extern const double DEGREE_SINE[181];
extern const double DEGREE_COSINE[181];
