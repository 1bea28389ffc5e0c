#include "dialogue/report.h"

#include "numbers/buffered_numbers.h"

namespace matinv {
namespace {

// The product uses a0, the matrix as entered, never the reduced left half of
// a, so that it shows how close the inverse comes to the identity.
double product_entry(const WorkingMatrices& m, int i, int j) {
    double p = 0.0;
    for (int k = 0; k < m.n; ++k) {
        p = m.a0[i][k] * m.a[k][m.n + j] + p;
    }
    return p;
}

}  // namespace

void write_report(OutputBuffer& out, const WorkingMatrices& m) {
    const int n = m.n;
    out.put("\n[A]=\n");
    for (int i = 0; i < n; ++i) {
        put_fixed10_row(out, m.a0[i], n);
    }
    out.put("\n[B]=\n");
    for (int i = 0; i < n; ++i) {
        put_fixed10_row(out, m.a[i] + n, n);
    }
    out.put("\n[A][B]=\n");
    for (int i = 0; i < n; ++i) {
        double row[kMaxOrder];
        for (int j = 0; j < n; ++j) {
            row[j] = product_entry(m, i, j);
        }
        put_fixed10_row(out, row, n);
    }
}

}  // namespace matinv
