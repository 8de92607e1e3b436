#include "curves/TrigTables.h"

#include <cmath>

TrigTablesRecord TrigTables;

void BuildTrigTables()
{
    // The stores are ordered so that pass 180 overwrites Sine[180] (written as
    // -0.0 in pass 0) with the small positive sine of 180 * DegreeToRadian.
    for (int i = 0; i <= 180; i++) {
        double theta = static_cast<double>(i) * DegreeToRadian;
        double s = std::sin(theta);
        TrigTables.Sine[i] = s;
        TrigTables.Sine[180 + i] = -s;
        double c = std::cos(theta);
        TrigTables.Cosine[360 - i] = c;
        TrigTables.Cosine[i] = c;
    }
}
