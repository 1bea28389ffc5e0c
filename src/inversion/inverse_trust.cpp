#include "inversion/inverse_trust.h"

#include <cmath>

namespace matinv {

double one_norm(const Matrix& m, int n, int first_column) {
    double largest = 0.0;
    for (int j = first_column; j < first_column + n; ++j) {
        double sum = 0.0;
        for (int i = 0; i < n; ++i) {
            sum = sum + std::fabs(m[i][j]);
        }
        if (sum > largest) {
            largest = sum;
        }
    }
    return largest;
}

InverseTrust judge_inverse(double entered_norm, const Matrix& a, int n) {
    InverseTrust trust;
    if (n <= 0) {
        return trust;
    }
    for (int i = 0; i < n; ++i) {
        for (int j = n; j < 2 * n; ++j) {
            if (!std::isfinite(a[i][j])) {
                trust.finite = false;
            }
        }
    }
    // A product beyond the range of doubles becomes inf and rcond 0: only a
    // condition number beyond 1e308 can get there.
    trust.rcond = 1.0 / (entered_norm * one_norm(a, n, n));
    return trust;
}

}  // namespace matinv
