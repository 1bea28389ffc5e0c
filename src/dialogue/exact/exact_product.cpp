#include "exact/exact_product.h"

namespace matinv {
namespace {

// l = lcm(l, d), quick where d is 1 or l itself, as most denominators of
// one column of an inverse are.
void widen_lcm(mpz_ptr l, mpz_srcptr d) {
    if (mpz_cmp_ui(d, 1) != 0 && mpz_cmp(d, l) != 0) {
        mpz_lcm(l, l, d);
    }
}

}  // namespace

ExactProduct::ExactProduct(const BasicMatrix<Rational>& b_rows, int first, int n) : n_(n) {
    for (int j = 0; j < kMaxOrder; ++j) {
        for (auto& z : column_[j]) {
            mpz_init(z);
        }
        mpz_init(common_[j]);
        mpz_init(row_[j]);
    }
    mpz_init(row_lcm_);
    mpz_init(term_);
    for (int j = 0; j < n; ++j) {
        mpz_set_ui(common_[j], 1);
        for (int k = 0; k < n; ++k) {
            widen_lcm(common_[j], mpq_denref(b_rows[k][first + j].get()));
        }
        for (int k = 0; k < n; ++k) {
            mpq_srcptr b = b_rows[k][first + j].get();
            mpz_divexact(term_, common_[j], mpq_denref(b));
            mpz_mul(column_[j][k], mpq_numref(b), term_);
        }
    }
}

ExactProduct::~ExactProduct() {
    for (int j = 0; j < kMaxOrder; ++j) {
        for (auto& z : column_[j]) {
            mpz_clear(z);
        }
        mpz_clear(common_[j]);
        mpz_clear(row_[j]);
    }
    mpz_clear(row_lcm_);
    mpz_clear(term_);
}

void ExactProduct::row(const Rational* a, Rational* product) {
    mpz_set_ui(row_lcm_, 1);
    for (int k = 0; k < n_; ++k) {
        widen_lcm(row_lcm_, mpq_denref(a[k].get()));
    }
    for (int k = 0; k < n_; ++k) {
        mpz_divexact(term_, row_lcm_, mpq_denref(a[k].get()));
        mpz_mul(row_[k], mpq_numref(a[k].get()), term_);
    }
    for (int j = 0; j < n_; ++j) {
        mpq_ptr p = product[j].get();
        mpz_set_ui(mpq_numref(p), 0);
        for (int k = 0; k < n_; ++k) {
            mpz_addmul(mpq_numref(p), row_[k], column_[j][k]);
        }
        mpz_mul(mpq_denref(p), row_lcm_, common_[j]);
        mpq_canonicalize(p);
    }
}

}  // namespace matinv
