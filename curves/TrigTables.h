// Sines and cosines of the whole degrees 0 to 360. No other trigonometry is
// computed anywhere in the animation.
#pragma once

struct TrigTablesRecord {
    double Sine[361];
    double Cosine[361];
};
extern TrigTablesRecord TrigTables;

// The double nearest to 3.1415926535 / 180: pi cut off after ten decimals.
const double DegreeToRadian = 0.017453292519444445;

// Computes degrees 0 to 180 and mirrors them to 181 to 360.
void BuildTrigTables();
