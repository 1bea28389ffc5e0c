#include "trace/step_trace.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "inversion/inversion.h"
#include "numbers/append.h"
#include "numbers/bounded_line.h"
#include "trace/trace_layout.h"

#if MATINV_EXACT_ARITHMETIC
#include "exact/rational.h"
#include "exact/rational_text.h"
#endif

namespace matinv {
namespace {

// How the trace writes a number, in a sentence and in the matrix, and how
// long the matrix's text of it is.
Shortest in_sentence(double value) { return shortest(value, 10); }
Fixed10 in_matrix(double value) { return fixed10(value); }
int matrix_text_length(double value) {
    char text[kLongestFixed10];
    return static_cast<int>(write_fixed10(text, value) - text);
}
bool is_negative(double value) { return std::signbit(value); }

// Room for the longest sentence, three numbers and an attempt's count in it.
constexpr std::size_t kLongestSentence = 256;

#if MATINV_EXACT_ARITHMETIC
// Exact numbers are written whole in both places, however long.
struct RationalText {
    const Rational& value;
};
template <Room Buffer>
void append_part(Buffer& out, RationalText number) {
    out.put(rational_text(number.value));
}
RationalText in_sentence(const Rational& value) { return {value}; }
bool is_negative(const Rational& value) { return mpq_sgn(value.get()) < 0; }

// A sentence that holds its exact numbers whole, however many digits they
// have: cutting one would show a wrong number.
class GrowingLine {
public:
    std::string_view text() const { return text_; }
    void put(std::string_view text) { text_.append(text); }
    char* room(std::size_t size) {
        const std::size_t used = text_.size();
        text_.resize(used + size);
        return text_.data() + used;
    }
    void commit(const char* end) { text_.resize(static_cast<std::size_t>(end - text_.data())); }

private:
    std::string text_;
};
#endif

// The matrix's numbers as the trace writes them, with the length of each
// text for the column widths, each written with its tab.
template <class Number>
class MatrixTexts {
public:
    MatrixTexts(const BasicMatrix<Number>& a, int /*n*/, bool /*widths_needed*/) : a_(a) {}
    int length(int i, int j) const { return matrix_text_length(a_[i][j]); }
    void append_to(OutputBuffer& out, int i, int j) const {
        append(out, in_matrix(a_[i][j]), '\t');
    }

private:
    const BasicMatrix<Number>& a_;
};

#if MATINV_EXACT_ARITHMETIC
// Converting a long fraction to decimal costs far more than writing it out,
// so at a terminal, where the widths need every text first, each is
// converted once and kept until it is written.
template <>
class MatrixTexts<Rational> {
public:
    MatrixTexts(const BasicMatrix<Rational>& a, int n, bool widths_needed) : a_(a), n_(n) {
        for (int i = 0; widths_needed && i < n; ++i) {
            for (int j = 0; j < 2 * n; ++j) {
                kept_.push_back(rational_text(a[i][j]));
            }
        }
    }
    int length(int i, int j) const { return static_cast<int>(kept_[index(i, j)].size()); }
    void append_to(OutputBuffer& out, int i, int j) const {
        if (kept_.empty()) {
            append(out, RationalText{a_[i][j]}, '\t');
        } else {
            append(out, kept_[index(i, j)], '\t');
        }
    }

private:
    std::size_t index(int i, int j) const {
        return static_cast<std::size_t>(i) * static_cast<std::size_t>(2 * n_) +
               static_cast<std::size_t>(j);
    }

