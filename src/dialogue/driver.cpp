#include "dialogue/driver.h"

#include <string_view>

#include "dialogue/input_reader.h"
#include "dialogue/output_buffer.h"
#include "dialogue/report.h"
#include "dialogue/row_prompts.h"
#include "dialogue/short_number.h"
#include "dialogue/shown_text.h"
#include "dialogue/step_trace.h"
#include "inversion/inverse_trust.h"
#include "inversion/inversion.h"
#include "inversion/row_rescaling.h"
#include "inversion/working_matrices.h"

namespace matinv {
namespace {

constexpr std::string_view kOrderPrompt = "INPUT ORDER OF SQUARE MATRIX: ";
constexpr std::string_view kNoInverse = "\nINVERSE MATRIX NOT EXIST!!\n";

// One line on the error stream, after all pending output, so that the line
// follows the prompt it answers.
class Complaint {
public:
    explicit Complaint(OutputBuffer& out, Sink& errors) : out_(out), line_(errors) {}

    Complaint& operator<<(std::string_view text) {
        line_.put(text);
        return *this;
    }
    Complaint& operator<<(int number) {
        line_.put_count(number);
        return *this;
    }
    // Ends a warning or a note, which leave the exit status alone.
    void end_line() {
        out_.flush();
        line_.put_char('\n');
        line_.flush();
    }
    // Ends an error, which ends the run with status 1.
    int end() {
        end_line();
        return 1;
    }

private:
    OutputBuffer& out_;
    OutputBuffer line_;
};

int complain_about_order(OutputBuffer& out, Sink& errors, ReadStatus status, const char* text) {
    Complaint complaint(out, errors);
    complaint << "matinv: ";
    if (status == ReadStatus::ended) {
        complaint << "input ended while reading the order";
    } else {
        complaint << "expected the order, a whole number, but found " << text;
    }
    return complaint.end();
}

int complain_about_entry(OutputBuffer& out, Sink& errors, ReadStatus status, const char* text,
                         int i, int j) {
    Complaint complaint(out, errors);
    complaint << "matinv: ";
    if (status == ReadStatus::ended) {
        complaint << "input ended while reading entry a";
    } else {
        complaint << "expected a number for entry a";
    }
    complaint << i + 1 << j + 1 << " (row " << i + 1 << ", column " << j + 1 << ")";
    if (status == ReadStatus::not_a_number) {
        complaint << ", but found " << text;
    }
    return complaint.end();
}

int complain_about_capacity(OutputBuffer& out, Sink& errors, const char* text) {
    Complaint complaint(out, errors);
    complaint << "matinv: order " << text << " is above the limit of " << kMaxOrder;
    return complaint.end();
}

bool is_space(int c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// "2.0" as an order is 2 followed by ".0": the reading stands, but the user
// most likely meant something else.
void warn_if_order_runs_on(OutputBuffer& out, Sink& errors, InputReader& reader, int order) {
    const int next = reader.peek_next();
    if (next == -1 || is_space(next)) {
        return;
    }
    const ShownText rest = shown_text_ahead(reader);
    Complaint complaint(out, errors);
    complaint << "matinv: warning: the order " << reader.last_text() << " runs straight into "
              << rest.view() << "; it was read as " << order << ", and " << rest.view();
    // An order of 0 or less asks for no entries: its report ends the run.
    complaint << (order > 0 ? " is left for the next read" : " is not read");
    complaint.end_line();
}

// At most one line, the first reason that applies.
void warn_if_untrusted(OutputBuffer& out, Sink& errors, const WorkingMatrices& m) {
    const InverseTrust trust = judge_inverse(one_norm(m.a0, m.n, 0), m.a, m.n);
    if (trust.trusted()) {
        return;
    }
    Complaint complaint(out, errors);
    complaint << "matinv: warning: [B] cannot be trusted: ";
    if (!trust.finite) {
        complaint << "it holds infinite or not-a-number entries";
    } else {
        complaint << "the matrix is singular to working precision (rcond = "
                  << ShortNumber(trust.rcond, 2).view() << ", below "
                  << ShortNumber(kWorkingPrecision, 2).view() << ")";
    }
    complaint.end_line();
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
    Complaint complaint(out, errors);
    complaint << "matinv: note: the matrix has an inverse, and was refused only for the small "
                 "entries of "
              << (count == 1 ? "row " : "rows ");
    for (int k = 0; k < count; ++k) {
        if (k > 0) {
            complaint << (k + 1 == count ? " and " : ", ");
        }
        complaint << small_rows[k] + 1;
    }
    complaint.end_line();
}

// The trace goes on the error stream after everything the attempt has
// written, and the inversion writes nothing on the output stream.
Outcome invert_with_trace(OutputBuffer& out, Sink& errors, WorkingMatrices& m, int attempt) {
    out.flush();
    StepTrace trace(errors, attempt);
    const Outcome outcome = invert(m.a, m.n, &trace);
    trace.finish();
    return outcome;
}

int finish(OutputBuffer& out, Sink& errors) {
    if (out.flush()) {
        return 0;
    }
    OutputBuffer line(errors);
    line.put("matinv: standard output could not be written\n");
    line.flush();
    return 1;
}

}  // namespace

int run_dialogue(Source& in, Sink& out_sink, Sink& errors, const DialogueOptions& options) {
    OutputBuffer out(out_sink);
    InputReader reader(in, out);
    WorkingMatrices m;

    for (int attempt = 1;; ++attempt) {
        clear(m);
        out.put(kOrderPrompt);
        Order order;
        const ReadStatus order_status = reader.read_order(order);
        if (order_status != ReadStatus::ok) {
            return complain_about_order(out, errors, order_status, reader.last_text());
        }
        if (order.too_large || order.value > kMaxOrder) {
            return complain_about_capacity(out, errors, reader.last_text());
        }
        m.n = order.value;
        warn_if_order_runs_on(out, errors, reader, m.n);

        for (int i = 0; i < m.n; ++i) {
            out.put(kRowPrompts.get(m.n, i));
            for (int j = 0; j < m.n; ++j) {
                double x = 0.0;
                const ReadStatus status = reader.read_entry(x);
                if (status != ReadStatus::ok) {
                    return complain_about_entry(out, errors, status, reader.last_text(), i, j);
                }
                store_entry(m, i, j, x);
            }
            seed_identity(m, i);
        }

        const Outcome outcome =
            options.steps ? invert_with_trace(out, errors, m, attempt) : invert(m.a, m.n);
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
