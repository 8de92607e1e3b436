#include "curves/TrigTables.h"

#include "curves/DegreeSines.h"

TrigTablesRecord TrigTables;

void BuildTrigTables()
{
    // The stores are ordered so that pass 180 overwrites Sine[180] (written as
    // -0.0 in pass 0) with the small positive sine of 180 * DegreeToRadian.
    for (int i = 0; i <= 180; i++) {
        // The sine and cosine of i * DegreeToRadian, correctly rounded.
        double s = DEGREE_SINE[i];
        TrigTables.Sine[i] = s;
        TrigTables.Sine[180 + i] = -s;
        double c = DEGREE_COSINE[i];
        TrigTables.Cosine[360 - i] = c;
        TrigTables.Cosine[i] = c;
    }
}
