#include "exact/exact_inversion.h"

#include "inversion/elimination.h"

namespace matinv {
namespace {

// Keeps the determinant from the steps as they are taken and passes each
// on. Dividing a row by s divides the determinant by s, an exchange negates
// it, and "row p minus ratio times row r" multiplies it by -ratio; at the
// end the left half is the identity, whose determinant is 1, so the entered
// matrix's determinant is the product of the inverses of those factors.
template <class Next>
class DeterminantKeeper final : public ExactObserver {
public:
    DeterminantKeeper(Rational& determinant, Next& next) : determinant_(determinant), next_(next) {
        mpq_set_ui(determinant_.get(), 1, 1);
    }

    void seeded(const RationalMatrix& a, int n) override { next_.seeded(a, n); }
    void row_scaled(int i, const Rational& s) override {
        mpq_mul(determinant_.get(), determinant_.get(), s.get());
        next_.row_scaled(i, s);
    }
    void scaling_done(const RationalMatrix& a, int n) override { next_.scaling_done(a, n); }
    void column_started(Phase phase, int j) override { next_.column_started(phase, j); }
    void rows_exchanged(int upper) override {
        mpq_neg(determinant_.get(), determinant_.get());
        next_.rows_exchanged(upper);
    }
    void row_replaced(int r, int p, const Rational& ratio) override {
        mpq_div(determinant_.get(), determinant_.get(), ratio.get());
        mpq_neg(determinant_.get(), determinant_.get());
        next_.row_replaced(r, p, ratio);
    }
    void row_kept(int r, int j) override { next_.row_kept(r, j); }
    void column_done(const RationalMatrix& a, int n) override { next_.column_done(a, n); }
    void singularity_tested(int smallest_row, const Rational& smallest, bool singular) override {
        if (singular) {
            mpq_set_ui(determinant_.get(), 0, 1);
        }
        next_.singularity_tested(smallest_row, smallest, singular);
    }
    void row_divided_by_diagonal(int i, const Rational& d) override {
        mpq_mul(determinant_.get(), determinant_.get(), d.get());
        next_.row_divided_by_diagonal(i, d);
    }
    void final_division_done(const RationalMatrix& a, int n) override {
        next_.final_division_done(a, n);
    }

private:
    Rational& determinant_;
    Next& next_;
};

struct Unobserved final : ExactObserver {};

}  // namespace

void clear(ExactMatrices& m) {
    for (int i = 0; i < kMaxOrder; ++i) {
        for (int j = 0; j < kColumns; ++j) {
            mpq_set_ui(m.a[i][j].get(), 0, 1);
            mpq_set_ui(m.a0[i][j].get(), 0, 1);
        }
    }
}

void store_entry(ExactMatrices& m, int i, int j, const Rational& x) {
    m.a[i][j] = x;
    m.a0[i][j] = x;
}

void seed_identity(ExactMatrices& m, int i) { mpq_set_ui(m.a[i][m.n + i].get(), 1, 1); }

Outcome invert_exactly(RationalMatrix& a, int n, Rational& determinant) {
    Unobserved nobody;
    return invert_exactly(a, n, determinant, nobody);
}

Outcome invert_exactly(RationalMatrix& a, int n, Rational& determinant, ExactObserver& observer) {
    DeterminantKeeper keeper(determinant, observer);
    return elimination::run_steps(a, n, keeper);
}

}  // namespace matinv
