#include "inversion/inversion.h"

#include <cfloat>
#include <cmath>
#include <utility>

// Every operation below must be rounded to double on its own: printed digits
// and, for borderline matrices, the verdict depend on it. The build passes
// -ffp-contract=off; this guards against a target that evaluates in a wider
// format.
static_assert(FLT_EVAL_METHOD == 0, "double expressions must be evaluated in double");

// Each step is a template on the observer it tells what it does. The plain
// run tells Unobserved, final, whose calls bind when compiled to the empty
// inline members of the interface and vanish; the traced run tells an
// InversionObserver. Both are the same code and the same operations.
namespace matinv {
namespace {

struct Unobserved final : InversionObserver {};

// Row scaling. The divisor starts at the row's first entry and is replaced
// by any later entry whose magnitude exceeds its current signed value.
// Because the row still carries its identity 1, the divisor ends at 1 or
// above for finite entries, so a row is never enlarged.
template <class Observer>
void scale_rows(Matrix& a, int n, Observer& observer) {
    for (int i = 0; i < n; ++i) {
        double s = a[i][0];
        for (int j = 1; j < 2 * n; ++j) {
            if (std::fabs(a[i][j]) > s) {
                s = a[i][j];
            }
        }
        for (int j = 0; j < 2 * n; ++j) {
            a[i][j] = a[i][j] / s;
        }
        observer.row_scaled(i, s);
    }
    observer.scaling_done(a, n);
}

// Pivot bubbling. One bottom-up pass of adjacent exchanges; equal
// magnitudes are never exchanged, so the uppermost of several largest
// entries wins.
template <class Observer>
void bubble_pivot(Matrix& a, int n, int j, Observer& observer) {
    for (int i = n - 1; i >= j + 1; --i) {
        if (std::fabs(a[i - 1][j]) < std::fabs(a[i][j])) {
            for (int k = 0; k < 2 * n; ++k) {
                std::swap(a[i - 1][k], a[i][k]);
            }
            observer.rows_exchanged(i - 1);
        }
    }
}

// Elimination of column j's entry in row r against the pivot row j, in both
// phases: row r becomes row j minus ratio times row r, over all 2n columns,
// reduced ones included, the product rounded before the subtraction. A row
// holding an exact 0 (of either sign) in column j is left alone.
template <class Observer>
void eliminate(Matrix& a, int n, int j, int r, Observer& observer) {
    if (a[r][j] == 0.0) {
        observer.row_kept(r, j);
        return;
    }
    const double ratio = a[j][j] / a[r][j];  // taken once per target row
    for (int k = 0; k < 2 * n; ++k) {
        a[r][k] = a[j][k] - a[r][k] * ratio;
    }
    observer.row_replaced(r, j, ratio);
}

// Forward phase: per column, the pivot is bubbled into place, then the rows
// below it are eliminated. Column n-1 has no pivot step.
template <class Observer>
void forward_phase(Matrix& a, int n, Observer& observer) {
    for (int j = 0; j < n - 1; ++j) {
        observer.column_started(Phase::forward, j);
        bubble_pivot(a, n, j, observer);
        for (int r = j + 1; r < n; ++r) {
            eliminate(a, n, j, r, observer);
        }
        observer.column_done(a, n);
    }
}

// Singularity test. The only test of invertibility; an entry of exactly the
// threshold passes, and a not-a-number entry never fails it. Some diagonal
// entry lies below the threshold exactly when the smallest magnitude does,
// and that one is what the observer is told of.
template <class Observer>
bool fails_singularity_test(const Matrix& a, int n, Observer& observer) {
    int smallest_row = 0;
    double smallest = std::fabs(a[0][0]);
    for (int i = 1; i < n; ++i) {
        const double magnitude = std::fabs(a[i][i]);
        if (magnitude < smallest || std::isnan(smallest)) {
            smallest = magnitude;
            smallest_row = i;
        }
    }
    const bool singular = smallest < kSingularityThreshold;
    observer.singularity_tested(smallest_row, smallest, singular);
    return singular;
}

// Backward phase: the same row form as the elimination, upward, with no
// exchange.
template <class Observer>
void backward_phase(Matrix& a, int n, Observer& observer) {
    for (int j = n - 1; j >= 1; --j) {
        observer.column_started(Phase::backward, j);
        for (int r = j - 1; r >= 0; --r) {
            eliminate(a, n, j, r, observer);
        }
        observer.column_done(a, n);
    }
}

// Final division. The divisor is read once, before the row changes.
template <class Observer>
void final_division(Matrix& a, int n, Observer& observer) {
    for (int i = 0; i < n; ++i) {
        const double d = a[i][i];
        for (int j = 0; j < 2 * n; ++j) {
            a[i][j] = a[i][j] / d;
        }
        observer.row_divided_by_diagonal(i, d);
    }
    observer.final_division_done(a, n);
}

template <class Observer>
Outcome run_steps(Matrix& a, int n, Observer& observer) {
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

}  // namespace

Outcome invert(Matrix& a, int n) {
    Unobserved nobody;
    return run_steps(a, n, nobody);
}

Outcome invert(Matrix& a, int n, InversionObserver& observer) { return run_steps(a, n, observer); }

}  // namespace matinv
