#include "dialogue/exact_report.h"

#include <string>

#include "exact/exact_product.h"
#include "exact/rational_text.h"

namespace matinv {
namespace {

// Exact numbers can run to hundreds of digits, more than the output buffer
// lends in place, so each is written into text of its own first.
void put_row(OutputBuffer& out, const Rational* row, int count, std::string& text) {
    for (int j = 0; j < count; ++j) {
        text.resize(rational_text_room(row[j]));
        text.resize(static_cast<std::size_t>(write_rational(text.data(), row[j]) - text.data()));
        out.put(text);
        out.put_char('\t');
    }
    out.put_char('\n');
}

}  // namespace

void write_exact_report(OutputBuffer& out, const ExactMatrices& m, const Rational& determinant) {
    const int n = m.n;
    std::string text;
    out.put("\n[A]=\n");
    for (int i = 0; i < n; ++i) {
        put_row(out, m.a0[i], n, text);
    }
    out.put("\n[B]=\n");
    for (int i = 0; i < n; ++i) {
        put_row(out, m.a[i] + n, n, text);
    }
    // Again with a0, the matrix as entered, never the reduced left half of a.
    out.put("\n[A][B]=\n");
    ExactProduct product(m.a, n, n);
    Rational row[kMaxOrder];
    for (int i = 0; i < n; ++i) {
        product.row(m.a0[i], row);
        put_row(out, row, n, text);
    }
    out.put("\ndet[A]=\n");
    put_row(out, &determinant, 1, text);
}

}  // namespace matinv
