#include "inversion/inversion.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "inversion/inverse_trust.h"
#include "inversion/inversion_steps.h"
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

void expect_rows_near(const Matrix& a, const Rows& expected, const char* after) {
    for (std::size_t i = 0; i < expected.size(); ++i) {
        for (std::size_t k = 0; k < expected[i].size(); ++k) {
            EXPECT_NEAR(a[i][k], expected[i][k], 1e-15) << after << ", (" << i << ", " << k << ")";
        }
    }
}

// The 2x2 example (4 7 / 2 6) after each step, in exact fractions.
TEST(Inversion, WorkedExampleStepByStep) {
    WorkingMatrices m;
    enter(m, {{4, 7}, {2, 6}});
    step::scale_rows(m.a, 2);
    expect_rows_near(m.a, {{4. / 7, 1, 1. / 7, 0}, {1. / 3, 1, 0, 1. / 6}}, "scaling by 7 and 6");
    step::forward_phase(m.a, 2);
    expect_rows_near(m.a, {{4. / 7, 1, 1. / 7, 0}, {0, -5. / 7, 1. / 7, -2. / 7}}, "forward phase");
    EXPECT_FALSE(step::has_small_diagonal(m.a, 2));
    step::backward_phase(m.a, 2);
    expect_rows_near(m.a, {{20. / 49, 0, 12. / 49, -2. / 7}, {0, -5. / 7, 1. / 7, -2. / 7}},
                     "backward phase");
    step::normalise(m.a, 2);
    expect_rows_near(m.a, {{1, 0, 0.6, -0.7}, {0, 1, -0.2, 0.4}}, "normalisation");
}

// Keeps what an observer is told: each event with its row and column
// numbers, and the divisor or ratio it carries. The matrices handed over
// are checked through the trace the program writes from them.
class RecordingObserver final : public InversionObserver {
public:
    std::vector<std::string> events;
    std::vector<double> values;  // divisors and ratios, in order

    void seeded(const Matrix& /*a*/, int /*n*/) override { events.push_back("seeded"); }
    void row_scaled(int i, double s) override { note("scaled " + std::to_string(i), s); }
    void scaling_done(const Matrix& /*a*/, int /*n*/) override {
        events.push_back("scaling done");
    }
    void column_started(bool forward, int j) override {
        events.push_back((forward ? "forward " : "backward ") + std::to_string(j));
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
    void column_done(const Matrix& /*a*/, int /*n*/) override { events.push_back("column done"); }
    void singularity_tested(const Matrix& /*a*/, int /*n*/, bool singular) override {
        events.push_back(singular ? "singular" : "not singular");
    }
    void row_normalised(int i, double d) override { note("normalised " + std::to_string(i), d); }
    void normalisation_done(const Matrix& /*a*/, int /*n*/) override {
        events.push_back("normalisation done");
    }

private:
    void note(const std::string& what, double value) {
        events.push_back(what);
        values.push_back(value);
    }
};

// The observer of the 2x2 example is told each step with its divisor or
// ratio, in order.
TEST(Inversion, WorkedExampleObserved) {
    WorkingMatrices m;
    enter(m, {{4, 7}, {2, 6}});
    RecordingObserver observer;
    ASSERT_EQ(invert(m.a, m.n, &observer), Outcome::success);
    EXPECT_EQ(observer.events,
              (std::vector<std::string>{"seeded", "scaled 0", "scaled 1", "scaling done",
                                        "forward 0", "replaced 1 from 0", "column done",
                                        "not singular", "backward 1", "replaced 0 from 1",
                                        "column done", "normalised 0", "normalised 1",
                                        "normalisation done"}));
    const std::vector<double> values = {7, 6, 12. / 7, -5. / 7, 20. / 49, -5. / 7};
    ASSERT_EQ(observer.values.size(), values.size());
    for (std::size_t k = 0; k < values.size(); ++k) {
        EXPECT_NEAR(observer.values[k], values[k], 1e-15) << "divisor or ratio " << k;
    }
}

// Exchanges, bottom-up, and a row left alone for its 0 in the pivot column.
TEST(Inversion, ExchangesAndKeptRowsObserved) {
    WorkingMatrices m;
    enter(m, {{0, 1, 2}, {1, 0, 3}, {4, -3, 8}});
    RecordingObserver observer;
    ASSERT_EQ(invert(m.a, m.n, &observer), Outcome::success);
    const std::vector<std::string> first_column = {"seeded",      "scaled 0",    "scaled 1",
                                                   "scaled 2",    "scaling done", "forward 0",
                                                   "exchanged 1", "exchanged 0",  "kept 1 in 0",
                                                   "replaced 2 from 0", "column done"};
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
        WorkingMatrices m;
        enter(m, c.rows);
        const WorkingMatrices before = m;
        step::scale_rows(m.a, m.n);
        for (int i = 0; i < m.n; ++i) {
            for (int j = 0; j < 2 * m.n; ++j) {
                EXPECT_EQ(m.a[i][j], before.a[i][j] / c.divisors[i]) << as_text(c.rows);
            }
        }
    }
}

