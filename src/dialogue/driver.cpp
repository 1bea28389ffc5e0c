#include "dialogue/driver.h"

#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>

#include "dialogue/error_line.h"
#include "dialogue/input_reader.h"
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
        : out(out_sink), reader(in, out), trace(errors) {}
    OutputBuffer out;
    InputReader reader;
    WorkingMatrices m;
    OutputBuffer trace;  // for --steps: tens of kilobytes for order 10
};
std::optional<DialogueState> dialogue_state;

int complain_about_output(OutputBuffer& out, Sink& errors) {
    ErrorLine line(out);
    line << "standard output could not be written: " << std::strerror(out.error());
    return line.end(errors);
}

// What a read was asked for: the order, or the entry in row i, column j.
struct Wanted {
    std::uint64_t matrix;  // the attempt, counted from 1
    int i = -1;
    int j = -1;
};

ErrorLine& operator<<(ErrorLine& line, const Wanted& wanted) {
    if (wanted.i < 0) {
        return line << "the order of matrix " << wanted.matrix;
    }
    return line << "entry a" << wanted.i + 1 << wanted.j + 1 << " (row " << wanted.i + 1
                << ", column " << wanted.j + 1 << ") of matrix " << wanted.matrix;
}

// A read that found no number. When the output has failed, that is the
// fault to name: the reader stops taking input once its prompts cannot be
// shown.
int complain_about_read(OutputBuffer& out, Sink& errors, const InputReader& reader,
                        ReadStatus status, const Wanted& wanted) {
    if (out.failed()) {
        return complain_about_output(out, errors);
    }
    ErrorLine line(out);
    if (status == ReadStatus::unreadable) {
        line << "standard input could not be read: " << std::strerror(reader.error());
    } else if (status == ReadStatus::ended) {
        line << reader.place() << "input ended while reading " << wanted;
    } else if (wanted.i < 0) {
        line << reader.place() << "expected " << wanted << ", a whole number, but found "
             << reader.last_text();
    } else {
        line << reader.place() << "expected a number for " << wanted << ", but found "
             << reader.last_text();
    }
    return line.end(errors);
}

int complain_about_capacity(OutputBuffer& out, Sink& errors, const InputReader& reader,
                            std::uint64_t matrix) {
    if (out.failed()) {
        return complain_about_output(out, errors);
    }
    ErrorLine line(out);
    line << reader.place() << "order " << reader.last_text() << " of matrix " << matrix
         << " is above the limit of " << kMaxOrder;
    return line.end(errors);
}

// The trace goes on the error stream after everything the attempt has
// written, and the inversion writes nothing on the output stream.
Outcome invert_with_trace(DialogueState& state, std::uint64_t attempt) {
    state.out.flush();
    StepTrace trace(state.trace, attempt);
    const Outcome outcome = invert(state.m.a, state.m.n, &trace);
    trace.finish();
    return outcome;
}

int finish(OutputBuffer& out, Sink& errors) {
    return out.flush() ? 0 : complain_about_output(out, errors);
}

}  // namespace

int run_dialogue(Source& in, Sink& out_sink, Sink& errors, const DialogueOptions& options) {
    DialogueState& state = dialogue_state.emplace(in, out_sink, errors);
    OutputBuffer& out = state.out;
    InputReader& reader = state.reader;
    WorkingMatrices& m = state.m;

    for (std::uint64_t attempt = 1;; ++attempt) {
        // A failed write ends the run: going on would read and invert
        // input whose answers nobody can see.
        if (out.failed()) {
            return complain_about_output(out, errors);
        }
        clear(m);
        out.put(kOrderPrompt);
        int order = 0;
        const ReadStatus order_status = reader.read_order(order);
        if (order_status != ReadStatus::ok) {
            return complain_about_read(out, errors, reader, order_status, Wanted{attempt});
        }
        if (order > kMaxOrder) {
            return complain_about_capacity(out, errors, reader, attempt);
        }
        m.n = order;
        warn_if_order_runs_on(out, errors, reader, m.n);

        for (int i = 0; i < m.n; ++i) {
            out.put(kRowPrompts.get(m.n, i));
            for (int j = 0; j < m.n; ++j) {
                double x = 0.0;
                const ReadStatus status = reader.read_entry(x);
                if (status != ReadStatus::ok) {
                    return complain_about_read(out, errors, reader, status, Wanted{attempt, i, j});
                }
                store_entry(m, i, j, x);
            }
            seed_identity(m, i);
        }

        const Outcome outcome =
            options.steps ? invert_with_trace(state, attempt) : invert(m.a, m.n);
        if (outcome == Outcome::failure) {
            out.put(kNoInverse);
            note_if_refused_for_row_size(out, errors, m);
            continue;
        }
        write_report(out, m);
        warn_if_untrusted(out, errors, m);
        return finish(out, errors);
    }
}

}  // namespace matinv
