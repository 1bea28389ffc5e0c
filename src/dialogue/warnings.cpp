#include "dialogue/warnings.h"

#include <algorithm>
#include <span>
#include <string_view>

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

void warn_that_entry_runs_on(Diagnostics& diagnostics, InputReader& reader, const Wanted& wanted,
                             double value) {
    const ShownText rest = reader.text_ahead();
    diagnostics.tell(
        entry_runs_on(reader.place(), wanted, reader.last_text().view(), rest.view(), value));
}

// A number that runs on has had its warning, which says where the rest goes.
void note_if_more_numbers_typed(Diagnostics& diagnostics, InputReader& reader, const Wanted& after,
                                const Wanted& next) {
    const std::string_view typed = reader.more_numbers_on_line();
    if (typed.empty() || reader.runs_on()) {
        return;
    }
    const bool several = std::any_of(
        typed.begin(), typed.end(), [](char c) { return is_space(static_cast<unsigned char>(c)); });
    diagnostics.tell(more_numbers_typed(ShownText(typed).view(), several, after, next));
}

// The run-on of an order of 0 or less has been told not to be read.
void note_if_input_left(Diagnostics& diagnostics, InputReader& reader, int order) {
    if ((order <= 0 && reader.runs_on()) || !reader.input_left()) {
        return;
    }
    diagnostics.tell(input_left_unread(reader.place(), reader.last_text().view()));
}

void warn_if_untrusted(Diagnostics& diagnostics, const WorkingMatrices& m) {
    const InverseTrust trust = judge_inverse(one_norm(m.a0, m.n, 0), m.a, m.n);
    if (!trust.trusted()) {
        diagnostics.tell(untrusted_inverse(trust));
    }
}

// The rows of small entries are the ones that the absolute singularity
// threshold holds against the matrix; the rescaling check finds them.
void note_if_refused_for_row_size(Diagnostics& diagnostics, const WorkingMatrices& m) {
    const SmallRows small = refused_for_row_size(m.a0, m.n);
    if (small.count == 0) {
        return;
    }
    diagnostics.tell(
        refused_for_row_size(std::span<const int>(small.rows, static_cast<std::size_t>(small.count))));
}

}  // namespace matinv
