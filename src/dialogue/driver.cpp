#include "dialogue/driver.h"

#include <cstdint>
#include <optional>
#include <string_view>

#include "dialogue/diagnostics.h"
#include "dialogue/input_reader.h"
#include "dialogue/messages.h"
#include "io/output_buffer.h"
#include "dialogue/report.h"
#include "dialogue/row_prompts.h"
#include "dialogue/step_trace.h"
#include "dialogue/warnings.h"
#include "inversion/inversion.h"
#include "inversion/working_matrices.h"

namespace matinv {
namespace {

constexpr std::string_view kOrderPrompt = "INPUT ORDER OF SQUARE MATRIX: ";
constexpr std::string_view kNoInverse = "\nINVERSE MATRIX NOT EXIST!!\n";

// Everything one run works on. Its three buffers take 192 KiB,
// far more than a small stack holds, so the state lives in static storage
// and each run builds it afresh there; nothing is allocated.
struct DialogueState {
    DialogueState(Source& in, Sink& out_sink, Sink& errors)
        : out(out_sink), diagnostics(errors, &out), reader(in, out), trace(errors) {}
    OutputBuffer out;
    Diagnostics diagnostics;
    InputReader reader;
    WorkingMatrices m;
    // For --steps: tens of kilobytes for order 10. It writes on the error
    // stream, where the diagnostics find a write that failed.
    OutputBuffer trace;
};
std::optional<DialogueState> dialogue_state;

// A read that found no number. When the output has failed, that is the
// fault to name: the reader stops taking input once its prompts cannot be
// shown.
MessageLine read_fault(const DialogueState& state, ReadStatus status, const Wanted& wanted) {
    const InputReader& reader = state.reader;
    if (state.out.failed()) {
        return output_unwritable(state.out.error());
    }
    if (status == ReadStatus::unreadable) {
        return input_unreadable(reader.error());
    }
    if (status == ReadStatus::ended) {
        return input_ended(reader.place(), wanted);
    }
    return not_a_number(reader.place(), wanted, reader.last_text());
}

MessageLine capacity_fault(const DialogueState& state, std::uint64_t matrix) {
    if (state.out.failed()) {
        return output_unwritable(state.out.error());
    }
    return order_above_limit(state.reader.place(), state.reader.last_text().view(), matrix);
}

// The trace goes on the error stream after everything the attempt has
// written, and the inversion writes nothing on the output stream.
Outcome invert_with_trace(DialogueState& state, std::uint64_t attempt) {
    state.out.flush();
    StepTrace trace(state.trace, attempt);
    const Outcome outcome = invert(state.m.a, state.m.n, trace);
    trace.finish();
    return outcome;
}

// Runs attempts until one is reported or the run fails; the diagnostics
// then hold the exit status.
void converse(DialogueState& state, const DialogueOptions& options) {
    OutputBuffer& out = state.out;
    Diagnostics& diagnostics = state.diagnostics;
    InputReader& reader = state.reader;
    WorkingMatrices& m = state.m;

    for (std::uint64_t attempt = 1;; ++attempt) {
        // A failed write ends the run: going on would read and invert
        // input whose answers nobody can see.
        if (out.failed()) {
            diagnostics.fail(output_unwritable(out.error()));
            return;
        }
        clear(m);
        out.put(kOrderPrompt);
        int order = 0;
        const ReadStatus order_status = reader.read_order(order);
        if (order_status != ReadStatus::ok) {
            diagnostics.fail(read_fault(state, order_status, Wanted{attempt}));
            return;
        }
        if (order > kMaxOrder) {
            diagnostics.fail(capacity_fault(state, attempt));
            return;
        }
        m.n = order;
        warn_if_order_runs_on(diagnostics, reader, m.n);

        for (int i = 0; i < m.n; ++i) {
            out.put(kRowPrompts.get(m.n, i));
            for (int j = 0; j < m.n; ++j) {
                double x = 0.0;
                const ReadStatus status = reader.read_entry(x);
                if (status != ReadStatus::ok) {
                    if (status != ReadStatus::runs_on) {
                        diagnostics.fail(read_fault(state, status, Wanted{attempt, i, j}));
                        return;
                    }
                    warn_that_entry_runs_on(diagnostics, reader, Wanted{attempt, i, j}, x);
                }
                store_entry(m, i, j, x);
            }
            seed_identity(m, i);
        }

        const Outcome outcome =
            options.steps ? invert_with_trace(state, attempt) : invert(m.a, m.n);
        if (outcome == Outcome::failure) {
            out.put(kNoInverse);
            note_if_refused_for_row_size(diagnostics, m);
            continue;
        }
        write_report(out, m);
        warn_if_untrusted(diagnostics, m);
        note_if_input_left(diagnostics, reader, m.n);
        if (!out.flush()) {
            diagnostics.fail(output_unwritable(out.error()));
        }
        return;
    }
}

}  // namespace

int run_dialogue(Source& in, Sink& out_sink, Sink& errors, const DialogueOptions& options) {
    DialogueState& state = dialogue_state.emplace(in, out_sink, errors);
    converse(state, options);
    return state.diagnostics.exit_status();
}

}  // namespace matinv
