// Rounding an amount to a step (0.01, 0.10, 0.50, 1 ...), the rule of the
// bill totals.
#pragma once

namespace bralvo::services {

// mode > 0 rounds up, mode < 0 down, mode 0 to the nearest multiple with
// halves going up. Negative values round by their magnitude: up is away
// from zero, down toward zero, and halves go away from zero
// (-2.3 step 1 up gives -3, -1.25 step 0.5 nearest gives -1.5).
//
// Computed on the decimal values of both numbers (at most 15 significant
// digits each), so a value that is a multiple of the step never moves in
// any mode (1000 step 1, 0.3 step 0.1, 19.00 step 0.10), and a step such
// as 0.1 does not drift through binary error. A step <= 0 counts by its
// magnitude; a zero step, or an infinite or NaN value or step, gives the
// value back unchanged.
double RoundToStep(int mode, double value, double step);

} // namespace bralvo::services
