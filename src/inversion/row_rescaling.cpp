#include "inversion/row_rescaling.h"

#include <cmath>

#include "inversion/inverse_trust.h"
#include "inversion/inversion.h"

namespace matinv {

int row_exponent(const Matrix& a0, int n, int i) {
    double largest = 0.0;
    for (int j = 0; j < n; ++j) {
        const double magnitude = std::fabs(a0[i][j]);
        if (!std::isfinite(magnitude)) {
            return 0;
        }
        if (magnitude > largest) {
            largest = magnitude;
        }
    }
    if (largest == 0.0) {
        return 0;
    }
    int exponent = 0;
    std::frexp(largest, &exponent);  // largest = f * 2^exponent, f in [0.5, 1)
    return 1 - exponent;
}

bool inverts_with_rows_rescaled(const Matrix& a0, int n) {
    if (n <= 0 || n > kMaxOrder) {
        return false;
    }
    // No scale gives a zero row an inverse. Checking first also keeps a long
    // stream of such matrices from paying for a second inversion.
    for (int i = 0; i < n; ++i) {
        int j = 0;
        while (j < n && a0[i][j] == 0.0) {
            ++j;
        }
        if (j == n) {
            return false;
        }
    }
    // Rows of entries of 1 or more are divided by their largest entry, or by
    // 1, when the rows are scaled: only rows of small entries can hold the
    // diagonal under the threshold merely for their size.
    bool enlarged = false;
    for (int i = 0; i < n && !enlarged; ++i) {
        enlarged = row_exponent(a0, n, i) > 0;
    }
    if (!enlarged) {
        return false;
    }

    Matrix a{};
    for (int i = 0; i < n; ++i) {
        const int exponent = row_exponent(a0, n, i);
        for (int j = 0; j < n; ++j) {
            a[i][j] = std::ldexp(a0[i][j], exponent);
        }
        a[i][n + i] = 1.0;
    }
    const double rescaled_norm = one_norm(a, n, 0);
    if (invert(a, n) == Outcome::failure) {
        return false;
    }
    return judge_inverse(rescaled_norm, a, n).trusted();
}

}  // namespace matinv
