#include "inversion/working_matrices.h"

#include <cstring>

namespace matinv {

void clear(WorkingMatrices& m) {
    std::memset(m.a, 0, sizeof m.a);  // all bits 0 is +0.0
    std::memset(m.a0, 0, sizeof m.a0);
}

void seed_identity(WorkingMatrices& m, int i) { m.a[i][m.n + i] = 1.0; }

}  // namespace matinv
