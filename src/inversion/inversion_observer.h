#pragma once

#include "inversion/working_matrices.h"

namespace matinv {

// Told of every step of one inversion as the inversion takes it, so that the
// steps can be shown from the very run that computes the result. Rows and
// columns are the 0-based indices of the working matrix; a matrix handed over
// is the whole augmented matrix at that point, n rows of 2n entries.
class InversionObserver {
public:
    virtual ~InversionObserver() = default;

    // The entered matrix beside the identity, before any step.
    virtual void seeded(const Matrix& a, int n) = 0;
    // Row i was divided by its scale divisor s.
    virtual void row_scaled(int i, double s) = 0;
    virtual void scaling_done(const Matrix& a, int n) = 0;
    // A column of the forward phase (downward) or the backward phase (upward)
    // begins; its pivot is the diagonal entry of column j.
    virtual void column_started(bool forward, int j) = 0;
    // Rows upper and upper + 1 were exchanged while bubbling the pivot up.
    virtual void rows_exchanged(int upper) = 0;
    // Row r became row p minus ratio times row r.
    virtual void row_replaced(int r, int p, double ratio) = 0;
    // Row r was left alone: its entry in column j is exactly 0.
    virtual void row_kept(int r, int j) = 0;
    virtual void column_done(const Matrix& a, int n) = 0;
    // The diagonal has been tested against the singularity threshold: its
    // smallest magnitude, the uppermost of equal ones, is smallest, in row
    // smallest_row. A not-a-number entry is passed over unless all are, and
    // then the last row is named.
    virtual void singularity_tested(int smallest_row, double smallest, bool singular) = 0;
    // Row i was divided by its diagonal entry d in the final division.
    virtual void row_divided_by_diagonal(int i, double d) = 0;
    virtual void final_division_done(const Matrix& a, int n) = 0;
};

}  // namespace matinv
