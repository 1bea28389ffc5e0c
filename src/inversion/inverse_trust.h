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

// Below this reciprocal condition number a trusted inverse keeps few enough
// significant digits that the report should say how many.
inline constexpr double kFewDigitsBelow = 1e-8;

// The significant digits that a trusted inverse keeps by the usual rule of
// thumb, 16 + log10(rcond) rounded down and at least 1, when rcond is below
// kFewDigitsBelow; 0 when the inverse keeps enough or is not trusted at all
// (the warning about an untrusted inverse says more).
int expected_significant_digits(const InverseTrust& trust);

// Judges the inverse in columns n to 2n-1 of a, after a successful
// inversion, against entered_norm, the 1-norm of the matrix it inverts.
// An order of 0 or less has nothing to distrust.
InverseTrust judge_inverse(double entered_norm, const Matrix& a, int n);

}  // namespace matinv
