#include "inversion/inversion.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "inversion/inversion_steps.h"
#include "matrix_fixtures.h"

namespace matinv {
namespace {

using testing::entered;
using testing::row;
using testing::Rows;

// The 2x2 example (4 7 / 2 6), step by step; every expected value is the
// same chain of rounded double operations written out by hand.
TEST(WorkedExample, IntermediateMatricesOfEachStep) {
    WorkingMatrices m = entered({{4, 7}, {2, 6}});
    EXPECT_EQ(row(m.a, 2, 0), (std::vector<double>{4, 7, 1, 0}));
    EXPECT_EQ(row(m.a, 2, 1), (std::vector<double>{2, 6, 0, 1}));

    step::scale_rows(m.a, 2);  // divisors 7 and 6
    const std::vector<double> row0 = {4.0 / 7, 7.0 / 7, 1.0 / 7, 0.0};
    const std::vector<double> scaled1 = {2.0 / 6, 6.0 / 6, 0.0, 1.0 / 6};
    EXPECT_EQ(row(m.a, 2, 0), row0);
    EXPECT_EQ(row(m.a, 2, 1), scaled1);

    step::forward_phase(m.a, 2);  // no exchange; ratio (4/7)/(1/3)
    const double ratio = row0[0] / scaled1[0];
    std::vector<double> row1(4);
    for (int k = 0; k < 4; ++k) {
        const double product = scaled1[k] * ratio;
        row1[k] = row0[k] - product;
    }
    EXPECT_EQ(row(m.a, 2, 0), row0);
    EXPECT_EQ(row(m.a, 2, 1), row1);
    EXPECT_NEAR(row1[1], -5.0 / 7, 1e-15);

    EXPECT_FALSE(step::has_small_diagonal(m.a, 2));

    step::backward_phase(m.a, 2);  // ratio (-5/7)/1 on row 0
    const double up_ratio = row1[1] / row0[1];
    std::vector<double> reduced0(4);
    for (int k = 0; k < 4; ++k) {
        const double product = row0[k] * up_ratio;
        reduced0[k] = row1[k] - product;
    }
    EXPECT_EQ(row(m.a, 2, 0), reduced0);
    EXPECT_EQ(row(m.a, 2, 1), row1);
    EXPECT_NEAR(reduced0[0], 20.0 / 49, 1e-15);
    EXPECT_EQ(reduced0[1], 0.0);

    step::normalise(m.a, 2);
    EXPECT_NEAR(m.a[0][2], 0.6, 1e-15);
    EXPECT_NEAR(m.a[0][3], -0.7, 1e-15);
    EXPECT_NEAR(m.a[1][2], -0.2, 1e-15);
    EXPECT_NEAR(m.a[1][3], 0.4, 1e-15);
}

// The divisor is replaced only by an entry whose magnitude exceeds its
// current signed value: not a search for the largest magnitude.
TEST(RowScaling, DivisorRule) {
    struct Case {
        Rows rows;
        std::vector<double> divisors;
    };
    const Case cases[] = {
        {{{-5, 2}, {1, 1}}, {2, 1}},          // -5 yields to 2, which |-5| does not exceed
        {{{4, 7}, {2, 6}}, {7, 6}},           // the largest entry
        {{{0.5, 0.25}, {0.1, 0.2}}, {1, 1}},  // the identity 1 wins
        {{{2, -8}, {6, -2}}, {1, 6}},         // -8 takes over, then the 1 exceeds it
        {{{-3, -1}, {-7, 0.5}}, {1, 1}},      // row 1: -7, then 0.5, then 0.5 < 1
    };
    for (const Case& c : cases) {
        WorkingMatrices m = entered(c.rows);
        WorkingMatrices before = m;
        step::scale_rows(m.a, m.n);
        for (int i = 0; i < m.n; ++i) {
            for (int j = 0; j < 2 * m.n; ++j) {
                EXPECT_EQ(m.a[i][j], before.a[i][j] / c.divisors[i])
                    << "row " << i << " of the matrix starting " << c.rows[0][0];
            }
        }
    }
}

// Column j of rows j..n-1 after one bubbling pass: adjacent exchanges from
// the bottom, equal magnitudes never exchanged.
TEST(PivotBubbling, OrderAfterOnePass) {
    struct Case {
        std::vector<double> column;
        std::vector<double> expected;
    };
    const Case cases[] = {
        {{3, 1, 2}, {3, 2, 1}},   {{1, 2, 3}, {3, 1, 2}},
        {{0, 1}, {1, 0}},         {{-4, 4, 1}, {-4, 4, 1}},  // equal magnitude: the upper row stays
        {{1, -4, 4}, {-4, 1, 4}}, {{2, 5, -5, 1}, {5, 2, -5, 1}},
    };
    for (const Case& c : cases) {
        const int n = static_cast<int>(c.column.size());
        Rows rows(n, std::vector<double>(n, 1.0));
        for (int i = 0; i < n; ++i) {
            rows[i][0] = c.column[i];
        }
        WorkingMatrices m = entered(rows);
        step::bubble_pivot(m.a, n, 0);
        std::vector<double> got(n);
        for (int i = 0; i < n; ++i) {
            got[i] = m.a[i][0];
        }
        EXPECT_EQ(got, c.expected) << "column starting " << c.column[0] << ", " << c.column[1];
    }
}

// A target row holding an exact 0 (of either sign) in the pivot column is
// left exactly as it was, even where the row operation would change it.
TEST(Elimination, ExactZeroTargetIsLeftAlone) {
    for (const double zero : {0.0, -0.0}) {
        WorkingMatrices m = entered({{4, 1, 3}, {zero, 0.1, 0.3}, {2, 5, 1}});
        Matrix& a = m.a;
        const std::vector<double> untouched = row(a, 3, 1);
        step::eliminate_below(a, 3, 0);
        EXPECT_EQ(row(a, 3, 1), untouched) << "zero " << zero;
        EXPECT_EQ(a[2][0], 0.0);
        EXPECT_EQ(a[2][1], 1 - 5 * 2.0);  // pivot row minus ratio 2 times the target
    }
}

struct Verdict {
    const char* name;
    Rows rows;
    Outcome outcome;
};

TEST(Invert, Verdicts) {
    const Verdict cases[] = {
        {"2x2 example", {{4, 7}, {2, 6}}, Outcome::success},
        {"dependent rows", {{1, 2}, {2, 4}}, Outcome::failure},
        {"zero", {{0}}, Outcome::failure},
        {"threshold itself", {{1e-10}}, Outcome::success},
        {"just below threshold", {{0.99e-10}}, Outcome::failure},
        {"tiny diagonal, invertible", {{1e-11, 0}, {0, 1e-11}}, Outcome::failure},
        {"exchange needed", {{0, 1}, {1, 0}}, Outcome::success},
        // Only strict double arithmetic leaves a diagonal entry this small;
        // a fused multiply-add or a wider significand would let it pass.
        {"order 4, last row the sum of two others",
         {{7, 8, 6, -1}, {7, -5, 8, -6}, {4, 7, 2, -3}, {11, 2, 10, -9}},
         Outcome::failure},
        // Singular, but rounding keeps every diagonal entry above the
        // threshold: the report shows a huge inverse and a wrong product.
        {"order 5 singular that survives",
         {{-8, 1, -5, -4, -5},
          {-15, -8, -11, 3, 0},
          {3, 3, 3, -1, 1},
          {-7, -9, -6, 7, 5},
          {4, -9, -1, -9, 5}},
         Outcome::success},
        {"not a number passes every test", {{NAN, 1}, {1, 1}}, Outcome::success},
        {"order 0 has nothing to do", {}, Outcome::success},
    };
    for (const Verdict& c : cases) {
        WorkingMatrices m = entered(c.rows);
        EXPECT_EQ(invert(m.a, m.n), c.outcome) << c.name;
    }
}

struct Inverse {
    const char* name;
    Rows rows;
    Rows inverse;
};

TEST(Invert, Inverses) {
    const Inverse cases[] = {
        {"2x2 example", {{4, 7}, {2, 6}}, {{0.6, -0.7}, {-0.2, 0.4}}},
        {"order 1", {{3}}, {{1.0 / 3}}},
        {"exchange", {{0, 1}, {1, 0}}, {{0, 1}, {1, 0}}},
        {"negative first entry", {{-5, 2}, {1, 1}}, {{-1.0 / 7, 2.0 / 7}, {1.0 / 7, 5.0 / 7}}},
        {"order 3",
         {{0, 1, 2}, {1, 0, 3}, {4, -3, 8}},
         {{-4.5, 7, -1.5}, {-2, 4, -1}, {1.5, -2, 0.5}}},
        {"threshold itself", {{1e-10}}, {{1e10}}},
    };
    for (const Inverse& c : cases) {
        WorkingMatrices m = entered(c.rows);
        ASSERT_EQ(invert(m.a, m.n), Outcome::success) << c.name;
        for (int i = 0; i < m.n; ++i) {
            for (int j = 0; j < m.n; ++j) {
                const double want = c.inverse[i][j];
                EXPECT_NEAR(m.a[i][m.n + j], want, 1e-12 * (1 + std::fabs(want)))
                    << c.name << " at (" << i << ", " << j << ")";
                EXPECT_NEAR(m.a[i][j], i == j ? 1.0 : 0.0, 1e-12) << c.name << " left half";
            }
        }
    }
}

// The inversion writes only the used block of a.
TEST(Invert, LeavesUnusedEntriesAlone) {
    WorkingMatrices m = entered({{0, 1, 2}, {1, 0, 3}, {4, -3, 8}});
    for (int i = 0; i < kMaxOrder; ++i) {
        for (int j = 0; j < kColumns; ++j) {
            if (i >= 3 || j >= 6) {
                m.a[i][j] = 42.0;
            }
        }
    }
    ASSERT_EQ(invert(m.a, 3), Outcome::success);
    for (int i = 0; i < kMaxOrder; ++i) {
        for (int j = 0; j < kColumns; ++j) {
            if (i >= 3 || j >= 6) {
                EXPECT_EQ(m.a[i][j], 42.0) << "(" << i << ", " << j << ")";
            }
        }
    }
}

}  // namespace
}  // namespace matinv
