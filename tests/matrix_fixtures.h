#pragma once

#include <initializer_list>
#include <vector>

#include "inversion/working_matrices.h"

namespace matinv::testing {

using Rows = std::vector<std::vector<double>>;

// Fills the working matrices as the dialogue does: cleared, then each row's
// entries followed by its identity 1.
inline void enter(WorkingMatrices& m, const Rows& rows) {
    clear(m);
    m.n = static_cast<int>(rows.size());
    for (int i = 0; i < m.n; ++i) {
        for (int j = 0; j < m.n; ++j) {
            store_entry(m, i, j, rows[i][j]);
        }
        seed_identity(m, i);
    }
}

inline WorkingMatrices entered(const Rows& rows) {
    WorkingMatrices m;
    enter(m, rows);
    return m;
}

// Row i of a, all 2n columns.
inline std::vector<double> row(const Matrix& a, int n, int i) {
    return std::vector<double>(a[i], a[i] + 2 * n);
}

}  // namespace matinv::testing
