#include "inversion/inversion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "inversion/exact_invertibility.h"
#include "inversion/inverse_trust.h"
#include "inversion/row_rescaling.h"

namespace matinv {
namespace {

using Rows = std::vector<std::vector<double>>;

// Fills the matrices as the dialogue does: cleared, then each row's entries
// followed by its identity 1.
void enter(WorkingMatrices& m, const Rows& rows) {
    clear(m);
    m.n = static_cast<int>(rows.size());
    for (int i = 0; i < m.n; ++i) {
        for (int j = 0; j < m.n; ++j) {
            store_entry(m, i, j, rows[i][j]);
        }
        seed_identity(m, i);
    }
}

std::string as_text(const Rows& rows) {
    std::string text;
    char number[32];
    for (const auto& row : rows) {
        for (const double x : row) {
            std::snprintf(number, sizeof number, "%.17g ", x);
            text += number;
        }
        text += '\n';
    }
    return text;
}

void expect_rows_near(const Rows& a, const Rows& expected, const char* after) {
    for (std::size_t i = 0; i < expected.size(); ++i) {
        for (std::size_t k = 0; k < expected[i].size(); ++k) {
            EXPECT_NEAR(a[i][k], expected[i][k], 1e-15) << after << ", (" << i << ", " << k << ")";
        }
    }
}

// Keeps what an observer is told: each event with its row and column
// numbers, the number it carries, and each matrix handed over.
class RecordingObserver final : public InversionObserver {
public:
    std::vector<std::string> events;
    std::vector<double> values;  // divisors, ratios and smallest diagonal magnitudes, in order
    std::vector<Rows> matrices;  // as seeded, then after each step, n rows of 2n entries

