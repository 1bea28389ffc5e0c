#pragma once

#include "inversion/working_matrices.h"

namespace matinv {

// The rows of small entries, all below 1 in magnitude, in order from the top.
struct SmallRows {
    int rows[kMaxOrder]{};
    int count = 0;
};

// A matrix refused for its small entries rather than for having no inverse:
// the singularity threshold is absolute, so rows of tiny entries fail it
// although the matrix is far from singular. This multiplies each row of a0
// (order n) by the power of two that brings the row's
// largest magnitude into [1, 2), which changes only exponents, and inverts
// that copy as the program inverts every matrix. When it has an inverse that
// can be trusted, the answer is the rows that were enlarged; otherwise none.
// A row holding an infinity or not-a-number is left as it is. A matrix with
// no row of small entries, or with a zero row, is not tried: the answer is none.
SmallRows small_rows_to_blame(const Matrix& a0, int n);

}  // namespace matinv
