#pragma once

#include <cstdint>

#include "inversion/working_matrices.h"

namespace matinv {

enum class Outcome { success, failure };

// Diagonal entries below this magnitude after the forward phase mean that
// the matrix has no inverse. It is an absolute bound on the scaled and
// eliminated values, not one relative to the entered matrix.
inline constexpr double kSingularityThreshold = 1e-10;

// Told of every step of one inversion as the inversion takes it, so that the
// steps can be shown from the very run that computes the result; a member
// not overridden ignores its step. Rows and columns count from 0; a matrix
// handed over is the whole augmented matrix then, n rows of 2n entries.
// The elimination's two sweeps: downward to a triangle, then upward.
enum class Phase : std::uint8_t { forward, backward };

class InversionObserver {
public:
    virtual ~InversionObserver() = default;

    // The entered matrix beside the identity, before any step.
    virtual void seeded(const Matrix& /*a*/, int /*n*/) {}
    // Row i was divided by its scale divisor s.
    virtual void row_scaled(int /*i*/, double /*s*/) {}
    virtual void scaling_done(const Matrix& /*a*/, int /*n*/) {}
    // A column of either phase begins; its pivot is the diagonal entry of
    // column j.
    virtual void column_started(Phase /*phase*/, int /*j*/) {}
    // Rows upper and upper + 1 were exchanged while bubbling the pivot up.
    virtual void rows_exchanged(int /*upper*/) {}
    // Row r became row p minus ratio times row r.
    virtual void row_replaced(int /*r*/, int /*p*/, double /*ratio*/) {}
    // Row r was left alone: its entry in column j is exactly 0.
    virtual void row_kept(int /*r*/, int /*j*/) {}
    virtual void column_done(const Matrix& /*a*/, int /*n*/) {}
    // The diagonal was tested against the singularity threshold: smallest is
    // its smallest magnitude, the uppermost of equal ones, in smallest_row; a
    // not-a-number one only when all are, and then in the last row.
    virtual void singularity_tested(int /*smallest_row*/, double /*smallest*/, bool /*singular*/) {}
    // Row i was divided by its diagonal entry d in the final division.
    virtual void row_divided_by_diagonal(int /*i*/, double /*d*/) {}
    virtual void final_division_done(const Matrix& /*a*/, int /*n*/) {}
};

// Turns a, the entered matrix of order n beside the identity, into the
// identity beside the inverse, in place. On failure (no inverse) the content
// of a has no meaning. Requires n <= kMaxOrder; an order of 0 or less, down
// to INT_MIN, has nothing to do and succeeds.
Outcome invert(Matrix& a, int n);

// The same inversion, telling the observer of every step as it is taken; the
// observer changes nothing in the arithmetic.
Outcome invert(Matrix& a, int n, InversionObserver& observer);

}  // namespace matinv
