#pragma once

#include <cmath>
#include <utility>

#include "inversion/inversion.h"
#include "inversion/inversion_observer.h"
#include "inversion/working_matrices.h"

// The elimination, written once for every number type it runs on. A type
// takes part through the operations below, found by overload (doubles, here)
// or by argument-dependent lookup (the others, beside their type); each
// operation is one arithmetic step, so that the order of the steps and of
// their roundings reads from the code.
//
// Each step is also a template on the observer it tells what it does. The
// plain run tells an observer whose class is final and overrides nothing,
// so the calls bind to the empty inline members and vanish; the traced run
// tells a BasicInversionObserver. Both are the same code and operations.
namespace matinv {

// |x| > s, against the signed value of s.
inline bool magnitude_exceeds(double x, double s) { return std::fabs(x) > s; }
// |x| < |y|.
inline bool magnitude_below(double x, double y) { return std::fabs(x) < std::fabs(y); }
inline bool is_less(double x, double y) { return x < y; }
inline bool is_zero(double x) { return x == 0.0; }  // a negative zero too
inline bool is_nan(double x) { return std::isnan(x); }
inline void set_magnitude(double& m, double x) { m = std::fabs(x); }
inline void set_quotient(double& q, double dividend, double divisor) { q = dividend / divisor; }
inline void divide_by(double& x, double divisor) { x = x / divisor; }
inline void set_product(double& p, double x, double y) { p = x * y; }
inline void set_difference(double& d, double minuend, double subtrahend) {
    d = minuend - subtrahend;
}
// Doubles are rounded: a magnitude below the threshold counts as 0.
inline bool below_singularity_bound(double magnitude) { return magnitude < kSingularityThreshold; }

namespace elimination {

// Row scaling. The divisor starts at the row's first entry and is replaced
// by any later entry whose magnitude exceeds its current signed value.
// Because the row still carries its identity 1, the divisor ends at 1 or
// above for finite entries, so a row is never enlarged.
template <class Number, class Observer>
void scale_rows(BasicMatrix<Number>& a, int n, Observer& observer) {
    for (int i = 0; i < n; ++i) {
        Number s = a[i][0];  // a copy: the row is divided by it below
        for (int j = 1; j < 2 * n; ++j) {
            if (magnitude_exceeds(a[i][j], s)) {
                s = a[i][j];
            }
        }
        for (int j = 0; j < 2 * n; ++j) {
            divide_by(a[i][j], s);
        }
        observer.row_scaled(i, s);
    }
    observer.scaling_done(a, n);
}

// Pivot bubbling. One bottom-up pass of adjacent exchanges; equal
// magnitudes are never exchanged, so the uppermost of several largest
// entries wins.
template <class Number, class Observer>
void bubble_pivot(BasicMatrix<Number>& a, int n, int j, Observer& observer) {
    using std::swap;
    for (int i = n - 1; i >= j + 1; --i) {
        if (magnitude_below(a[i - 1][j], a[i][j])) {
            for (int k = 0; k < 2 * n; ++k) {
                swap(a[i - 1][k], a[i][k]);
            }
            observer.rows_exchanged(i - 1);
        }
    }
}

// Elimination of column j's entry in row r against the pivot row j, in both
// phases: row r becomes row j minus ratio times row r, over all 2n columns,
// reduced ones included, the product rounded before the subtraction. A row
// holding an exact 0 (of either sign) in column j is left alone.
template <class Number, class Observer>
void eliminate(BasicMatrix<Number>& a, int n, int j, int r, Observer& observer) {
    if (is_zero(a[r][j])) {
        observer.row_kept(r, j);
        return;
    }
    Number ratio{};
    Number product{};
    set_quotient(ratio, a[j][j], a[r][j]);  // taken once per target row
    for (int k = 0; k < 2 * n; ++k) {
        set_product(product, a[r][k], ratio);       // rounded on its own
        set_difference(a[r][k], a[j][k], product);  // then taken from the pivot row
    }
    observer.row_replaced(r, j, ratio);
}

// Forward phase: per column, the pivot is bubbled into place, then the rows
// below it are eliminated. Column n-1 has no pivot step.
template <class Number, class Observer>
void forward_phase(BasicMatrix<Number>& a, int n, Observer& observer) {
    for (int j = 0; j < n - 1; ++j) {
        observer.column_started(Phase::forward, j);
        bubble_pivot(a, n, j, observer);
        for (int r = j + 1; r < n; ++r) {
            eliminate(a, n, j, r, observer);
        }
        observer.column_done(a, n);
    }
}

// Singularity test. The only test of invertibility: a diagonal entry whose
// magnitude is below the number type's bound, an entry of exactly the bound
// passing, and a not-a-number entry never failing. Some diagonal entry lies
// below the bound exactly when the smallest magnitude does, and that one is
// what the observer is told of.
template <class Number, class Observer>
bool fails_singularity_test(const BasicMatrix<Number>& a, int n, Observer& observer) {
    int smallest_row = 0;
    Number smallest{};
    set_magnitude(smallest, a[0][0]);
    Number magnitude{};
    for (int i = 1; i < n; ++i) {
        set_magnitude(magnitude, a[i][i]);
        if (is_less(magnitude, smallest) || is_nan(smallest)) {
            smallest = magnitude;
            smallest_row = i;
        }
    }
    const bool singular = below_singularity_bound(smallest);
    observer.singularity_tested(smallest_row, smallest, singular);
    return singular;
}

// Backward phase: the same row form as the elimination, upward, with no
// exchange.
template <class Number, class Observer>
void backward_phase(BasicMatrix<Number>& a, int n, Observer& observer) {
    for (int j = n - 1; j >= 1; --j) {
        observer.column_started(Phase::backward, j);
        for (int r = j - 1; r >= 0; --r) {
            eliminate(a, n, j, r, observer);
        }
        observer.column_done(a, n);
    }
}

// Final division. The divisor is read once, before the row changes.
template <class Number, class Observer>
void final_division(BasicMatrix<Number>& a, int n, Observer& observer) {
    for (int i = 0; i < n; ++i) {
        const Number d = a[i][i];
        for (int j = 0; j < 2 * n; ++j) {
            divide_by(a[i][j], d);
        }
        observer.row_divided_by_diagonal(i, d);
    }
    observer.final_division_done(a, n);
}

template <class Number, class Observer>
Outcome run_steps(BasicMatrix<Number>& a, int n, Observer& observer) {
    if (n <= 0) {
        return Outcome::success;  // nothing to invert; also keeps n - 1 from overflowing
    }
    observer.seeded(a, n);
    scale_rows(a, n, observer);
    forward_phase(a, n, observer);
    if (fails_singularity_test(a, n, observer)) {
        return Outcome::failure;
    }
    backward_phase(a, n, observer);
    final_division(a, n, observer);
    return Outcome::success;
}

}  // namespace elimination
}  // namespace matinv
