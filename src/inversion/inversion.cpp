#include "inversion/inversion.h"

#include <cfloat>
#include <cmath>

#include "inversion/inversion_steps.h"

// Every operation below must be rounded to double on its own: printed digits
// and, for borderline matrices, the verdict depend on it. The build passes
// -ffp-contract=off; this guards against a target that evaluates in a wider
// format.
static_assert(FLT_EVAL_METHOD == 0, "double expressions must be evaluated in double");

// Each step is written once and compiled twice: with kObserved, it tells the
// observer what it does; without, the observer's calls are not compiled at
// all, so that the plain run is the bare arithmetic, as fast as before there
// was an observer. Both do the same operations in the same order.
namespace matinv {
namespace {

// Row r becomes row p minus ratio times row r, over all 2n columns, reduced
// ones included. The product is rounded before the subtraction.
void replace_by_pivot_minus_multiple(Matrix& a, int n, int p, int r, double ratio) {
    for (int k = 0; k < 2 * n; ++k) {
        a[r][k] = a[p][k] - a[r][k] * ratio;
    }
}

void exchange_rows(Matrix& a, int n, int r1, int r2) {
    for (int k = 0; k < 2 * n; ++k) {
        const double held = a[r1][k];
        a[r1][k] = a[r2][k];
        a[r2][k] = held;
    }
}

// Step 1. The divisor starts at the row's first entry and is replaced by any
// later entry whose magnitude exceeds its current signed value. Because the
// row still carries its identity 1, the divisor ends at 1 or above for finite
// entries, so a row is never enlarged.
namespace each_step {

template <bool kObserved>
void scale_rows(Matrix& a, int n, InversionObserver* observer) {
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
        if constexpr (kObserved) {
            observer->row_scaled(i, s);
        }
    }
    if constexpr (kObserved) {
        observer->scaling_done(a, n);
    }
}

// Step 2.1. One bottom-up pass of adjacent exchanges; equal magnitudes are
// never exchanged, so the uppermost of several largest entries wins.
template <bool kObserved>
void bubble_pivot(Matrix& a, int n, int j, InversionObserver* observer) {
    for (int i = n - 1; i >= j + 1; --i) {
        if (std::fabs(a[i - 1][j]) < std::fabs(a[i][j])) {
            exchange_rows(a, n, i - 1, i);
            if constexpr (kObserved) {
                observer->rows_exchanged(i - 1);
            }
        }
    }
}

// Step 2.2. Rows holding an exact 0 (of either sign) in column j are left
// alone; the ratio is taken once per target row.
template <bool kObserved>
void eliminate_below(Matrix& a, int n, int j, InversionObserver* observer) {
    for (int r = j + 1; r < n; ++r) {
        if (a[r][j] != 0.0) {
            const double ratio = a[j][j] / a[r][j];
            replace_by_pivot_minus_multiple(a, n, j, r, ratio);
            if constexpr (kObserved) {
                observer->row_replaced(r, j, ratio);
            }
        } else if constexpr (kObserved) {
            observer->row_kept(r, j);
        }
    }
}

// Step 2. Column n-1 has no pivot step.
template <bool kObserved>
void forward_phase(Matrix& a, int n, InversionObserver* observer) {
    for (int j = 0; j < n - 1; ++j) {
        if constexpr (kObserved) {
            observer->column_started(true, j);
        }
        bubble_pivot<kObserved>(a, n, j, observer);
        eliminate_below<kObserved>(a, n, j, observer);
        if constexpr (kObserved) {
            observer->column_done(a, n);
        }
    }
}

// Step 4. Same row form as the forward elimination, upward, with no exchange.
template <bool kObserved>
void backward_phase(Matrix& a, int n, InversionObserver* observer) {
    for (int j = n - 1; j >= 1; --j) {
        if constexpr (kObserved) {
            observer->column_started(false, j);
        }
        for (int r = j - 1; r >= 0; --r) {
            if (a[r][j] != 0.0) {
                const double ratio = a[j][j] / a[r][j];
                replace_by_pivot_minus_multiple(a, n, j, r, ratio);
                if constexpr (kObserved) {
                    observer->row_replaced(r, j, ratio);
                }
            } else if constexpr (kObserved) {
                observer->row_kept(r, j);
            }
        }
        if constexpr (kObserved) {
            observer->column_done(a, n);
        }
    }
}

// Step 5. The divisor is read once, before the row changes.
template <bool kObserved>
void normalise(Matrix& a, int n, InversionObserver* observer) {
    for (int i = 0; i < n; ++i) {
        const double d = a[i][i];
        for (int j = 0; j < 2 * n; ++j) {
            a[i][j] = a[i][j] / d;
        }
        if constexpr (kObserved) {
            observer->row_normalised(i, d);
        }
    }
    if constexpr (kObserved) {
        observer->normalisation_done(a, n);
    }
}

template <bool kObserved>
Outcome invert(Matrix& a, int n, InversionObserver* observer) {
    if constexpr (kObserved) {
        observer->seeded(a, n);
    }
    scale_rows<kObserved>(a, n, observer);
    forward_phase<kObserved>(a, n, observer);
    const bool singular = step::has_small_diagonal(a, n);
    if constexpr (kObserved) {
        observer->singularity_tested(a, n, singular);
    }
    if (singular) {
        return Outcome::failure;
    }
    backward_phase<kObserved>(a, n, observer);
    normalise<kObserved>(a, n, observer);
    return Outcome::success;
}

}  // namespace each_step
}  // namespace

namespace step {

void scale_rows(Matrix& a, int n, InversionObserver* observer) {
    observer != nullptr ? each_step::scale_rows<true>(a, n, observer)
                        : each_step::scale_rows<false>(a, n, nullptr);
}

void bubble_pivot(Matrix& a, int n, int j, InversionObserver* observer) {
    observer != nullptr ? each_step::bubble_pivot<true>(a, n, j, observer)
                        : each_step::bubble_pivot<false>(a, n, j, nullptr);
}

void eliminate_below(Matrix& a, int n, int j, InversionObserver* observer) {
    observer != nullptr ? each_step::eliminate_below<true>(a, n, j, observer)
                        : each_step::eliminate_below<false>(a, n, j, nullptr);
}

void forward_phase(Matrix& a, int n, InversionObserver* observer) {
    observer != nullptr ? each_step::forward_phase<true>(a, n, observer)
                        : each_step::forward_phase<false>(a, n, nullptr);
}

// Step 3. The only test of invertibility; an entry of exactly the threshold
// passes, and a not-a-number entry never fails it.
bool has_small_diagonal(const Matrix& a, int n) {
    for (int i = 0; i < n; ++i) {
        if (std::fabs(a[i][i]) < kSingularityThreshold) {
            return true;
        }
    }
    return false;
}

void backward_phase(Matrix& a, int n, InversionObserver* observer) {
    observer != nullptr ? each_step::backward_phase<true>(a, n, observer)
                        : each_step::backward_phase<false>(a, n, nullptr);
}

void normalise(Matrix& a, int n, InversionObserver* observer) {
    observer != nullptr ? each_step::normalise<true>(a, n, observer)
                        : each_step::normalise<false>(a, n, nullptr);
}

}  // namespace step

Outcome invert(Matrix& a, int n, InversionObserver* observer) {
    if (n <= 0) {
        return Outcome::success;  // nothing to invert; also keeps n - 1 from overflowing
    }
    return observer != nullptr ? each_step::invert<true>(a, n, observer)
                               : each_step::invert<false>(a, n, nullptr);
}

}  // namespace matinv
