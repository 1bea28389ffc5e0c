#include "dialogue/report.h"

namespace matinv {
namespace {

void write_number(OutputBuffer& out, double value) {
    out.put_fixed10(value);
    out.put_char('\t');
}

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
        for (int j = 0; j < n; ++j) {
            write_number(out, m.a0[i][j]);
        }
        out.put_char('\n');
    }
    out.put("\n[B]=\n");
    for (int i = 0; i < n; ++i) {
        for (int j = n; j < 2 * n; ++j) {
            write_number(out, m.a[i][j]);
        }
        out.put_char('\n');
    }
    out.put("\n[A][B]=\n");
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            write_number(out, product_entry(m, i, j));
        }
        out.put_char('\n');
    }
}

}  // namespace matinv
