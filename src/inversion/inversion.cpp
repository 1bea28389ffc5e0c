#include "inversion/inversion.h"

#include <cfloat>
#include <cmath>

// Every operation below must be rounded to double on its own: printed digits
// and, for borderline matrices, the verdict depend on it. The build passes
// -ffp-contract=off; this guards against a target that evaluates in a wider
// format.
static_assert(FLT_EVAL_METHOD == 0, "double expressions must be evaluated in double");

// Each step is a template on whoever it tells what it does. The plain run
// tells an observer whose members are empty and inline, so that it compiles
// to the bare arithmetic; the traced run tells an InversionObserver. Both
// are the same code, the same operations in the same order.
namespace matinv {
namespace {

struct Unobserved {
    void seeded(const Matrix&, int) {}
    void row_scaled(int, double) {}
    void scaling_done(const Matrix&, int) {}
    void column_started(bool, int) {}
    void rows_exchanged(int) {}
    void row_replaced(int, int, double) {}
    void row_kept(int, int) {}
    void column_done(const Matrix&, int) {}
    void singularity_tested(int, double, bool) {}
    void row_divided_by_diagonal(int, double) {}
    void final_division_done(const Matrix&, int) {}
};

void exchange_rows(Matrix& a, int n, int r1, int r2) {
    for (int k = 0; k < 2 * n; ++k) {
        const double held = a[r1][k];
        a[r1][k] = a[r2][k];
        a[r2][k] = held;
    }
}

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
            exchange_rows(a, n, i - 1, i);
            observer.rows_exchanged(i - 1);
        }
    }
}

// Clears column j of row r against the pivot row j, in both phases. Row r
// becomes row j minus ratio times row r, over all 2n columns, reduced ones
// included, the product rounded before the subtraction. A row holding an
// exact 0 (of either sign) in column j is left alone.
template <class Observer>
void clear_entry(Matrix& a, int n, int j, int r, Observer& observer) {
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
        observer.column_started(true, j);
        bubble_pivot(a, n, j, observer);
        for (int r = j + 1; r < n; ++r) {
            clear_entry(a, n, j, r, observer);
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
        observer.column_started(false, j);
        for (int r = j - 1; r >= 0; --r) {
            clear_entry(a, n, j, r, observer);
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
Outcome invert_told(Matrix& a, int n, Observer& observer) {
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
    return invert_told(a, n, nobody);
}

Outcome invert(Matrix& a, int n, InversionObserver& observer) {
    return invert_told(a, n, observer);
}

}  // namespace matinv
