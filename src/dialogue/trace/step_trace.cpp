#include "trace/step_trace.h"

#include <cmath>
#include <cstddef>

#include "inversion/inversion.h"
#include "numbers/append.h"
#include "numbers/bounded_line.h"
#include "trace/column_blocks.h"
#include "trace/wrapped_lines.h"

namespace matinv {
namespace {

// How the trace writes a number, in a sentence and in the matrix: an exact
// trace would give its own numbers these two forms.
Shortest in_sentence(double value) { return shortest(value, 10); }
Fixed10 in_matrix(double value) { return fixed10(value); }

// Room for the longest sentence, three numbers and an attempt's count in it.
constexpr std::size_t kLongestSentence = 256;

}  // namespace

StepTrace::StepTrace(OutputBuffer& out, std::uint64_t attempt, int columns)
    : out_(out), attempt_(attempt), columns_(columns) {}

bool StepTrace::finish() { return out_.flush(); }

// Sentences end their lines. At a terminal they are broken to fit it;
// elsewhere they are written as they are, however long.
template <class... Parts>
void StepTrace::say(const Parts&... parts) {
    if (columns_ <= 0) {
        append(out_, parts...);
        return;
    }
    BoundedLine<kLongestSentence> sentence;
    append(sentence, parts...);
    write_wrapped(out_, sentence.text(), columns_);
}

void StepTrace::put_matrix(const Matrix& a, int n) {
    const ColumnBlocks blocks = split_into_blocks(a, n, 2 * n, columns_);
    for (int k = 0, first = 0; k < blocks.count; first = blocks.ends[k++]) {
        const int end = blocks.ends[k];
        if (blocks.count > 1 && end - first == 1) {
            say("Column ", end, ":\n");
        } else if (blocks.count > 1) {
            say("Columns ", first + 1, end - first == 2 ? " and " : " through ", end, ":\n");
        }
        for (int i = 0; i < n; ++i) {
            for (int j = first; j < end; ++j) {
                append(out_, in_matrix(a[i][j]), '\t');
            }
            append(out_, '\n');
        }
    }
}

void StepTrace::seeded(const Matrix& a, int n) {
    say("\n--- steps for matrix ", attempt_, ", order ", n,
        ": each row is the entered row, then the identity's row\n");
    put_matrix(a, n);
}

void StepTrace::row_scaled(int i, double s) {
    if (i == 0) {
        say("\nrow scaling, each row divided by its scale divisor:\n");
    }
    say("  row ", i + 1, " / ", in_sentence(s), '\n');
}

void StepTrace::scaling_done(const Matrix& a, int n) { put_matrix(a, n); }

void StepTrace::column_started(bool forward, int j) {
    say(forward ? "\nforward phase, column " : "\nbackward phase, column ", j + 1, ":\n");
    exchange_pending_ = forward;
}

void StepTrace::note_missing_exchange() {
    if (exchange_pending_) {
        say("  no rows exchanged\n");
        exchange_pending_ = false;
    }
}

void StepTrace::rows_exchanged(int upper) {
    exchange_pending_ = false;
    say("  rows ", upper + 1, " and ", upper + 2, " exchanged\n");
}

// The pivot's column is p in both phases.
void StepTrace::row_replaced(int r, int p, double ratio) {
    note_missing_exchange();
    const bool negative = std::signbit(ratio);
    say("  row ", r + 1, " := row ", p + 1, " - ", negative ? "(" : "", in_sentence(ratio),
        negative ? ")" : "", " * row ", r + 1, ", ratio = (", p + 1, ',', p + 1, ") / (", r + 1,
        ',', p + 1, ")\n");
}

void StepTrace::row_kept(int r, int j) {
    note_missing_exchange();
    say("  row ", r + 1, " unchanged: its entry in column ", j + 1, " is 0\n");
}

void StepTrace::column_done(const Matrix& a, int n) {
    note_missing_exchange();
    put_matrix(a, n);
}

void StepTrace::singularity_tested(int smallest_row, double smallest, bool singular) {
    say("\nsingularity test: the smallest diagonal magnitude is ", in_sentence(smallest),
        ", in row ", smallest_row + 1, singular ? ", below " : ", not below ",
        in_sentence(kSingularityThreshold),
        singular ? ": no inverse\n" : ": the inversion goes on\n");
}

void StepTrace::row_divided_by_diagonal(int i, double d) {
    if (i == 0) {
        say("\nfinal division, each row divided by its diagonal entry:\n");
    }
    say("  row ", i + 1, " / ", in_sentence(d), '\n');
}

void StepTrace::final_division_done(const Matrix& a, int n) { put_matrix(a, n); }

}  // namespace matinv