// Column 0 after one bottom-up pass of adjacent exchanges; equal
// magnitudes are never exchanged.
TEST(Inversion, PivotBubbling) {
    const struct {
        std::vector<double> column, expected;
    } cases[] = {
        {{3, 1, 2}, {3, 2, 1}},   {{1, 2, 3}, {3, 1, 2}},   {{0, 1}, {1, 0}},
        {{-4, 4, 1}, {-4, 4, 1}}, {{1, -4, 4}, {-4, 1, 4}}, {{2, 5, -5, 1}, {5, 2, -5, 1}},
    };
    for (const auto& c : cases) {
        const int n = static_cast<int>(c.column.size());
        Rows rows(n, std::vector<double>(n, 1.0));
        for (int i = 0; i < n; ++i) {
            rows[i][0] = c.column[i];
        }
        WorkingMatrices m;
        enter(m, rows);
        step::bubble_pivot(m.a, n, 0);
        for (int i = 0; i < n; ++i) {
            EXPECT_EQ(m.a[i][0], c.expected[i]) << "column " << ::testing::PrintToString(c.column);
        }
    }
}

// A target row with an exact 0 (of either sign) in the pivot column is left
// alone; others become the pivot row minus the ratio times themselves.
TEST(Inversion, EliminationRowForm) {
    for (const double zero : {0.0, -0.0}) {
        WorkingMatrices m;
        enter(m, {{4, 1, 3}, {zero, 0.1, 0.3}, {2, 5, 1}});
        step::eliminate_below(m.a, 3, 0);
        EXPECT_EQ(std::vector<double>(m.a[1], m.a[1] + 6),
                  (std::vector<double>{zero, 0.1, 0.3, 0, 1, 0}));
        EXPECT_EQ(std::vector<double>(m.a[2], m.a[2] + 6),
                  (std::vector<double>{0, 1 - 5 * 2., 3 - 1 * 2., 1, 0, -2}));
    }
}

// How the program answers a matrix: an inverse it trusts, an inverse it
// warns about, a refusal with the note that the matrix with its rows
// rescaled has an inverse, or a plain refusal.
enum class Answer { trusted, warned, noted, refused };

bool observed_and_plain_agree(const WorkingMatrices& entered, Outcome plain, const Matrix& a) {
    WorkingMatrices traced = entered;
    RecordingObserver observer;
    return invert(traced.a, traced.n, &observer) == plain &&
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
        {"huge entries", {{1e200, 0}, {0, -1e200}}, Answer::trusted, Rows{{1e-200, 0}, {0, -1e-200}}},
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
            EXPECT_EQ(inverts_with_rows_rescaled(m.a0, m.n), c.answer == Answer::noted) << c.name;
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
            EXPECT_FALSE(inverts_with_rows_rescaled(singular.a0, n)) << "made singular, " << label;
        }
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
