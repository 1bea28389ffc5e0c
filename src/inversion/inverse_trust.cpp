#include "inversion/inverse_trust.h"

#include <algorithm>
#include <cmath>

namespace matinv {

double one_norm(const Matrix& m, int n, int first_column) {
    double largest = 0.0;
    for (int j = first_column; j < first_column + n; ++j) {
        double sum = 0.0;
        for (int i = 0; i < n; ++i) {
            sum = sum + std::fabs(m[i][j]);
        }
        largest = std::max(largest, sum);  // a not-a-number sum is passed over
    }
    return largest;
}

int digits_possibly_lost(const InverseTrust& trust) {
    if (!trust.trusted() || !(trust.rcond < kFewDigitsBelow)) {
        return 0;
    }
    return std::min(kMostSignificantDigits - 1,
                    static_cast<int>(std::ceil(-std::log10(trust.rcond))));
}

InverseTrust judge_inverse(double entered_norm, const Matrix& a, int n) {
    InverseTrust trust;
    if (n <= 0) {
        return trust;
    }
    for (int i = 0; i < n && trust.finite; ++i) {
        const double* inverse_row = a[i] + n;
        trust.finite =
            std::all_of(inverse_row, inverse_row + n, [](double x) { return std::isfinite(x); });
    }
    // A product beyond the range of doubles becomes inf and rcond 0: only a
    // condition number beyond 1e308 can get there.
    trust.rcond = 1.0 / (entered_norm * one_norm(a, n, n));
    return trust;
}

}  // namespace matinv
