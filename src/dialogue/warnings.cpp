#include "dialogue/warnings.h"

#include "dialogue/error_line.h"
#include "numbers/number_text.h"
#include "dialogue/shown_text.h"
#include "inversion/inverse_trust.h"
#include "inversion/row_rescaling.h"

namespace matinv {

void warn_if_order_runs_on(OutputBuffer& out, Sink& errors, InputReader& reader, int order) {
    if (!reader.runs_on()) {
        return;
    }
    const ShownText rest = reader.text_ahead();
    ErrorLine line(out);
    line << "warning: the order " << reader.last_text() << " runs straight into " << rest.view()
         << "; it was read as " << order << ", and " << rest.view();
    // An order of 0 or less asks for no entries: its report ends the run.
    line << (order > 0 ? " is left for the next read" : " is not read");
    line.write(errors);
}

// At most one line, the first reason that applies.
void warn_if_untrusted(OutputBuffer& out, Sink& errors, const WorkingMatrices& m) {
    const InverseTrust trust = judge_inverse(one_norm(m.a0, m.n, 0), m.a, m.n);
    if (trust.trusted()) {
        return;
    }
    ErrorLine line(out);
    line << "warning: [B] cannot be trusted: ";
    if (!trust.finite) {
        line << "it holds infinite or not-a-number entries";
    } else {
        char rcond[kLongestShortest];
        char precision[kLongestShortest];
        line << "the matrix is singular to working precision (rcond = "
             << std::string_view(rcond, write_shortest(rcond, trust.rcond, 2)) << ", below "
             << std::string_view(precision, write_shortest(precision, kWorkingPrecision, 2))
             << ")";
    }
    line.write(errors);
}

// The rows whose entries are all below 1 in magnitude are the ones that the
// absolute singularity threshold holds against the matrix; there is at
// least one whenever the rescaled copy is inverted.
void note_if_refused_for_row_size(OutputBuffer& out, Sink& errors, const WorkingMatrices& m) {
    if (!inverts_with_rows_rescaled(m.a0, m.n)) {
        return;
    }
    int small_rows[kMaxOrder];
    int count = 0;
    for (int i = 0; i < m.n; ++i) {
        if (row_exponent(m.a0, m.n, i) > 0) {
            small_rows[count++] = i;
        }
    }
    ErrorLine line(out);
    line << "note: the matrix has an inverse, and was refused only for the small entries of "
         << (count == 1 ? "row " : "rows ");
    for (int k = 0; k < count; ++k) {
        if (k > 0) {
            line << (k + 1 == count ? " and " : ", ");
        }
        line << small_rows[k] + 1;
    }
    line.write(errors);
}

}  // namespace matinv
