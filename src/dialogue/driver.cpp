#include "dialogue/driver.h"

#include <cstdint>
#include <optional>
#include <string_view>

#include "dialogue/diagnostics.h"
#include "dialogue/input_reader.h"
#include "dialogue/messages.h"
#include "dialogue/report.h"
#include "dialogue/row_prompts.h"
#include "dialogue/warnings.h"
#include "inversion/inversion.h"
#include "inversion/working_matrices.h"
#include "io/output_buffer.h"
#include "trace/step_trace.h"

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

// At a terminal, a typo or an order too large is said, and its question
// asked again, once everything typed or pasted ahead is dropped: the rest of
// a paste cannot answer it, and its echo is over before the line is written.
// Elsewhere, and for a fault that asking again cannot mend, the run ends.
// Returns whether to ask again.
bool ask_again(DialogueState& state, const MessageLine& fault, bool mistyped) {
    if (!mistyped || !state.reader.at_terminal() || state.out.failed()) {
        state.diagnostics.fail(fault);
        return false;
    }
    state.reader.drop_typed_ahead();
    state.diagnostics.forgive(fault);
    return true;
}

// Asks for the order until the matrices can hold it; false when the run
// ends instead.
bool read_order(DialogueState& state, std::uint64_t attempt) {
    for (;;) {
        state.out.put(kOrderPrompt);
        int order = 0;
        const ReadStatus status = state.reader.read_order(order);
        if (status == ReadStatus::ok && order <= kMaxOrder) {
            state.m.n = order;
            return true;
        }
        const bool too_large = status == ReadStatus::ok;
        const MessageLine fault =
            too_large ? capacity_fault(state, attempt) : read_fault(state, status, Wanted{attempt});
        if (!ask_again(state, fault, too_large || status == ReadStatus::not_a_number)) {
            return false;
        }
    }
}

// Asks for row i until all its entries are read, each one asked again
// together; false when the run ends instead.
bool read_row(DialogueState& state, std::uint64_t attempt, int i) {
    WorkingMatrices& m = state.m;
    for (;;) {
        state.out.put(kRowPrompts.get(m.n, i));
        int j = 0;
        ReadStatus status = ReadStatus::ok;
        for (; j < m.n; ++j) {
            double x = 0.0;
            status = state.reader.read_entry(x);
            if (status != ReadStatus::ok) {
                if (status != ReadStatus::runs_on) {
                    break;
                }
                warn_that_entry_runs_on(state.diagnostics, state.reader, Wanted{attempt, i, j}, x);
            }
            store_entry(m, i, j, x);
        }
        if (j == m.n) {
            return true;
        }
        if (!ask_again(state, read_fault(state, status, Wanted{attempt, i, j}),
                       status == ReadStatus::not_a_number)) {
            return false;
        }
    }
}

// The trace goes on the error stream after everything the attempt has
// written, and the inversion writes nothing on the output stream.
Outcome invert_with_trace(DialogueState& state, std::uint64_t attempt, int columns) {
    state.out.flush();
    StepTrace trace(state.trace, attempt, columns);
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
    const bool at_terminal = reader.at_terminal();

    for (std::uint64_t attempt = 1;; ++attempt) {
        // A failed write ends the run: going on would read and invert
        // input whose answers nobody can see.
        if (out.failed()) {
            diagnostics.fail(output_unwritable(out.error()));
            return;
        }
        clear(m);
        if (!read_order(state, attempt)) {
            return;
        }
        warn_if_order_runs_on(diagnostics, reader, m.n);
        if (at_terminal && m.n > 0) {
            note_if_more_numbers_typed(diagnostics, reader, Wanted{attempt}, Wanted{attempt, 0, 0});
        }

        for (int i = 0; i < m.n; ++i) {
            if (!read_row(state, attempt, i)) {
                return;
            }
            seed_identity(m, i);
            if (at_terminal && i + 1 < m.n) {
                note_if_more_numbers_typed(diagnostics, reader, Wanted{attempt, i, m.n - 1},
                                           Wanted{attempt, i + 1, 0});
            }
        }

        const Outcome outcome = options.steps
                                    ? invert_with_trace(state, attempt, options.trace_columns)
                                    : invert(m.a, m.n);
        if (outcome == Outcome::failure) {
            out.put(kNoInverse);
            note_if_refused_for_row_size(diagnostics, m);
            if (at_terminal) {
                note_if_more_numbers_typed(diagnostics, reader, Wanted{attempt, m.n - 1, m.n - 1},
                                           Wanted{attempt + 1});
            }
            continue;
        }
        write_report(out, m);
        tell_of_report(diagnostics, m);
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
