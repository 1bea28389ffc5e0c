#include "inversion/row_rescaling.h"

#include <algorithm>
#include <cmath>

#include "inversion/inverse_trust.h"
#include "inversion/inversion.h"

namespace matinv {
namespace {

// The exponent of the power of two that brings the largest magnitude of row
// i, not all zeros, into [1, 2): positive for a row of small entries, and 0
// for a row holding an infinity or not-a-number, which is left as it is.
int row_exponent(const Matrix& a0, int n, int i) {
    double largest = 0.0;
    for (int j = 0; j < n; ++j) {
        const double magnitude = std::fabs(a0[i][j]);
        if (!std::isfinite(magnitude)) {
            return 0;
        }
        largest = std::max(largest, magnitude);
    }
    // ilogb(0) is INT_MIN, which has no negation.
    return largest == 0.0 ? 0 : -std::ilogb(largest);
}

}  // namespace

SmallRows small_rows_to_blame(const Matrix& a0, int n) {
    if (n <= 0 || n > kMaxOrder) {
        return {};
    }
    // No scale gives a zero row an inverse. Checking first also keeps a long
    // stream of such matrices from paying for a second inversion.
    for (int i = 0; i < n; ++i) {
        int j = 0;
        while (j < n && a0[i][j] == 0.0) {
            ++j;
        }
        if (j == n) {
            return {};
        }
    }
    // Rows of entries of 1 or more are divided by their largest entry, or by
    // 1, when the rows are scaled: only rows of small entries can hold the
    // diagonal under the threshold merely for their size.
    int exponents[kMaxOrder];
    SmallRows small;
    for (int i = 0; i < n; ++i) {
        exponents[i] = row_exponent(a0, n, i);
        if (exponents[i] > 0) {
            small.rows[small.count++] = i;
        }
    }
    if (small.count == 0) {
        return small;
    }
    Matrix a{};
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            a[i][j] = std::ldexp(a0[i][j], exponents[i]);
        }
        a[i][n + i] = 1.0;
    }
    const double rescaled_norm = one_norm(a, n, 0);
    const bool trusted =
        invert(a, n) == Outcome::success && judge_inverse(rescaled_norm, a, n).trusted();
    return trusted ? small : SmallRows{};
}

}  // namespace matinv
