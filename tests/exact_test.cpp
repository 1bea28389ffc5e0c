#include <gtest/gtest.h>

#include <algorithm>
#include <iomanip>
#include <memory>
#include <string>
#include <vector>

#include "dialogue/exact_report.h"
#include "dialogue/input_reader.h"
#include "exact/digits_kept.h"
#include "exact/exact_entry.h"
#include "exact/exact_inversion.h"
#include "exact/exact_product.h"
#include "exact/fraction_free_inversion.h"
#include "exact/rational_text.h"
#include "io/output_buffer.h"
#include "support/lcg_random.h"
#include "support/memory_streams.h"
#include "support/stream_reading.h"
#include "text/shown_text.h"

namespace matinv {
namespace {

using Texts = std::vector<std::vector<std::string>>;

std::string shown(const TypedText& text) { return std::string(ShownText(text.view()).view()); }

std::string row_text(const Rational* row, int count) {
    std::string text;
    for (int j = 0; j < count; ++j) {
        text += rational_text(row[j]) + "\t";
    }
    return text + "\n";
}

// Reads every entry as the dialogue will, then inverts; the inverse's rows,
// the determinant and the whole report come back as text.
struct Typed {
    Outcome outcome;
    std::string inverse, det, report;
};

// One read of an entry as the dialogue makes it, and its value: the
// rational's text, or why it was refused.
std::string read_exactly(InputReader& reader, Rational& x) {
    const Token& token = reader.read_exact_entry();
    if (!token.is_number()) {
        return token.found == Found::end ? "end" : "text";
    }
    x = Rational::fraction(7, 1);
    std::string read;
    switch (
        rational_from_parts(token.numerator, token.fraction ? &token.denominator : nullptr, x)) {
        case ExactEntryError::none:
            read = rational_text(x);
            break;
        case ExactEntryError::zero_denominator:
            read = "denominator 0, leaving " + rational_text(x);
            break;
        case ExactEntryError::numerator_too_long:
            read = "numerator too long, leaving " + rational_text(x);
            break;
        case ExactEntryError::denominator_too_long:
            read = "denominator too long, leaving " + rational_text(x);
            break;
    }
    if (token.found == Found::number_running_on) {
        read += " running on into " + shown(token.rest);
    }
    return read;
}

// The fraction-free elimination, run in place on a copy of the entries,
// against the elimination in rationals: what it leaves that differs (the
// entries untouched after a failure), or nothing.
std::string fraction_free_differs(const ExactMatrices& m, Outcome outcome, const Rational& det) {
    auto fast = std::make_unique<ExactMatrices>();
    for (int i = 0; i < m.n; ++i) {
        std::copy(m.a0[i], m.a0[i] + m.n, fast->a[i]);
    }
    Rational fast_det;
    const Outcome fast_outcome = invert_without_fractions(fast->a, m.n, fast->a, fast_det);
    std::string differs = fast_outcome != outcome ? "outcome; " : "";
    differs += fast_det == det ? "" : "determinant " + rational_text(fast_det) + "; ";
    for (int i = 0; i < m.n; ++i) {
        const Rational* expected = outcome == Outcome::success ? m.a[i] : m.a0[i];
        const int columns = outcome == Outcome::success ? 2 * m.n : m.n;
        if (!std::equal(expected, expected + columns, fast->a[i])) {
            differs += "row " + std::to_string(i + 1) + ": " + row_text(fast->a[i], columns);
        }
    }
    return differs;
}

Typed invert_typed(ExactMatrices& m, const Texts& rows,
                   ExactObserver&& observer = ExactObserver()) {
    clear(m);
    m.n = static_cast<int>(rows.size());
    std::string typed_rows;
    for (const auto& row : rows) {
        for (const std::string& entry : row) {
            typed_rows += entry + " ";
        }
    }
    MemorySource source(typed_rows);
    MemorySink pending_sink;
    OutputBuffer pending(pending_sink);
    InputReader reader(source, pending);
    for (int i = 0; i < m.n; ++i) {
        for (int j = 0; j < m.n; ++j) {
            Rational x;
            const std::string read = read_exactly(reader, x);
            EXPECT_EQ(read, rational_text(x)) << rows[i][j];
            store_entry(m, i, j, x);
        }
        seed_identity(m, i);
    }
    Rational determinant;
    Typed typed{invert_exactly(m.a, m.n, determinant, observer), "", rational_text(determinant),
                ""};
    EXPECT_EQ(fraction_free_differs(m, typed.outcome, determinant), "") << typed_rows;
    for (int i = 0; i < m.n; ++i) {
        typed.inverse += row_text(m.a[i] + m.n, m.n);
    }
    MemorySink sink;
    OutputBuffer out(sink);
    write_exact_report(out, m, determinant);
    out.flush();
    typed.report = sink.text;
    return typed;
}

// Entries read through the dialogue's reader, whole and a few bytes at a
// time: each read's value or refusal, until the reads find no number.
TEST(Exact, EntriesRead) {
    // 1/2^498 (a denominator of 150 digits) and 1/2^499 (151) as decimals.
    const auto power = [](unsigned base, unsigned e) {
        Rational p;
        mpz_ui_pow_ui(mpq_numref(p.get()), base, e);
        return rational_text(p);
    };
    std::string halves;
    for (unsigned e : {498U, 499U}) {
        const std::string fives = power(5, e);
        halves += " 0." + std::string(e - fives.size(), '0') + fives;
    }
    const struct {
        std::string typed;
        std::string read;
    } cases[] = {
        {"47.29 0.1 2.5e-3 2.5/7", "4729/100; 1/10; 1/400; 5/14; end"},
        {"-2/3 1/-3 +.5 5.E+1 -0.0", "-2/3; -1/3; 1/2; 50; 0; end"},
        {"0e999999999 1e19", "0; 10000000000000000000; end"},
        {"5e-20 1500e-22", "1/20000000000000000000; 3/20000000000000000000; end"},
        {"12345678901234567890/3", "4115226300411522630; end"},
        {"1e150 1e-150 1e999999999 1e-999999999",
         "numerator too long, leaving 7; denominator too long, leaving 7; numerator too long, "
         "leaving 7; denominator too long, leaving 7; end"},
        {"1/1e-99999999999999999999 1/1e601 1e601/7",
         "numerator too long, leaving 7; denominator too long, leaving 7; numerator too long, "
         "leaving 7; end"},
        {"1e200/1e199 -1/123456789012345678901", "10; -1/123456789012345678901; end"},
        {halves, "1/" + power(2, 498) + "; denominator too long, leaving 7; end"},
        {std::string(5000, '7') + " 0." + std::string(700, '3'),
         "numerator too long, leaving 7; denominator too long, leaving 7; end"},
        {"1/0 3/0.00", "denominator 0, leaving 7; denominator 0, leaving 7; end"},
        {"1 /3", "1; text"},
        {"1/", "1 running on into \"/\"; text"},
        {"1/2/3", "1/2 running on into \"/3\"; text"},
        {".", "text"},
        {"1e", "1 running on into \"e\"; text"},
        {"0x10", "0 running on into \"x10\"; text"},
    };
    for (const auto& c : cases) {
        testing::read_each_way<InputReader>(c.typed, {1, 3}, [&](auto& reader, const auto&) {
            std::string read;
            Rational x;
            for (std::string one; one.rfind("end", 0) != 0 && one.rfind("text", 0) != 0;) {
                one = read_exactly(reader, x);
                read += (read.empty() ? "" : "; ") + one;
            }
            EXPECT_EQ(read, c.read) << c.typed.substr(0, 80);
        });
    }
}

// Inverses in lowest terms, refusals of exactly singular matrices only, and
// the determinant that the elimination's own steps give.
TEST(Exact, Inverses) {
    const struct {
        const char* name;
        Texts rows;
        const char* inverse;  // nullptr: refused
        const char* det;
    } cases[] = {
        {"2x2 example", {{"4", "7"}, {"2", "6"}}, "3/5\t-7/10\t\n-1/5\t2/5\t\n", "10"},
        {"tiny diagonal",
         {{"1e-11", "0"}, {"0", "1e-11"}},
         "100000000000\t0\t\n0\t100000000000\t\n",
         "1/10000000000000000000000"},
        {"Hilbert 3",
         {{"1", "1/2", "1/3"}, {"1/2", "1/3", "1/4"}, {"1/3", "1/4", "1/5"}},
         "9\t-36\t30\t\n-36\t192\t-180\t\n30\t-180\t180\t\n",
         "1/2160"},
        {"Hilbert 4",
         {{"1", "1/2", "1/3", "1/4"},
          {"1/2", "1/3", "1/4", "1/5"},
          {"1/3", "1/4", "1/5", "1/6"},
          {"1/4", "1/5", "1/6", "1/7"}},
         "16\t-120\t240\t-140\t\n-120\t1200\t-2700\t1680\t\n240\t-2700\t6480\t-4200\t\n"
         "-140\t1680\t-4200\t2800\t\n",
         "1/6048000"},
        {"order 5, second row the sum of the first and the fourth",
         {{"-8", "1", "-5", "-4", "-5"},
          {"-15", "-8", "-11", "3", "0"},
          {"3", "3", "3", "-1", "1"},
          {"-7", "-9", "-6", "7", "5"},
          {"4", "-9", "-1", "-9", "5"}},
         nullptr,
         "0"},
        {"dependent rows", {{"1", "2"}, {"2", "4"}}, nullptr, "0"},
    };
    auto m = std::make_unique<ExactMatrices>();
    for (const auto& c : cases) {
        const Typed typed = invert_typed(*m, c.rows);
        EXPECT_EQ(typed.outcome, c.inverse ? Outcome::success : Outcome::failure) << c.name;
        EXPECT_EQ(typed.det, c.det) << c.name;
        EXPECT_EQ(typed.inverse, c.inverse ? c.inverse : typed.inverse) << c.name;
    }
}

// The digits of a 1x1 [B] against the exact inverse of its entry, typed as
// 0.1, or 0 (-1: singular), or too long to keep (the double 0.1 stands for
// it): 10^-k of the largest entry off is still k digits, a hair more k - 1.
TEST(Exact, DigitsKeptOfTheExactInverse) {
    DecimalParts tenth;
    const DecimalParts zero;
    tenth.add_fraction_digit(1);
    const struct {
        const DecimalParts* typed;
        double inverse;
        int digits;
    } cases[] = {{&tenth, 10.0, 16},
                 {&tenth, 11.0, 1},
                 {&tenth, 9.0, 1},
                 {&tenth, 11.000000000000002, 0},
                 {&tenth, 10.000000000001, 12},
                 {nullptr, 10.0, 16},
                 {&zero, 10.0, -1}};
    for (const auto& c : cases) {
        WorkingMatrices m;
        m.a[0][1] = c.inverse;
        TypedMatrix exact(1);
        ASSERT_TRUE(exact.take(0, 0, c.typed, 0.1));
        const MeasuredDigits measured = exact.measure(m.a);
        const bool singular = measured.verdict == MeasuredDigits::Verdict::singular;
        EXPECT_EQ(singular ? -1 : measured.digits, c.digits)
            << "b11 " << std::setprecision(17) << c.inverse << (c.typed ? "" : ", a11 as read");
        EXPECT_EQ(measured.some_as_read, c.typed == nullptr) << "b11 " << c.inverse;
    }
}

TEST(Exact, Report) {
    auto m = std::make_unique<ExactMatrices>();
    EXPECT_EQ(invert_typed(*m, {{"4", "7"}, {"2", "6.5e-1"}}).report,
              "\n[A]=\n4\t7\t\n2\t13/20\t\n\n[B]=\n-13/228\t35/57\t\n10/57\t-20/57\t\n"
              "\n[A][B]=\n1\t0\t\n0\t1\t\n\ndet[A]=\n-57/5\t\n");
}

// What an observer is told of the worked example, in the elimination's order.
class FractionRecorder final : public ExactObserver {
public:
    std::string& seen;
    explicit FractionRecorder(std::string& to) : seen(to) {}

