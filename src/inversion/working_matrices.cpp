#include "inversion/working_matrices.h"

namespace matinv {

void clear(WorkingMatrices& m) {
    for (int i = 0; i < kMaxOrder; ++i) {
        for (int j = 0; j < kColumns; ++j) {
            m.a[i][j] = 0.0;
            m.a0[i][j] = 0.0;
        }
    }
}

void store_entry(WorkingMatrices& m, int i, int j, double x) {
    m.a[i][j] = x;
    m.a0[i][j] = x;
}

void seed_identity(WorkingMatrices& m, int i) { m.a[i][m.n + i] = 1.0; }

}  // namespace matinv
