#include "trace/step_trace.h"

#include <cmath>
#include <string_view>

#include "inversion/inversion.h"
#include "numbers/buffered_numbers.h"
#include "trace/column_blocks.h"

namespace matinv {
namespace {

constexpr int kSentenceDigits = 10;

}  // namespace

StepTrace::StepTrace(OutputBuffer& out, std::uint64_t attempt, int columns)
    : out_(out), attempt_(attempt), columns_(columns) {}

bool StepTrace::finish() { return out_.flush(); }

void StepTrace::put_number(double value) { put_shortest(out_, value, kSentenceDigits); }

void StepTrace::put_row(int i) {
    out_.put("row ");
    put_integer(out_, i + 1);
}

// Columns are counted from 1, as in the sentences.
void StepTrace::put_block_heading(int first, int end) {
    if (end - first == 1) {
        out_.put("Column ");
    } else {
        out_.put("Columns ");
        put_integer(out_, first + 1);
        out_.put(end - first == 2 ? " and " : " through ");
    }
    put_integer(out_, end);
    out_.put(":\n");
}

void StepTrace::put_matrix(const Matrix& a, int n) {
    const ColumnBlocks blocks = split_into_blocks(a, n, 2 * n, columns_);
    if (blocks.count <= 1) {
        for (int i = 0; i < n; ++i) {
            put_fixed10_row(out_, a[i], 2 * n);
        }
        return;
    }
    for (int k = 0, first = 0; k < blocks.count; first = blocks.ends[k++]) {
        put_block_heading(first, blocks.ends[k]);
        for (int i = 0; i < n; ++i) {
            put_fixed10_row(out_, a[i] + first, blocks.ends[k] - first);
        }
    }
}

void StepTrace::seeded(const Matrix& a, int n) {
    out_.put("\n--- steps for matrix ");
    put_integer(out_, attempt_);
    out_.put(", order ");
    put_integer(out_, n);
    out_.put(": each row is the entered row, then the identity's row\n");
    put_matrix(a, n);
}

void StepTrace::put_division(int i, double divisor, std::string_view heading) {
    if (i == 0) {
        out_.put(heading);
    }
    out_.put("  ");
    put_row(i);
    out_.put(" / ");
    put_number(divisor);
    out_.put_char('\n');
}

void StepTrace::row_scaled(int i, double s) {
    put_division(i, s, "\nrow scaling, each row divided by its scale divisor:\n");
}

void StepTrace::scaling_done(const Matrix& a, int n) { put_matrix(a, n); }

void StepTrace::column_started(bool forward, int j) {
    out_.put(forward ? "\nforward phase, column " : "\nbackward phase, column ");
    put_integer(out_, j + 1);
    out_.put(":\n");
    exchange_pending_ = forward;
}

void StepTrace::note_missing_exchange() {
    if (exchange_pending_) {
        out_.put("  no rows exchanged\n");
        exchange_pending_ = false;
    }
}

void StepTrace::rows_exchanged(int upper) {
    exchange_pending_ = false;
    out_.put("  rows ");
    put_integer(out_, upper + 1);
    out_.put(" and ");
    put_integer(out_, upper + 2);
    out_.put(" exchanged\n");
}

void StepTrace::row_replaced(int r, int p, double ratio) {
    note_missing_exchange();
    out_.put("  ");
    put_row(r);
    out_.put(" := ");
    put_row(p);
    out_.put(" - ");
    if (std::signbit(ratio)) {
        out_.put_char('(');
        put_number(ratio);
        out_.put_char(')');
    } else {
        put_number(ratio);
    }
    out_.put(" * ");
    put_row(r);
    // The pivot's column is p in both phases.
    out_.put(", ratio = (");
    put_integer(out_, p + 1);
    out_.put_char(',');
    put_integer(out_, p + 1);
    out_.put(") / (");
    put_integer(out_, r + 1);
    out_.put_char(',');
    put_integer(out_, p + 1);
    out_.put(")\n");
}

void StepTrace::row_kept(int r, int j) {
    note_missing_exchange();
    out_.put("  ");
    put_row(r);
    out_.put(" unchanged: its entry in column ");
    put_integer(out_, j + 1);
    out_.put(" is 0\n");
}

void StepTrace::column_done(const Matrix& a, int n) {
    note_missing_exchange();
    put_matrix(a, n);
}

void StepTrace::singularity_tested(int smallest_row, double smallest, bool singular) {
    out_.put("\nsingularity test: the smallest diagonal magnitude is ");
    put_number(smallest);
    out_.put(", in ");
    put_row(smallest_row);
    out_.put(singular ? ", below " : ", not below ");
    put_number(kSingularityThreshold);
    out_.put(singular ? ": no inverse\n" : ": the inversion goes on\n");
}

void StepTrace::row_divided_by_diagonal(int i, double d) {
    put_division(i, d, "\nfinal division, each row divided by its diagonal entry:\n");
}

void StepTrace::final_division_done(const Matrix& a, int n) { put_matrix(a, n); }

}  // namespace matinv