    void row_replaced(int /*r*/, int /*p*/, const Rational& ratio) override {
        seen += "ratio " + rational_text(ratio) + " ";
    }
    void scaling_done(const RationalMatrix& a, int n) override { keep(a, n); }
    void column_done(const RationalMatrix& a, int n) override { keep(a, n); }
    void keep(const RationalMatrix& a, int n) {
        for (int i = 0; i < n; ++i) {
            seen += row_text(a[i], 2 * n);
        }
    }
};

TEST(Exact, WorkedExampleObserved) {
    auto m = std::make_unique<ExactMatrices>();
    std::string seen;
    invert_typed(*m, {{"4", "7"}, {"2", "6"}}, FractionRecorder(seen));
    EXPECT_EQ(seen,
              "4/7\t1\t1/7\t0\t\n1/3\t1\t0\t1/6\t\nratio 12/7 4/7\t1\t1/7\t0\t\n"
              "0\t-5/7\t1/7\t-2/7\t\nratio -5/7 20/49\t0\t12/49\t-2/7\t\n0\t-5/7\t1/7\t-2/7\t\n");
}

// The determinant by a textbook elimination: the first nonzero pivot, the
// target row minus a multiple of the pivot row.
Rational textbook_determinant(const ExactMatrices& m) {
    std::vector<std::vector<Rational>> a(m.n, std::vector<Rational>(m.n));
    for (int i = 0; i < m.n; ++i) {
        for (int j = 0; j < m.n; ++j) {
            a[i][j] = m.a0[i][j];
        }
    }
    Rational det = Rational::fraction(1, 1), factor, product;
    for (int j = 0; j < m.n; ++j) {
        int p = j;
        while (p < m.n && is_zero(a[p][j])) {
            ++p;
        }
        if (p == m.n) {
            return Rational{};
        }
        if (p != j) {
            std::swap(a[p], a[j]);
            mpq_neg(det.get(), det.get());
        }
        mpq_mul(det.get(), det.get(), a[j][j].get());
        for (int r = j + 1; r < m.n; ++r) {
            mpq_div(factor.get(), a[r][j].get(), a[j][j].get());
            for (int k = j; k < m.n; ++k) {
                mpq_mul(product.get(), factor.get(), a[j][k].get());
                mpq_sub(a[r][k].get(), a[r][k].get(), product.get());
            }
        }
    }
    return det;
}

// Generated matrices of fractions, small or of 12 digits, some half 0 (so
// that pivots are exchanged), some made singular by a repeated row or a
// column of zeros: [A][B] is exactly the identity, the determinant agrees
// with a textbook elimination's, and the fraction-free elimination leaves
// what the one in rationals leaves (invert_typed holds them equal).
TEST(Exact, PropertiesOfGeneratedMatrices) {
    testing::LcgRandom random(7);
    auto m = std::make_unique<ExactMatrices>();
    const auto long_part = [&random] { return std::to_string(random.next() % 999'999'999'999); };
    for (int trial = 0; trial < 100; ++trial) {
        const int n = 1 + trial % kMaxOrder;
        const bool half_zeros = trial % 3 == 1;
        const bool long_parts = trial % 5 == 2;
        Texts rows(n, std::vector<std::string>(n));
        for (int i = 0; i < n; ++i) {
            for (int j = 0; j < n; ++j) {
                if (half_zeros && random.below(2) == 0) {
                    rows[i][j] = "0";
                } else if (long_parts) {
                    rows[i][j] = "-" + long_part() + "/1" + long_part();
                } else {
                    rows[i][j] = std::to_string(random.below(41) - 20) + "/" +
                                 std::to_string(1 + random.below(9));
                }
            }
        }
        if (trial % 4 == 3 && n > 1) {
            rows[n - 1] = rows[0];
        }
        for (int i = 0; trial % 7 == 5 && i < n; ++i) {
            rows[i][trial % n] = "0";
        }
        std::string label;
        for (const auto& row : rows) {
            for (const std::string& entry : row) {
                label += entry + " ";
            }
            label += "\n";
        }
        const Typed typed = invert_typed(*m, rows);
        EXPECT_EQ(typed.det, rational_text(textbook_determinant(*m))) << label;
        EXPECT_EQ(typed.outcome == Outcome::failure, typed.det == "0") << label;
        std::string identity;
        for (int i = 0; i < n; ++i) {
            for (int j = 0; j < n; ++j) {
                identity += j == i ? "1\t" : "0\t";
            }
            identity += '\n';
        }
        if (typed.outcome == Outcome::success) {
            EXPECT_NE(typed.report.find("\n[A][B]=\n" + identity + "\ndet"), std::string::npos)
                << label;
        }
        // A A, whose rows and columns have denominators of their own, against
        // a sum of fractions.
        ExactProduct square(m->a0, 0, n);
        Rational row[kMaxOrder], sum, term;
        for (int i = 0; i < n; ++i) {
            square.row(m->a0[i], row);
            for (int j = 0; j < n; ++j) {
                mpq_set_ui(sum.get(), 0, 1);
                for (int k = 0; k < n; ++k) {
                    mpq_mul(term.get(), m->a0[i][k].get(), m->a0[k][j].get());
                    mpq_add(sum.get(), sum.get(), term.get());
                }
                EXPECT_EQ(rational_text(row[j]), rational_text(sum)) << i << ", " << j << " of\n"
                                                                     << label;
            }
        }
    }
}

// An order of 0 or less: nothing to invert, determinant 1, a left alone.
TEST(Exact, FractionFreeOfNoOrder) {
    auto m = std::make_unique<ExactMatrices>();
    m->a[0][0] = Rational::fraction(7, 1);
    Rational det;
    for (int n : {0, -3}) {
        EXPECT_EQ(invert_without_fractions(m->a0, n, m->a, det), Outcome::success) << n;
        EXPECT_EQ(rational_text(det) + " " + rational_text(m->a[0][0]), "1 7") << n;
    }
}

}  // namespace
}  // namespace matinv
