#pragma once

#include <gmp.h>

#include "exact/rational.h"
#include "inversion/working_matrices.h"

// A matrix product A B in exact arithmetic, without a sum of fractions:
// adding fractions takes a gcd of their full length at every step, and the
// entries of an inverse run to thousands of digits. Instead each column of
// B is written over the lcm of its denominators and each row of A over the
// lcm of its own, so that every entry of A B is one integer dot product
// over one denominator, reduced once.
namespace matinv {

class ExactProduct {
public:
    // B is the order-n matrix in the n columns of `b_rows` from `first`.
    ExactProduct(const BasicMatrix<Rational>& b_rows, int first, int n);
    ~ExactProduct();
    ExactProduct(const ExactProduct&) = delete;
    ExactProduct& operator=(const ExactProduct&) = delete;

    // The row a B, for the n entries of a, in lowest terms.
    void row(const Rational* a, Rational* product);

private:
    int n_;
    mpz_t column_[kMaxOrder][kMaxOrder];  // column j of B times common_[j]
    mpz_t common_[kMaxOrder];             // the lcm of column j's denominators
    mpz_t row_[kMaxOrder];                // a times row_lcm_
    mpz_t row_lcm_;
    mpz_t term_;
};

}  // namespace matinv
