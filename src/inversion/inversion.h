#pragma once

#include "inversion/inversion_observer.h"
#include "inversion/working_matrices.h"

namespace matinv {

enum class Outcome { success, failure };

// Diagonal entries below this magnitude after the forward phase mean that
// the matrix has no inverse. It is an absolute bound on the scaled and
// eliminated values, not one relative to the entered matrix.
inline constexpr double kSingularityThreshold = 1e-10;

// Turns a, the entered matrix of order n beside the identity, into the
// identity beside the inverse, in place. On failure (no inverse) the content
// of a has no meaning. Requires n <= kMaxOrder; an order of 0 or less, down
// to INT_MIN, has nothing to do and succeeds.
Outcome invert(Matrix& a, int n);

// The same inversion, telling the observer of every step as it is taken; the
// observer changes nothing in the arithmetic.
Outcome invert(Matrix& a, int n, InversionObserver& observer);

}  // namespace matinv
