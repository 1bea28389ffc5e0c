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

// Everything one run works on.
struct DialogueState {
    DialogueState(Source& in, Sink& out_sink, Sink& errors)
        : out(out_sink), diagnostics(errors, out), reader(in, out), trace(errors) {}
    OutputBuffer out;
    Diagnostics diagnostics;
    InputReader reader;
    WorkingMatrices m;
    // What the last number read for the matrix was: whether it ran on.
    Found last_found = Found::end;
    // For --steps: tens of kilobytes for order 10. It writes on the error
    // stream, where the diagnostics find a write that failed.
    OutputBuffer trace;
};

// A fault that asking again cannot mend ends the run.
bool end_run(DialogueState& state, const MessageLine& fault) {
    state.diagnostics.fail(fault);
    return false;
}

// At a terminal, a typo or an order too large is said, and its question
// asked again, once everything typed or pasted ahead is dropped: the rest of
// a paste cannot answer it, and its echo is over before the line is written.
// Elsewhere the run ends. Returns whether to ask again.
bool ask_again(DialogueState& state, const MessageLine& fault) {
    if (!state.reader.at_terminal()) {
        return end_run(state, fault);
    }
    state.reader.drop_typed_ahead();
    state.diagnostics.tell(fault);
    return true;
}

// Whether a read found a number to take. At a terminal, a number that runs
// straight into more text is a typo, as "7-1" and "2.5" are: the number a
// stream of numbers would take from it is not the one meant. Elsewhere the
// stream's rule stands, with a warning.
bool takes_number(const DialogueState& state, const Token& token) {
    return token.found == Found::number ||
           (token.found == Found::number_running_on && !state.reader.at_terminal());
}

// A read that found no number to take: Enter on an empty line asks again
// with nothing to say, text or a number running on may be a typo, and
// anything else ends the input.
bool ask_again_after(DialogueState& state, const Token& token, const Question& question) {
    if (token.found == Found::empty_line) {
        return true;
    }
    const MessageLine fault = read_fault(token, state.reader.place(), question);
    const bool typo = token.found == Found::text || token.found == Found::number_running_on;
    return typo ? ask_again(state, fault) : end_run(state, fault);
}

// Asks for the order until the matrices can hold it; false when the run
// ends instead.
bool read_order(DialogueState& state, std::uint64_t attempt) {
    for (;;) {
        state.out.put(kOrderPrompt);
        const Token& token = state.reader.read_order();
        if (!takes_number(state, token)) {
            if (!ask_again_after(state, token, OrderQuestion{attempt})) {
                return false;
            }
        } else if (token.order > kMaxOrder) {
            if (!ask_again(state, order_above_limit(state.reader.place(), token, attempt))) {
                return false;
            }
        } else {
            state.m.n = token.order;
            state.last_found = token.found;
            if (token.found == Found::number_running_on) {
                state.diagnostics.tell(order_runs_on(token));
            }
            return true;
        }
    }
}

// Asks for row i until all its entries are read, each one asked again
// together; false when the run ends instead.
bool read_row(DialogueState& state, std::uint64_t attempt, int i) {
    WorkingMatrices& m = state.m;
    for (;;) {
        state.out.put(kRowPrompts.get(m.n, i));
        for (int j = 0;; ++j) {
            const Token& token = state.reader.read_entry();
            if (!takes_number(state, token)) {
                if (!ask_again_after(state, token, EntryQuestion{attempt, i, j})) {
                    return false;
                }
                break;
            }
            if (token.found == Found::number_running_on) {
                state.diagnostics.tell(
                    entry_runs_on(state.reader.place(), EntryQuestion{attempt, i, j}, token));
            }
            store_entry(m, i, j, token.value);
            if (j + 1 == m.n) {
                state.last_found = token.found;
                return true;
            }
        }
    }
}

// At a terminal, after the last number a prompt asked for: when the typed
// line goes on with another number, which the next prompt will not show is
// already taken, the read it goes to. A number that runs on has had its
// warning, which says where the rest goes.
void note_if_more_numbers_typed(DialogueState& state, const Question& after, const Question& next) {
    const std::string_view typed = state.reader.numbers_typed_ahead();
    if (!typed.empty() && state.last_found != Found::number_running_on) {
        state.diagnostics.tell(more_numbers_typed(typed, after, next));
    }
}

// After the report: a word left, as far as can be known without waiting.
// The run-on of an order of 0 or less has been told not to be read.
void note_if_input_left(DialogueState& state) {
    if (state.m.n <= 0 && state.last_found == Found::number_running_on) {
        return;
    }
    const Token& left = state.reader.read_left_over();
    if (left.found == Found::text) {
        state.diagnostics.tell(input_left_unread(state.reader.place(), left));
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
// then hold the exit status. Once the output has failed, the next read of
// an order finds so, and the run ends.
void converse(DialogueState& state, const DialogueOptions& options) {
    OutputBuffer& out = state.out;
    Diagnostics& diagnostics = state.diagnostics;
    WorkingMatrices& m = state.m;
    const bool at_terminal = state.reader.at_terminal();

    for (std::uint64_t attempt = 1;; ++attempt) {
        clear(m);
        if (!read_order(state, attempt)) {
            return;
        }
        if (at_terminal && m.n > 0) {
            note_if_more_numbers_typed(state, OrderQuestion{attempt}, EntryQuestion{attempt, 0, 0});
        }

        for (int i = 0; i < m.n; ++i) {
            if (!read_row(state, attempt, i)) {
                return;
            }
            seed_identity(m, i);
            if (at_terminal && i + 1 < m.n) {
                note_if_more_numbers_typed(state, EntryQuestion{attempt, i, m.n - 1},
                                           EntryQuestion{attempt, i + 1, 0});
            }
        }

        const Outcome outcome = options.steps
                                    ? invert_with_trace(state, attempt, options.trace_columns)
                                    : invert(m.a, m.n);
        if (outcome == Outcome::failure) {
            out.put(kNoInverse);
            note_if_refused_for_row_size(diagnostics, m);
            if (at_terminal) {
                note_if_more_numbers_typed(state, EntryQuestion{attempt, m.n - 1, m.n - 1},
                                           OrderQuestion{attempt + 1});
            }
            continue;
        }
        write_report(out, m);
        tell_of_report(diagnostics, m);
        note_if_input_left(state);
        if (!out.flush()) {
            diagnostics.fail(output_unwritable(out.error()));
        }
        return;
    }
}

}  // namespace

int run_dialogue(Source& in, Sink& out_sink, Sink& errors, const DialogueOptions& options) {
    // Its three buffers take 192 KiB, far more than a small stack holds, so
    // the state lives in static storage and each run builds it afresh there;
    // nothing is allocated.
    static std::optional<DialogueState> state;
    converse(state.emplace(in, out_sink, errors), options);
    return state->diagnostics.exit_status();
}

}  // namespace matinv
