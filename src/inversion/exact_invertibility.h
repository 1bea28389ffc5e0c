#pragma once

#include "inversion/working_matrices.h"

namespace matinv {

// Whether the entries of a0 (order n), each taken as the exact rational
// that its double is, form an invertible matrix, whatever rounding does to
// them in the elimination. False when an entry is infinite or not a number,
// and for an order outside 1 to kMaxOrder. Allocates nothing.
bool invertible_as_entered(const Matrix& a0, int n);

}  // namespace matinv
