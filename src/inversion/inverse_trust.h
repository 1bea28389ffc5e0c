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

// Below this reciprocal condition number a trusted inverse may keep few
// enough significant digits that the report should say how many.
inline constexpr double kFewDigitsBelow = 1e-8;

// How many of its 16 significant digits a trusted inverse may have lost by
// the usual rule of thumb, -log10(rcond) rounded up and at most 15, when
// rcond is below kFewDigitsBelow; 0 when it keeps enough or is not trusted
// at all (the warning about an untrusted inverse says more). A bound: the
// inverse often keeps more.
int digits_possibly_lost(const InverseTrust& trust);

// A double has 16 significant decimal digits, give or take.
inline constexpr int kMostSignificantDigits = 16;
// An inverse that keeps this many is as good as the doubles allow.
inline constexpr int kEnoughDigits = 15;

// What comparing an inverse in doubles with the exact inverse of the
// entries as typed found.
struct MeasuredDigits {
    enum class Verdict : unsigned char {
        unmeasured,  // an entry or the inverse is not finite
        singular,    // the entries as typed form a singular matrix
        measured,
    };
    Verdict verdict = Verdict::unmeasured;
    // Entries too long to be taken exactly were taken as the doubles read.
    bool some_as_read = false;
    // The significant digits it keeps, 0 to 16, counted over all entries
    // against the largest entry of the exact inverse.
    int digits = 0;

    // Whether the inverse keeps any significant digit at all.
    bool trusted() const { return verdict == Verdict::measured && digits > 0; }
};

// Judges the inverse in columns n to 2n-1 of a, after a successful
// inversion, against entered_norm, the 1-norm of the matrix it inverts.
// An order of 0 or less has nothing to distrust.
InverseTrust judge_inverse(double entered_norm, const Matrix& a, int n);

}  // namespace matinv
