#include "dialogue/warnings.h"

#include <span>

#include "dialogue/messages.h"
#include "dialogue/shown_text.h"
#include "inversion/inverse_trust.h"
#include "inversion/row_rescaling.h"

namespace matinv {

void warn_if_order_runs_on(Diagnostics& diagnostics, InputReader& reader, int order) {
    if (!reader.runs_on()) {
        return;
    }
    const ShownText rest = reader.text_ahead();
    diagnostics.tell(order_runs_on(reader.last_text().view(), rest.view(), order));
}

void warn_if_untrusted(Diagnostics& diagnostics, const WorkingMatrices& m) {
    const InverseTrust trust = judge_inverse(one_norm(m.a0, m.n, 0), m.a, m.n);
    if (!trust.trusted()) {
        diagnostics.tell(untrusted_inverse(trust));
    }
}

// The rows whose entries are all below 1 in magnitude are the ones that the
// absolute singularity threshold holds against the matrix; there is at
// least one whenever the rescaled copy is inverted.
void note_if_refused_for_row_size(Diagnostics& diagnostics, const WorkingMatrices& m) {
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
    const std::span<const int> rows(small_rows, static_cast<std::size_t>(count));
    diagnostics.tell(refused_for_row_size(rows));
}

}  // namespace matinv
