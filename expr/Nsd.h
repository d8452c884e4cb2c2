#pragma once
// Greatest common divisor for the example generators.

namespace Misc {

// Greatest common divisor of |a| and |b|; negative when both are negative;
// 1 when either is 0 or not finite. For values that are not whole it is 1 as
// soon as the larger-minus-smaller steps bring a below 1, or the common value
// where the two meet.
double Najdi_NSD(double a, double b);

} // namespace Misc
