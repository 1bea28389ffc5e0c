#include "dialogue/driver.h"

#include <cstdint>
#include <optional>
#include <string_view>

#include "dialogue/diagnostics.h"
#include "dialogue/input_reader.h"
#include "dialogue/messages.h"
#include "dialogue/report.h"
#include "dialogue/row_prompts.h"
#include "dialogue/typed_entries.h"
#include "dialogue/warnings.h"
#include "inversion/inversion.h"
#include "inversion/working_matrices.h"
#include "io/output_buffer.h"
#include "numbers/bounded_line.h"
#include "trace/step_trace.h"

#if MATINV_EXACT_ARITHMETIC
#include <memory>

#include "dialogue/exact_report.h"
#include "exact/exact_entry.h"
#include "exact/exact_inversion.h"
#include "exact/fraction_free_inversion.h"
#include "exact/rational_text.h"
#endif

namespace matinv {
namespace {

constexpr std::string_view kOrderPrompt = "INPUT ORDER OF SQUARE MATRIX: ";
constexpr std::string_view kNoInverse = "\nINVERSE MATRIX NOT EXIST!!\n";
constexpr int kEndedAfterRefusal = 3;

// Everything one run works on.
struct DialogueState {
    DialogueState(Source& in, Sink& out_sink, Sink& errors)
        : out(out_sink), diagnostics(errors, out), reader(in, out), trace(errors) {}
    OutputBuffer out;
    Diagnostics diagnostics;
    InputReader reader;
    WorkingMatrices m;
    // The default mode's entries as typed, beside a0.
    TypedEntries typed;
    // What the last number read for the matrix was: whether it ran on.
    Found last_found = Found::end;
    // For --steps: tens of kilobytes for order 10. It writes on the error
    // stream, where the diagnostics find a write that failed.
    OutputBuffer trace;
    bool traced = false;
    // At a terminal: the prompt for the rest of a row split over lines.
    BoundedLine<80> rest_of_row{};
};

// Whether a person types at a terminal that shows the prompts: only the
// screen needs the prompt for the rest of a row, or a prompt's line ended.
bool typed_on_screen(const DialogueState& state) {
    return state.reader.at_terminal() && state.out.is_terminal();
}

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

// Output that can no longer be written ends the input for the reader (see
// ByteCursor): the run then ends, saying so.
bool output_failed(DialogueState& state) {
    return state.out.failed() && !end_run(state, output_unwritable(state.out.error()));
}

// A read that found no number to take: Enter on an empty line asks again
// with nothing to say, text or a number running on may be a typo, and
// anything else ends the input, or the run when the output failed.
bool ask_again_after(DialogueState& state, const Token& token, const Question& question) {
    if (token.found != Found::number_running_on && output_failed(state)) {
        return false;
    }
    if (token.found == Found::empty_line) {
        return true;
    }
    const MessageLine fault = read_fault(token, state.reader.place(), question);
    const bool typo = token.found == Found::text || token.found == Found::number_running_on;
    return typo ? ask_again(state, fault) : end_run(state, fault);
}

// Asks for the order until the matrices can hold it; false when the run
// ends instead. An input that ends at the first question after a matrix
// without inverse, with nothing typed since, ends with a status of its own,
// so that a script can tell that answer from a fault in its input.
bool read_order(DialogueState& state, std::uint64_t attempt, int& n) {
    bool typed = false;  // since the prompt first showed
    for (;;) {
        state.out.put(kOrderPrompt);
        const Token& token = state.reader.read_order();
        // No order is taken once the output has failed: nothing it asks
        // for could be shown.
        if (output_failed(state)) {
            return false;
        }
        if (token.found == Found::end && attempt > 1 && !typed) {
            state.diagnostics.fail(read_fault(token, state.reader.place(), OrderQuestion{attempt}),
                                   kEndedAfterRefusal);
            return false;
        }
        typed = typed || token.found != Found::empty_line;
        if (!takes_number(state, token)) {
            if (!ask_again_after(state, token, OrderQuestion{attempt})) {
                return false;
            }
        } else if (token.order > kMaxOrder) {
            if (!ask_again(state, order_above_limit(state.reader.place(), token, attempt))) {
                return false;
            }
        } else {
            n = token.order;
            state.last_found = token.found;
            if (typed_on_screen(state)) {
                state.out.end_held_line();
            }
            if (token.found == Found::number_running_on) {
                state.diagnostics.tell(order_runs_on(token));
            }
            return true;
        }
    }
}

// On the screen, a row split over lines asks for the rest of it, from
// column j on, before waiting for the next line: "INPUT a12: ".
void ask_for_rest_of_row(DialogueState& state, int n, int i, int j) {
    state.rest_of_row.clear();
    if (j > 0 && j < n) {
        kRowPrompts.put_from_column(state.rest_of_row, n, i, j);
    }
    state.reader.prompt_while_waiting(state.rest_of_row.text());
}

// Asks for row i until all its entries are read, each one asked again
// together; false when the run ends instead.
template <class Mode>
bool read_row(DialogueState& state, Mode& mode, std::uint64_t attempt, int i) {
    const int n = mode.order();
    const bool on_screen = typed_on_screen(state);
    for (;;) {
        state.out.put(kRowPrompts.get(n, i));
        for (int j = 0;; ++j) {
            if (on_screen) {
                ask_for_rest_of_row(state, n, i, j);
            }
            const Token& token = mode.read_entry(state.reader, i, j);
            // The question is made only where it is said: made for every
            // entry, it would cost the plain run a tenth of its reading.
            if (!takes_number(state, token)) {
                if (!mode.ask_again_after(state, token, EntryQuestion{attempt, i, j})) {
                    return false;
                }
                break;
            }
            if (!mode.store(state, attempt, i, j, token)) {
                if (!ask_again(state, mode.refusal())) {
                    return false;
                }
                break;
            }
            if (j + 1 == n) {
                state.last_found = token.found;
                if (on_screen) {
                    ask_for_rest_of_row(state, n, i, n);
                    state.out.end_held_line();
                }
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
void note_if_input_left(DialogueState& state, int n) {
    if (n <= 0 && state.last_found == Found::number_running_on) {
        return;
    }
    const Token& left = state.reader.read_left_over();
    if (left.found == Found::text) {
        state.diagnostics.tell(input_left_unread(state.reader.place(), left));
    }
}

// The trace goes on the error stream after everything the attempt has
// written, and the inversion writes nothing on the output stream.
template <class Number, class Invert>
Outcome invert_with_trace(DialogueState& state, std::uint64_t attempt, int columns,
                          const Invert& invert_observed) {
    state.out.flush();
    // Nothing above it in a file: no blank line to set it apart.
    const bool opens_stream =
        !state.traced && !state.diagnostics.said_anything() && !state.trace.is_terminal();
    state.traced = true;
    BasicStepTrace<Number> trace(state.trace, attempt, columns, opens_stream);
    const Outcome outcome = invert_observed(trace);
    trace.finish();
    return outcome;
}

// The default mode: entries read as the nearest doubles, the elimination in
// double arithmetic, the report with ten decimals.
class DoubleMode {
public:
    DoubleMode(WorkingMatrices& m, TypedEntries& typed) : m_(m), typed_(typed) {}

    int& order() { return m_.n; }
    void clear() { matinv::clear(m_); }
    void seed_identity(int i) { matinv::seed_identity(m_, i); }
    const Token& read_entry(InputReader& reader, int i, int j) {
        return reader.read_entry(typed_.slot(i, j));
    }

    // Every number read is taken.
    bool store(DialogueState& state, std::uint64_t attempt, int i, int j, const Token& token) {
        if (token.found == Found::number_running_on) {
            state.diagnostics.tell(
                entry_runs_on(state.reader.place(), EntryQuestion{attempt, i, j}, token));
        }
        store_entry(m_, i, j, token.value);
        return true;
    }
    static MessageLine refusal() { return {}; }
    // The fault says what the token's value is.
    static bool ask_again_after(DialogueState& state, const Token& token,
                                const EntryQuestion& question) {
        return matinv::ask_again_after(state, token, question);
    }

    Outcome invert(DialogueState& state, std::uint64_t attempt, const DialogueOptions& options) {
        if (!options.steps) {
            return matinv::invert(m_.a, m_.n);
        }
        return invert_with_trace<double>(
            state, attempt, options.trace_columns,
            [this](InversionObserver& observer) { return matinv::invert(m_.a, m_.n, observer); });
    }
    void after_refusal(DialogueState& state) {
        note_if_refused_yet_invertible(state.diagnostics, m_);
    }
    void report(DialogueState& state) {
        write_report(state.out, m_);
        tell_of_report(state.diagnostics, m_, typed_);
    }

private:
    WorkingMatrices& m_;
    TypedEntries& typed_;
};

#if MATINV_EXACT_ARITHMETIC
// --exact: entries read as the rationals they denote, the same elimination
// in exact arithmetic, the report in fractions with the determinant.
class ExactMode {
public:
    ExactMode(ExactMatrices& m, bool steps)
        : m_(m), digit_limit_(steps ? kExactStepsDigitLimit : kExactDigitLimit), steps_(steps) {}

    int& order() { return m_.n; }
    void clear() { matinv::clear(m_); }
    void seed_identity(int i) { matinv::seed_identity(m_, i); }
    static const Token& read_entry(InputReader& reader, int /*i*/, int /*j*/) {
        return reader.read_exact_entry();
    }

    // A zero denominator or a number beyond the digit limit is refused, and
    // refusal() then says why.
    bool store(DialogueState& state, std::uint64_t attempt, int i, int j, const Token& token) {
        const EntryQuestion question{attempt, i, j};
        if (!take_value(state, question, token)) {
            return false;
        }
        if (token.found == Found::number_running_on) {
            state.diagnostics.tell(
                entry_runs_on(state.reader.place(), question, token, rational_text(value_)));
        }
        store_entry(m_, i, j, value_);
        return true;
    }
    const MessageLine& refusal() const { return refusal_; }
    // A number that runs on, at a terminal, is told as the rational it
    // would be read as, or refused as store() would refuse it.
    bool ask_again_after(DialogueState& state, const Token& token, const EntryQuestion& question) {
        if (token.found != Found::number_running_on) {
            return matinv::ask_again_after(state, token, question);
        }
        if (!take_value(state, question, token)) {
            return ask_again(state, refusal_);
        }
        return ask_again(state,
                         read_fault(token, state.reader.place(), question, rational_text(value_)));
    }

    // The one place that says which elimination runs: the trace shows the
    // steps of the elimination in rationals, so --steps runs that one; the
    // report alone is the same by either, and the fraction-free one is
    // faster by far.
    Outcome invert(DialogueState& state, std::uint64_t attempt, const DialogueOptions& options) {
        if (!options.steps) {
            return invert_without_fractions(m_.a0, m_.n, m_.a, determinant_);
        }
        return invert_with_trace<Rational>(
            state, attempt, options.trace_columns, [this](ExactObserver& observer) {
                return invert_exactly(m_.a, m_.n, determinant_, observer);
            });
    }
    static void after_refusal(DialogueState& /*state*/) {}
    void report(DialogueState& state) { write_exact_report(state.out, m_, determinant_); }

private:
    // The token's value into value_; false, with refusal() saying why, for
    // a zero denominator or a number beyond the digit limit.
    bool take_value(DialogueState& state, const EntryQuestion& question, const Token& token) {
        const ExactEntryError error = rational_from_parts(
            token.numerator, token.fraction ? &token.denominator : nullptr, value_, digit_limit_);
        if (error == ExactEntryError::none) {
            return true;
        }
        refusal_ = exact_entry_refused(state.reader.place(), question, token, refusal_of(error),
                                       static_cast<int>(digit_limit_),
                                       steps_ ? static_cast<int>(kExactDigitLimit) : 0);
        return false;
    }
    static ExactRefusal refusal_of(ExactEntryError error) {
        switch (error) {
            case ExactEntryError::numerator_too_long:
                return ExactRefusal::numerator_too_long;
            case ExactEntryError::denominator_too_long:
                return ExactRefusal::denominator_too_long;
            default:
                return ExactRefusal::zero_denominator;
        }
    }

    ExactMatrices& m_;
    std::int64_t digit_limit_;
    bool steps_;
    Rational value_;
    Rational determinant_;
    MessageLine refusal_;
};
#endif

// Runs attempts until one is reported or the run fails; the diagnostics
// then hold the exit status. Once the output has failed, the next read of
// an order finds so, and the run ends.
template <class Mode>
void converse(DialogueState& state, Mode& mode, const DialogueOptions& options) {
    OutputBuffer& out = state.out;
    Diagnostics& diagnostics = state.diagnostics;
    int& n = mode.order();
    const bool at_terminal = state.reader.at_terminal();

    for (std::uint64_t attempt = 1;; ++attempt) {
        mode.clear();
        if (!read_order(state, attempt, n)) {
            return;
        }
        if (at_terminal && n > 0) {
            note_if_more_numbers_typed(state, OrderQuestion{attempt}, EntryQuestion{attempt, 0, 0});
        }

        for (int i = 0; i < n; ++i) {
            if (!read_row(state, mode, attempt, i)) {
                return;
            }
            mode.seed_identity(i);
            if (at_terminal && i + 1 < n) {
                note_if_more_numbers_typed(state, EntryQuestion{attempt, i, n - 1},
                                           EntryQuestion{attempt, i + 1, 0});
            }
        }

        if (mode.invert(state, attempt, options) == Outcome::failure) {
            out.put(kNoInverse);
            mode.after_refusal(state);
            if (at_terminal) {
                note_if_more_numbers_typed(state, EntryQuestion{attempt, n - 1, n - 1},
                                           OrderQuestion{attempt + 1});
            }
            continue;
        }
        mode.report(state);
        note_if_input_left(state, n);
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
    DialogueState& run = state.emplace(in, out_sink, errors);
#if MATINV_EXACT_ARITHMETIC
    if (options.exact) {
        // Rationals live on the heap whatever holds them.
        const auto matrices = std::make_unique<ExactMatrices>();
        ExactMode mode(*matrices, options.steps);
        converse(run, mode, options);
        return run.diagnostics.exit_status();
    }
#endif
    DoubleMode mode(run.m, run.typed);
    converse(run, mode, options);
    return run.diagnostics.exit_status();
}

}  // namespace matinv
