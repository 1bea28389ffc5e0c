#pragma once

#include "inversion/working_matrices.h"

namespace matinv {

// Below this reciprocal condition number the inverse is no better than
// rounding noise: the matrix is singular to working precision. It is the
// spacing of doubles at 1, 2^-52.
inline constexpr double kWorkingPrecision = 0x1p-52;

// The 1-norm of the n x n block of m whose first column is first_column:
// the largest sum of magnitudes down a column.
double one_norm(const Matrix& m, int n, int first_column);

// How far a computed inverse can be trusted.
struct InverseTrust {
    bool finite = true;  // false when the inverse holds inf or nan
    double rcond = 1.0;  // 1 / (|A|_1 * |B|_1)

    bool trusted() const { return finite && rcond >= kWorkingPrecision; }
};

// Judges the inverse in columns n to 2n-1 of a, after a successful
// inversion, against entered_norm, the 1-norm of the matrix it inverts.
// An order of 0 or less has nothing to distrust.
InverseTrust judge_inverse(double entered_norm, const Matrix& a, int n);

}  // namespace matinv