    const BasicMatrix<Rational>& a_;
    int n_ = 0;
    std::vector<std::string> kept_;
};
#endif

// Doubles keep to a line in place, so that the default mode allocates
// nothing.
template <class Number>
struct SentenceFor {
    using Type = BoundedLine<kLongestSentence>;
};
#if MATINV_EXACT_ARITHMETIC
template <>
struct SentenceFor<Rational> {
    using Type = GrowingLine;
};
#endif

}  // namespace

template <class Number>
BasicStepTrace<Number>::BasicStepTrace(OutputBuffer& out, std::uint64_t attempt, int columns,
                                       bool opens_stream)
    : out_(out), attempt_(attempt), columns_(columns), opens_stream_(opens_stream) {}

template <class Number>
bool BasicStepTrace<Number>::finish() {
    return out_.flush();
}

// Sentences end their lines. At a terminal they are broken to fit it;
// elsewhere they are written as they are, however long.
template <class Number>
template <class... Parts>
void BasicStepTrace<Number>::say(const Parts&... parts) {
    if (columns_ <= 0) {
        append(out_, parts...);
        return;
    }
    typename SentenceFor<Number>::Type sentence;
    append(sentence, parts...);
    write_wrapped(out_, sentence.text(), columns_);
}

template <class Number>
void BasicStepTrace<Number>::put_matrix(const Augmented& a, int n) {
    const MatrixTexts<Number> texts(a, n, columns_ > 0);
    int widths[kColumns] = {};
    for (int j = 0; columns_ > 0 && j < 2 * n; ++j) {
        for (int i = 0; i < n; ++i) {
            widths[j] = std::max(widths[j], tabbed_width(texts.length(i, j)));
        }
    }
    const ColumnBlocks blocks = split_into_blocks(widths, 2 * n, columns_);
    for (int k = 0, first = 0; k < blocks.count; first = blocks.ends[k++]) {
        const int end = blocks.ends[k];
        if (blocks.count > 1 && end - first == 1) {
            say("Column ", end, ":\n");
        } else if (blocks.count > 1) {
            say("Columns ", first + 1, end - first == 2 ? " and " : " through ", end, ":\n");
        }
        for (int i = 0; i < n; ++i) {
            for (int j = first; j < end; ++j) {
                texts.append_to(out_, i, j);
            }
            append(out_, '\n');
        }
    }
}

template <class Number>
void BasicStepTrace<Number>::seeded(const Augmented& a, int n) {
    say(opens_stream_ ? "" : "\n", "--- steps for matrix ", attempt_, ", order ", n,
        ": each row is the entered row, then the identity's row\n");
    put_matrix(a, n);
}

template <class Number>
void BasicStepTrace<Number>::row_scaled(int i, Value s) {
    if (i == 0) {
        say("\nrow scaling, each row divided by its scale divisor:\n");
    }
    say("  row ", i + 1, " / ", in_sentence(s), '\n');
}

template <class Number>
void BasicStepTrace<Number>::scaling_done(const Augmented& a, int n) {
    put_matrix(a, n);
}

template <class Number>
void BasicStepTrace<Number>::column_started(Phase phase, int j) {
    const bool forward = phase == Phase::forward;
    say(forward ? "\nforward phase, column " : "\nbackward phase, column ", j + 1, ":\n");
    exchange_pending_ = forward;
}

template <class Number>
void BasicStepTrace<Number>::note_missing_exchange() {
    if (exchange_pending_) {
        say("  no rows exchanged\n");
        exchange_pending_ = false;
    }
}

template <class Number>
void BasicStepTrace<Number>::rows_exchanged(int upper) {
    exchange_pending_ = false;
    say("  rows ", upper + 1, " and ", upper + 2, " exchanged\n");
}

// The pivot's column is p in both phases.
template <class Number>
void BasicStepTrace<Number>::row_replaced(int r, int p, Value ratio) {
    note_missing_exchange();
    const bool negative = is_negative(ratio);
    say("  row ", r + 1, " := row ", p + 1, " - ", negative ? "(" : "", in_sentence(ratio),
        negative ? ")" : "", " * row ", r + 1, ", ratio = (", p + 1, ',', p + 1, ") / (", r + 1,
        ',', p + 1, ")\n");
}

template <class Number>
void BasicStepTrace<Number>::row_kept(int r, int j) {
    note_missing_exchange();
    say("  row ", r + 1, " unchanged: its entry in column ", j + 1, " is 0\n");
}

template <class Number>
void BasicStepTrace<Number>::column_done(const Augmented& a, int n) {
    note_missing_exchange();
    put_matrix(a, n);
}

template <class Number>
void BasicStepTrace<Number>::singularity_tested(int smallest_row, Value smallest, bool singular) {
    const std::string_view verdict = singular ? ": no inverse\n" : ": the inversion goes on\n";
    if constexpr (std::is_same_v<Number, double>) {
        say("\nsingularity test: the smallest diagonal magnitude is ", in_sentence(smallest),
            ", in row ", smallest_row + 1, singular ? ", below " : ", not below ",
            in_sentence(kSingularityThreshold), verdict);
    } else {
        // Nothing is rounded: only an exact 0 means no inverse.
        say("\nsingularity test: the smallest diagonal magnitude is ", in_sentence(smallest),
            ", in row ", smallest_row + 1, singular ? "" : ", not 0", verdict);
    }
}

template <class Number>
void BasicStepTrace<Number>::row_divided_by_diagonal(int i, Value d) {
    if (i == 0) {
        say("\nfinal division, each row divided by its diagonal entry:\n");
    }
    say("  row ", i + 1, " / ", in_sentence(d), '\n');
}

template <class Number>
void BasicStepTrace<Number>::final_division_done(const Augmented& a, int n) {
    put_matrix(a, n);
}

template class BasicStepTrace<double>;
#if MATINV_EXACT_ARITHMETIC
template class BasicStepTrace<Rational>;
#endif

}  // namespace matinv
