#include "expr/Nsd.h"

#include <cmath>

// Repeated subtraction of the smaller from the larger, done a whole run of
// subtractions at a time (fmod is exact), so the number of rounds does not
// grow with the ratio of the values.
double Misc::Najdi_NSD(double a, double b)
{
    const double sign = a < 0 && b < 0 ? -1 : 1;
    a = std::fabs(a);
    b = std::fabs(b);
    if (a == 0 || b == 0 || !std::isfinite(a) || !std::isfinite(b))
        return 1;
    for (;;) {
        if (a == b)
            return sign * a;
        if (a > b) {
            const double r = std::fmod(a, b);
            a = r == 0 ? b : r; // the run ends when a meets b or drops below it
        } else {
            const double r = std::fmod(b, a);
            b = r == 0 ? a : r;
        }
        if (a < 1)
            return 1;
    }
}
