// Properties of the inversion that hold whatever its exact steps: a
// well-conditioned matrix times its inverse is the identity, a matrix with a
// zero row or two equal rows has no inverse, and an attempt never depends on
// what an earlier failed one left behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "dialogue/driver.h"
#include "dialogue/memory_streams.h"
#include "inversion/inversion.h"
#include "inversion/working_matrices.h"
#include "matrix_fixtures.h"

namespace matinv {
namespace {

using testing::enter;
using testing::Rows;

// Reproducible on every platform: mt19937_64 is fully specified, and the
// doubles are made from its bits here rather than by a library distribution.
class Random {
public:
    explicit Random(std::uint64_t seed) : engine_(seed) {}
    double unit() { return static_cast<double>(engine_() >> 11) * 0x1p-53; }  // [0, 1)
    double symmetric() { return 2.0 * unit() - 1.0; }                         // [-1, 1)
    int below(int bound) { return static_cast<int>(engine_() % static_cast<std::uint64_t>(bound)); }

private:
    std::mt19937_64 engine_;
};

// Strictly diagonally dominant, so far from singular; then each row is scaled
// by a power of ten and the rows are shuffled, so that the pivot search and
// the row scaling have work to do.
Rows well_conditioned(int n, Random& random) {
    Rows rows(n, std::vector<double>(n));
    for (int i = 0; i < n; ++i) {
        double off_diagonal = 0.0;
        for (int j = 0; j < n; ++j) {
            if (j != i) {
                rows[i][j] = random.symmetric() * 10.0;
                off_diagonal += std::fabs(rows[i][j]);
            }
        }
        const double margin = 1.0 + random.unit() * 10.0;
        rows[i][i] = (random.unit() < 0.5 ? -1.0 : 1.0) * (off_diagonal + margin);
        const double scale = std::pow(10.0, random.below(5) - 2);
        for (double& x : rows[i]) {
            x *= scale;
        }
    }
    for (int i = n - 1; i > 0; --i) {
        std::swap(rows[i], rows[random.below(i + 1)]);
    }
    return rows;
}

Outcome invert_rows(WorkingMatrices& m, const Rows& rows) {
    enter(m, rows);
    return invert(m.a, m.n);
}

// The largest distance of the entered matrix times the computed inverse from
// the identity.
double distance_from_identity(const WorkingMatrices& m) {
    double largest = 0.0;
    for (int i = 0; i < m.n; ++i) {
        for (int j = 0; j < m.n; ++j) {
            double sum = 0.0;
            for (int k = 0; k < m.n; ++k) {
                sum += m.a0[i][k] * m.a[k][m.n + j];
            }
            largest = std::fmax(largest, std::fabs(sum - (i == j ? 1.0 : 0.0)));
        }
    }
    return largest;
}

// Enough digits that every double reads back as itself, so that a failing
// matrix can be typed into the program as it stands.
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

std::string describe(const Rows& rows) { return ", rows:\n" + as_text(rows); }

constexpr int kMatricesPerOrder = 50;

TEST(InversionProperty, WellConditionedMatrixTimesInverseIsIdentity) {
    for (int n = 1; n <= kMaxOrder; ++n) {
        Random random(static_cast<std::uint64_t>(n));
        for (int trial = 0; trial < kMatricesPerOrder; ++trial) {
            const Rows rows = well_conditioned(n, random);
            WorkingMatrices m;
            ASSERT_EQ(invert_rows(m, rows), Outcome::success)
                << "order " << n << ", trial " << trial << describe(rows);
            EXPECT_LE(distance_from_identity(m), 1e-9)
                << "order " << n << ", trial " << trial << describe(rows);
        }
    }
}

TEST(InversionProperty, MatrixWithZeroRowHasNoInverse) {
    for (int n = 1; n <= kMaxOrder; ++n) {
        Random random(100 + static_cast<std::uint64_t>(n));
        for (int zero_row = 0; zero_row < n; ++zero_row) {
            Rows rows = well_conditioned(n, random);
            rows[zero_row].assign(n, 0.0);
            WorkingMatrices m;
            EXPECT_EQ(invert_rows(m, rows), Outcome::failure)
                << "order " << n << ", row " << zero_row + 1 << " zero" << describe(rows);
        }
    }
}

TEST(InversionProperty, MatrixWithTwoEqualRowsHasNoInverse) {
    for (int n = 2; n <= kMaxOrder; ++n) {
        Random random(200 + static_cast<std::uint64_t>(n));
        for (int trial = 0; trial < kMatricesPerOrder; ++trial) {
            Rows rows = well_conditioned(n, random);
            const int copied = random.below(n);
            const int overwritten = (copied + 1 + random.below(n - 1)) % n;
            rows[overwritten] = rows[copied];
            WorkingMatrices m;
            EXPECT_EQ(invert_rows(m, rows), Outcome::failure)
                << "order " << n << ", row " << overwritten + 1 << " equal to row " << copied + 1
                << describe(rows);
        }
    }
}

// A failing order-10 attempt with large entries everywhere, the last row zero.
Rows large_singular(Random& random) {
    Rows rows(kMaxOrder, std::vector<double>(kMaxOrder));
    for (auto& row : rows) {
        for (double& x : row) {
            x = random.symmetric() * 1e6;
        }
    }
    rows.back().assign(kMaxOrder, 0.0);
    return rows;
}

bool same_bits(const Matrix& x, const Matrix& y) { return std::memcmp(x, y, sizeof(Matrix)) == 0; }

TEST(InversionProperty, AttemptAfterLargerFailureMatchesFreshRunBitForBit) {
    Random random(300);
    for (int n = 1; n <= kMaxOrder; ++n) {
        const Rows rows = well_conditioned(n, random);
        WorkingMatrices fresh;
        const Outcome fresh_outcome = invert_rows(fresh, rows);

        WorkingMatrices reused;
        ASSERT_EQ(invert_rows(reused, large_singular(random)), Outcome::failure);
        const Outcome reused_outcome = invert_rows(reused, rows);

        EXPECT_EQ(reused_outcome, fresh_outcome) << "order " << n << describe(rows);
        EXPECT_TRUE(same_bits(reused.a, fresh.a)) << "a differs, order " << n << describe(rows);
        EXPECT_TRUE(same_bits(reused.a0, fresh.a0)) << "a0 differs, order " << n << describe(rows);
    }
}

std::string as_input(const Rows& rows) {
    return std::to_string(rows.size()) + "\n" + as_text(rows);
}

std::string dialogue_output(const std::string& input) {
    MemorySource in(input);
    MemorySink out;
    MemorySink errors;
    EXPECT_EQ(run_dialogue(in, out, errors), 0) << input << errors.text;
    return out.text;
}

// The same through the dialogue: after the failed order-10 attempt, the rest
// of the output is exactly that of a run given only the smaller matrix.
TEST(InversionProperty, DialogueAfterLargerFailureMatchesFreshRun) {
    Random random(400);
    for (int n = 1; n <= kMaxOrder; ++n) {
        const std::string matrix = as_input(well_conditioned(n, random));
        const std::string fresh = dialogue_output(matrix);
        const std::string after_failure =
            dialogue_output(as_input(large_singular(random)) + matrix);

        constexpr std::string_view kNoInverse = "\nINVERSE MATRIX NOT EXIST!!\n";
        const std::size_t message = after_failure.find(kNoInverse);
        ASSERT_NE(message, std::string::npos) << "order " << n;
        EXPECT_EQ(after_failure.substr(message + kNoInverse.size()), fresh)
            << "order " << n << ", input:\n"
            << matrix;
    }
}

TEST(InversionProperty, OrderOfZeroOrLessSucceedsAndLeavesMatrixAlone) {
    Random random(500);
    for (const int n : {0, -1, -10, INT_MIN + 1, INT_MIN}) {
        WorkingMatrices m;
        enter(m, well_conditioned(kMaxOrder, random));
        Matrix before;
        std::memcpy(before, m.a, sizeof(Matrix));
        EXPECT_EQ(invert(m.a, n), Outcome::success) << "order " << n;
        EXPECT_TRUE(same_bits(m.a, before)) << "order " << n;
    }
}

}  // namespace
}  // namespace matinv
