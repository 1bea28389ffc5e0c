#include "dialogue/warnings.h"

#include "dialogue/error_line.h"
#include "numbers/short_number.h"
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
        line << "the matrix is singular to working precision (rcond = "
             << ShortNumber(trust.rcond, 2).view() << ", below "
             << ShortNumber(kWorkingPrecision, 2).view() << ")";
    }
    line.write(errors);
}

// The rows whose entries are all below 1 in magnitude are the ones that the
// absolute singularity threshold holds against the matrix; there is at
// least one whenever the rescaled copy is inverted.
void note_if_refused_for_row_size(OutputBuffer& out, Sink& errors, const WorkingMatrices& m) {
    const SmallRows small = refused_for_row_size(m.a0, m.n);
    const int count = small.count;
    if (count == 0) {
        return;
    }
    ErrorLine line(out);
    line << "note: the matrix has an inverse, and was refused only for the small entries of "
         << (count == 1 ? "row " : "rows ");
    for (int k = 0; k < count; ++k) {
        if (k > 0) {
            line << (k + 1 == count ? " and " : ", ");
        }
        line << small.rows[k] + 1;
    }
    line.write(errors);
}

}  // namespace matinv
