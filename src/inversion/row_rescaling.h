#pragma once

#include "inversion/working_matrices.h"

namespace matinv {

// A matrix refused for its small entries rather than for having no inverse:
// the singularity threshold is absolute, so rows of tiny entries fail it
// although the matrix is far from singular. This multiplies each row of a0
// (order n) by the power of two that brings the row's largest magnitude into
// [1, 2), which changes only exponents, inverts that copy as the program
// inverts every matrix, and answers whether it has an inverse that can be
// trusted. A row of zeros, infinities or not-a-number is left as it is. A
// matrix with no row of small entries, all below 1 in magnitude, or with a
// zero row, is not tried again: the answer is then no.
bool inverts_with_rows_rescaled(const Matrix& a0, int n);

// The power of two for row i of a0, as an exponent: 0 for a row that is left
// as it is, positive for a row of small entries.
int row_exponent(const Matrix& a0, int n, int i);

}  // namespace matinv
