#include "exact/digits_kept.h"

#include <cmath>

#include "exact/exact_entry.h"
#include "exact/fraction_free_inversion.h"

namespace matinv {

TypedMatrix::TypedMatrix(int n) : m_(std::make_unique<ExactMatrices>()) { m_->n = n; }

bool TypedMatrix::take(int i, int j, const DecimalParts* typed, double read) {
    Rational value;
    if (typed == nullptr || rational_from_parts(*typed, nullptr, value) != ExactEntryError::none) {
        if (!std::isfinite(read)) {
            return false;
        }
        mpq_set_d(value.get(), read);
        some_as_read_ = true;
    }
    swap(m_->a0[i][j], value);
    return true;
}

MeasuredDigits TypedMatrix::measure(const Matrix& a) {
    const int n = m_->n;
    MeasuredDigits measured;
    measured.some_as_read = some_as_read_;
    Rational determinant;
    if (invert_without_fractions(m_->a0, n, m_->a, determinant) == Outcome::failure) {
        measured.verdict = MeasuredDigits::Verdict::singular;
        return measured;
    }
    Rational b;
    Rational error;
    Rational largest_error;
    Rational largest_entry;
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            const Rational& x = m_->a[i][n + j];
            const double computed = a[i][n + j];
            if (!std::isfinite(computed)) {
                return {};
            }
            mpq_set_d(b.get(), computed);
            mpq_sub(error.get(), b.get(), x.get());
            if (magnitude_below(largest_error, error)) {
                set_magnitude(largest_error, error);
            }
            if (magnitude_below(largest_entry, x)) {
                set_magnitude(largest_entry, x);
            }
        }
    }
    // The digits are the largest k with error <= 10^-k x largest entry,
    // found exactly: a ratio next to a power of ten is no place for rounding.
    measured.verdict = MeasuredDigits::Verdict::measured;
    Rational bound = largest_entry;
    const Rational ten = Rational::fraction(10, 1);
    while (measured.digits < kMostSignificantDigits) {
        divide_by(bound, ten);
        if (magnitude_exceeds(largest_error, bound)) {
            break;
        }
        ++measured.digits;
    }
    return measured;
}

}  // namespace matinv