    void seeded(const Matrix& a, int n) override { keep("seeded", a, n); }
    void row_scaled(int i, double s) override { note("scaled " + std::to_string(i), s); }
    void scaling_done(const Matrix& a, int n) override { keep("scaling done", a, n); }
    void column_started(Phase phase, int j) override {
        events.push_back((phase == Phase::forward ? "forward " : "backward ") + std::to_string(j));
    }
    void rows_exchanged(int upper) override {
        events.push_back("exchanged " + std::to_string(upper));
    }
    void row_replaced(int r, int p, double ratio) override {
        note("replaced " + std::to_string(r) + " from " + std::to_string(p), ratio);
    }
    void row_kept(int r, int j) override {
        events.push_back("kept " + std::to_string(r) + " in " + std::to_string(j));
    }
    void column_done(const Matrix& a, int n) override { keep("column done", a, n); }
    void singularity_tested(int smallest_row, double smallest, bool singular) override {
        note((singular ? "singular " : "not singular ") + std::to_string(smallest_row), smallest);
    }
    void row_divided_by_diagonal(int i, double d) override {
        note("divided " + std::to_string(i), d);
    }
    void final_division_done(const Matrix& a, int n) override { keep("final division done", a, n); }

private:
    void keep(const char* what, const Matrix& a, int n) {
        events.push_back(what);
        matrices.emplace_back(n);
        for (int i = 0; i < n; ++i) {
            matrices.back()[i].assign(a[i], a[i] + 2 * n);
        }
    }
    void note(const std::string& what, double value) {
        events.push_back(what);
        values.push_back(value);
    }
};

RecordingObserver observe(const Rows& rows) {
    WorkingMatrices m;
    enter(m, rows);
    RecordingObserver observer;
    invert(m.a, m.n, observer);
    return observer;
}

// The 2x2 example (4 7 / 2 6) after each step, in exact fractions.
TEST(Inversion, WorkedExampleStepByStep) {
    const std::vector<Rows> after = observe({{4, 7}, {2, 6}}).matrices;  // seeded, then each step
    ASSERT_EQ(after.size(), 5u);
    expect_rows_near(after[1], {{4. / 7, 1, 1. / 7, 0}, {1. / 3, 1, 0, 1. / 6}},
                     "scaling by 7 and 6");
    expect_rows_near(after[2], {{4. / 7, 1, 1. / 7, 0}, {0, -5. / 7, 1. / 7, -2. / 7}},
                     "forward phase");
    expect_rows_near(after[3], {{20. / 49, 0, 12. / 49, -2. / 7}, {0, -5. / 7, 1. / 7, -2. / 7}},
                     "backward phase");
    expect_rows_near(after[4], {{1, 0, 0.6, -0.7}, {0, 1, -0.2, 0.4}}, "final division");
}

// The observer of the 2x2 example is told each step with its divisor, ratio
// or smallest diagonal magnitude, in order.
TEST(Inversion, WorkedExampleObserved) {
    const RecordingObserver observer = observe({{4, 7}, {2, 6}});
    EXPECT_EQ(observer.events, (std::vector<std::string>{
                                   "seeded", "scaled 0", "scaled 1", "scaling done", "forward 0",
                                   "replaced 1 from 0", "column done", "not singular 0",
                                   "backward 1", "replaced 0 from 1", "column done", "divided 0",
                                   "divided 1", "final division done"}));
    const std::vector<double> values = {7, 6, 12. / 7, 4. / 7, -5. / 7, 20. / 49, -5. / 7};
    ASSERT_EQ(observer.values.size(), values.size());
    for (std::size_t k = 0; k < values.size(); ++k) {
        EXPECT_NEAR(observer.values[k], values[k], 1e-15) << "value " << k;
    }
}

// Exchanges, bottom-up, and a row left alone for its 0 in the pivot column.
TEST(Inversion, ExchangesAndKeptRowsObserved) {
    WorkingMatrices m;
    enter(m, {{0, 1, 2}, {1, 0, 3}, {4, -3, 8}});
    RecordingObserver observer;
    ASSERT_EQ(invert(m.a, m.n, observer), Outcome::success);
    const std::vector<std::string> first_column = {
        "seeded",       "scaled 0",          "scaled 1",    "scaled 2",
        "scaling done", "forward 0",         "exchanged 1", "exchanged 0",
        "kept 1 in 0",  "replaced 2 from 0", "column done"};
    ASSERT_GE(observer.events.size(), first_column.size());
    EXPECT_EQ(std::vector<std::string>(observer.events.begin(),
                                       observer.events.begin() + first_column.size()),
              first_column);
}

// Each row is divided by its first entry, replaced by any later entry whose
// magnitude exceeds the divisor's current signed value.
TEST(Inversion, ScaleDivisors) {
    const struct {
        Rows rows;
        std::vector<double> divisors;
    } cases[] = {
        {{{-5, 2}, {1, 1}}, {2, 1}},          // |-5| does not exceed 2
        {{{4, 7}, {2, 6}}, {7, 6}},           // the largest entry
        {{{0.5, 0.25}, {0.1, 0.2}}, {1, 1}},  // the identity 1 wins
        {{{2, -8}, {6, -2}}, {1, 6}},         // -8 takes over, then the 1 exceeds it
    };
    for (const auto& c : cases) {
        const RecordingObserver observer = observe(c.rows);
        const Rows &seeded = observer.matrices.at(0), &scaled = observer.matrices.at(1);
        for (std::size_t i = 0; i < c.rows.size(); ++i) {
            EXPECT_EQ(observer.values[i], c.divisors[i]) << as_text(c.rows);
            for (std::size_t j = 0; j < 2 * c.rows.size(); ++j) {
                EXPECT_EQ(scaled[i][j], seeded[i][j] / c.divisors[i]) << as_text(c.rows);
            }
        }
    }
}

// Column 0 after its one bottom-up pass of adjacent exchanges; equal
// magnitudes are never exchanged. Rows of 16s are all scaled by 16.
TEST(Inversion, PivotBubbling) {
    const struct {
        std::vector<double> column, expected;
    } cases[] = {
        {{3, 1, 2}, {3, 2, 1}},   {{1, 2, 3}, {3, 1, 2}},   {{0, 1}, {1, 0}},
        {{-4, 4, 1}, {-4, 4, 1}}, {{1, -4, 4}, {-4, 1, 4}}, {{2, 5, -5, 1}, {5, 2, -5, 1}},
    };
    for (const auto& c : cases) {
        const int n = static_cast<int>(c.column.size());
        Rows rows(n, std::vector<double>(n, 16.0));
        for (int i = 0; i < n; ++i) {
            rows[i][0] = c.column[i];
        }
        const std::vector<std::string> events = observe(rows).events;
        std::vector<double> column = c.column;
        auto event = std::find(events.begin(), events.end(), "forward 0");
        for (int upper = 0; std::sscanf((++event)->c_str(), "exchanged %d", &upper) == 1;) {
            std::swap(column[upper], column[upper + 1]);
        }
        EXPECT_EQ(column, c.expected) << "column " << ::testing::PrintToString(c.column);
    }
}

// A target row with an exact 0 (of either sign) in the pivot column is left alone; others, below
// it too, become the pivot row minus ratio times themselves. Entries up to 1 are scaled by 1.
TEST(Inversion, EliminationRowForm) {
    for (const double zero : {0.0, -0.0}) {
        const Rows rows = {{1, 0.5, 0, 0}, {zero, 0.5, 1, 0}, {0.5, 1, 0, 0}, {0.25, 0, 0.5, 1}};
        const Rows after = observe(rows).matrices.at(2);  // column 0 done: the row of 0 is row 2
        EXPECT_EQ(after[2], (std::vector<double>{zero, 0.5, 1, 0, 0, 1, 0, 0})) << zero;
        // Ratio 1 / 0.25: the first row minus 4 times the last.
        EXPECT_EQ(after[3], (std::vector<double>{0, 0.5, -2, -4, 1, 0, 0, -4})) << zero;
    }
}

// The singularity test tells of the smallest diagonal magnitude, not of the first below
// the threshold, and of equal ones of the uppermost; it passes over a not-a-number one.
TEST(Inversion, SmallestDiagonalObserved) {
    const struct {
        Rows rows;
        const char* event;
        double smallest;
    } cases[] = {
        {{{1e-11, 0}, {0, 0}}, "singular 1", 0},
        {{{1e-11, 0}, {0, 1e-11}}, "singular 0", 1e-11},
        {{{NAN, 0}, {0, 0}}, "singular 1", 0},
    };
    for (const auto& c : cases) {
        const RecordingObserver observer = observe(c.rows);
        EXPECT_EQ(observer.events.back(), c.event) << as_text(c.rows);
        EXPECT_EQ(observer.values.back(), c.smallest) << as_text(c.rows);
    }
}

// How the program answers a matrix: an inverse it trusts, an inverse it
// warns about, a refusal with the note that the matrix with its rows
// rescaled has an inverse, or a plain refusal.
enum class Answer { trusted, warned, noted, refused };

bool observed_and_plain_agree(const WorkingMatrices& entered, Outcome plain, const Matrix& a) {
    WorkingMatrices traced = entered;
    RecordingObserver observer;
    return invert(traced.a, traced.n, observer) == plain &&
           std::memcmp(traced.a, a, sizeof(Matrix)) == 0;
}

// Outcomes, the inverse where there is one, and how far it is trusted; and
// the same bits in [B] when an observer follows the inversion.
TEST(Inversion, Verdicts) {
    const struct {
        const char* name;
        Rows rows;
        Answer answer;
        std::optional<Rows> inverse;
    } cases[] = {
        {"2x2 example", {{4, 7}, {2, 6}}, Answer::trusted, Rows{{0.6, -0.7}, {-0.2, 0.4}}},
        {"order 1", {{3}}, Answer::trusted, Rows{{1. / 3}}},
        {"exchange", {{0, 1}, {1, 0}}, Answer::trusted, Rows{{0, 1}, {1, 0}}},
        {"negative first entry",
         {{-5, 2}, {1, 1}},
         Answer::trusted,
         Rows{{-1. / 7, 2. / 7}, {1. / 7, 5. / 7}}},
        {"order 3",
         {{0, 1, 2}, {1, 0, 3}, {4, -3, 8}},
         Answer::trusted,
         Rows{{-4.5, 7, -1.5}, {-2, 4, -1}, {1.5, -2, 0.5}}},
        {"threshold itself", {{1e-10}}, Answer::trusted, Rows{{1e10}}},
        {"huge entries",
         {{1e200, 0}, {0, -1e200}},
         Answer::trusted,
         Rows{{1e-200, 0}, {0, -1e-200}}},
        {"ill-conditioned, still trusted", {{1, 1}, {1, 1 + 1e-8}}, Answer::trusted, {}},
        {"just below threshold", {{0.99e-10}}, Answer::noted, {}},
        {"dependent rows", {{1, 2}, {2, 4}}, Answer::refused, {}},
        {"zero", {{0}}, Answer::refused, {}},
        {"tiny diagonal, though invertible", {{1e-11, 0}, {0, 1e-11}}, Answer::noted, {}},
        {"one tiny row", {{0, 1e-11}, {1, 0}}, Answer::noted, {}},
        {"tiny rows, singular", {{1e-11, 2e-11}, {3e-11, 6e-11}}, Answer::refused, {}},
        {"nearly singular, rows not small", {{1, 1}, {1, 1 + 1e-12}}, Answer::refused, {}},
        // Only strict double arithmetic leaves a diagonal entry this small;
        // a fused multiply-add or a wider significand would let it pass.
        {"order 4, last row the sum of two others",
         {{7, 8, 6, -1}, {7, -5, 8, -6}, {4, 7, 2, -3}, {11, 2, 10, -9}},
         Answer::refused,
         {}},
        // Singular, but rounding keeps every diagonal entry above the
        // threshold: the report then shows a huge inverse and a wrong product.
        {"order 5 singular that survives",
         {{-8, 1, -5, -4, -5},
          {-15, -8, -11, 3, 0},
          {3, 3, 3, -1, 1},
          {-7, -9, -6, 7, 5},
          {4, -9, -1, -9, 5}},
         Answer::warned,
         {}},
        {"not a number passes every test", {{NAN, 1}, {1, 1}}, Answer::warned, {}},
        {"infinite entry", {{INFINITY, 1}, {1, 1}}, Answer::warned, {}},
    };
    for (const auto& c : cases) {
        WorkingMatrices m;
        enter(m, c.rows);
        const WorkingMatrices entered = m;
        const Outcome outcome = invert(m.a, m.n);
        const bool invertible = c.answer == Answer::trusted || c.answer == Answer::warned;
        ASSERT_EQ(outcome, invertible ? Outcome::success : Outcome::failure) << c.name;
        EXPECT_TRUE(observed_and_plain_agree(entered, outcome, m.a)) << c.name;
        if (invertible) {
            EXPECT_EQ(judge_inverse(one_norm(m.a0, m.n, 0), m.a, m.n).trusted(),
                      c.answer == Answer::trusted)
                << c.name;
        } else {
            EXPECT_EQ(small_rows_to_blame(m.a0, m.n).count > 0, c.answer == Answer::noted)
                << c.name;
        }
        for (int i = 0; c.inverse && i < m.n; ++i) {
            for (int j = 0; j < m.n; ++j) {
                const double want = (*c.inverse)[i][j];
                EXPECT_NEAR(m.a[i][m.n + j], want, 1e-12 * (1 + std::fabs(want)))
                    << c.name << " at (" << i << ", " << j << ")";
            }
        }
    }
}

// Strictly diagonally dominant, so far from singular; rows scaled by powers
// of ten and shuffled, so that scaling and bubbling have work to do.
Rows well_conditioned(int n, std::mt19937_64& random) {
    auto unit = [&random] { return static_cast<double>(random() >> 11) * 0x1p-53; };
    Rows rows(n, std::vector<double>(n));
    for (int i = 0; i < n; ++i) {
        double off_diagonal = 0.0;
        for (int j = 0; j < n; ++j) {
            if (j != i) {
                rows[i][j] = (2 * unit() - 1) * 10;
                off_diagonal += std::fabs(rows[i][j]);
            }
        }
        rows[i][i] = (unit() < 0.5 ? -1 : 1) * (off_diagonal + 1 + 10 * unit());
        const double scale = std::pow(10.0, static_cast<int>(random() % 5) - 2);
        for (double& x : rows[i]) {
            x *= scale;
        }
    }
    for (int i = n - 1; i > 0; --i) {
        std::swap(rows[i], rows[random() % (i + 1)]);
    }
    return rows;
}

// On generated matrices of every order: the entered matrix times its inverse
// is within 1e-9 of the identity; a zero row or two equal rows always fail;
// and a larger failed attempt before leaves no trace in the matrices.
TEST(Inversion, PropertiesOfGeneratedMatrices) {
    std::mt19937_64 random(1);
    Rows large_singular(kMaxOrder, std::vector<double>(kMaxOrder, 0.0));
    for (int i = 0; i + 1 < kMaxOrder; ++i) {
        for (double& x : large_singular[i]) {
            x = static_cast<double>(random() % 2000001) - 1e6;
        }
    }
    for (int n = 1; n <= kMaxOrder; ++n) {
        for (int trial = 0; trial < 50; ++trial) {
            Rows rows = well_conditioned(n, random);
            const std::string label = "order " + std::to_string(n) + ":\n" + as_text(rows);
            WorkingMatrices fresh;
            enter(fresh, rows);
            const WorkingMatrices entered = fresh;
            ASSERT_EQ(invert(fresh.a, n), Outcome::success) << label;
            EXPECT_TRUE(observed_and_plain_agree(entered, Outcome::success, fresh.a)) << label;
            EXPECT_TRUE(judge_inverse(one_norm(fresh.a0, n, 0), fresh.a, n).trusted()) << label;
            EXPECT_TRUE(invertible_as_entered(fresh.a0, n)) << label;
            for (int i = 0; i < n; ++i) {
                for (int j = 0; j < n; ++j) {
                    double sum = 0.0;
                    for (int k = 0; k < n; ++k) {
                        sum += fresh.a0[i][k] * fresh.a[k][n + j];
                    }
                    EXPECT_NEAR(sum, i == j ? 1.0 : 0.0, 1e-9) << label;
                }
            }

            WorkingMatrices reused;
            enter(reused, large_singular);
            ASSERT_EQ(invert(reused.a, kMaxOrder), Outcome::failure);
            enter(reused, rows);
            invert(reused.a, n);
            EXPECT_EQ(std::memcmp(reused.a, fresh.a, sizeof(Matrix)), 0)
                << "a after a failure, " << label;
            EXPECT_EQ(std::memcmp(reused.a0, fresh.a0, sizeof(Matrix)), 0)
                << "a0 after a failure, " << label;

            WorkingMatrices singular;
            const int copied = static_cast<int>(random() % n);
            rows[(copied + 1) % n] = n > 1 && trial % 2 ? rows[copied] : std::vector<double>(n);
            enter(singular, rows);
            EXPECT_EQ(invert(singular.a, n), Outcome::failure) << "made singular, " << label;
            EXPECT_EQ(small_rows_to_blame(singular.a0, n).count, 0) << "made singular, " << label;
            EXPECT_FALSE(invertible_as_entered(singular.a0, n)) << "made singular, " << label;
        }
    }
}

// Whether the entries, exactly as the doubles they are, form an invertible
// matrix, whatever the elimination's rounding and threshold make of them.
TEST(Inversion, InvertibleAsEntered) {
    const struct {
        Rows rows;
        bool invertible;
    } cases[] = {
        {{{1e-11, 0}, {0, 1e-11}}, true},
        {{{1, 1}, {1, 1 + 1e-12}}, true},
        {{{1e-300, 1e300}, {1, 0}}, true},
        {{{4.9e-324, 0}, {0, 1.7e308}}, true},
        {{{0.1, 0.3}, {1, 3}}, true},       // in binary, 0.3 is not 3 x 0.1
        {{{0.1, 0.2}, {0.3, 0.6}}, false},  // but 0.2 is 2 x 0.1 and 0.6 is 2 x 0.3
        {{{1, 2}, {2, 4}}, false},
        {{{1e300, 2e300}, {1e-300, 2e-300}}, false},
        {{{7, 8, 6, -1}, {7, -5, 8, -6}, {4, 7, 2, -3}, {11, 2, 10, -9}}, false},
        {{{-8, 1, -5, -4, -5},
          {-15, -8, -11, 3, 0},
          {3, 3, 3, -1, 1},
          {-7, -9, -6, 7, 5},
          {4, -9, -1, -9, 5}},
         false},
        {{{0, 0}, {1, 1}}, false},
        {{{INFINITY, 0}, {0, 1}}, false},
        {{{NAN, 0}, {0, 1}}, false},
    };
    for (const auto& c : cases) {
        WorkingMatrices m;
        enter(m, c.rows);
        EXPECT_EQ(invertible_as_entered(m.a0, m.n), c.invertible) << as_text(c.rows);
    }
}

// The significant digits a trusted inverse may have lost, -log10(rcond)
// rounded up and at most 15, said only below an rcond of 1e-8.
TEST(Inversion, DigitsPossiblyLost) {
    const struct {
        InverseTrust trust;
        int digits;
    } cases[] = {
        {{true, 3e-14}, 14},   {{true, 9.9e-9}, 9}, {{true, 1e-8}, 0},  {{true, 0.5}, 0},
        {{true, 0x1p-52}, 15}, {{true, 1e-17}, 0},  {{false, 1e-9}, 0}, {{true, NAN}, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(digits_possibly_lost(c.trust), c.digits)
            << "rcond " << c.trust.rcond << (c.trust.finite ? "" : ", not finite");
    }
}

// The inversion writes only the used block of a.
TEST(Inversion, LeavesUnusedEntriesAlone) {
    WorkingMatrices m;
    enter(m, {{0, 1, 2}, {1, 0, 3}, {4, -3, 8}});
    for (int i = 0; i < kMaxOrder; ++i) {
        for (int j = i < 3 ? 6 : 0; j < kColumns; ++j) {
            m.a[i][j] = 42.0;
        }
    }
    ASSERT_EQ(invert(m.a, 3), Outcome::success);
    for (int i = 0; i < kMaxOrder; ++i) {
        for (int j = i < 3 ? 6 : 0; j < kColumns; ++j) {
            EXPECT_EQ(m.a[i][j], 42.0) << "(" << i << ", " << j << ")";
        }
    }
}

}  // namespace
}  // namespace matinv
