#include "inversion/inversion.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "inversion/inversion_steps.h"

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

// Outcomes, and the inverse where there is one.
TEST(Inversion, Verdicts) {
    const struct {
        const char* name;
        Rows rows;
        bool invertible;
        std::optional<Rows> inverse;
    } cases[] = {
        {"2x2 example", {{4, 7}, {2, 6}}, true, Rows{{0.6, -0.7}, {-0.2, 0.4}}},
        {"order 1", {{3}}, true, Rows{{1. / 3}}},
        {"exchange", {{0, 1}, {1, 0}}, true, Rows{{0, 1}, {1, 0}}},
        {"negative first entry",
         {{-5, 2}, {1, 1}},
         true,
         Rows{{-1. / 7, 2. / 7}, {1. / 7, 5. / 7}}},
        {"order 3",
         {{0, 1, 2}, {1, 0, 3}, {4, -3, 8}},
         true,
         Rows{{-4.5, 7, -1.5}, {-2, 4, -1}, {1.5, -2, 0.5}}},
        {"threshold itself", {{1e-10}}, true, Rows{{1e10}}},
        {"just below threshold", {{0.99e-10}}, false, {}},
        {"dependent rows", {{1, 2}, {2, 4}}, false, {}},
        {"zero", {{0}}, false, {}},
        {"tiny diagonal, though invertible", {{1e-11, 0}, {0, 1e-11}}, false, {}},
        // Only strict double arithmetic leaves a diagonal entry this small;
        // a fused multiply-add or a wider significand would let it pass.
        {"order 4, last row the sum of two others",
         {{7, 8, 6, -1}, {7, -5, 8, -6}, {4, 7, 2, -3}, {11, 2, 10, -9}},
         false,
         {}},
        // Singular, but rounding keeps every diagonal entry above the
        // threshold: the report then shows a huge inverse and a wrong product.
        {"order 5 singular that survives",
         {{-8, 1, -5, -4, -5},
          {-15, -8, -11, 3, 0},
          {3, 3, 3, -1, 1},
          {-7, -9, -6, 7, 5},
          {4, -9, -1, -9, 5}},
         true,
         {}},
        {"not a number passes every test", {{NAN, 1}, {1, 1}}, true, {}},
    };
    for (const auto& c : cases) {
        WorkingMatrices m;
        enter(m, c.rows);
        ASSERT_EQ(invert(m.a, m.n), c.invertible ? Outcome::success : Outcome::failure) << c.name;
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
            ASSERT_EQ(invert(fresh.a, n), Outcome::success) << label;
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
