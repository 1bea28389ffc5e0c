#include "exact/fraction_free_inversion.h"

#include <gmp.h>

#include <utility>

#include "inversion/working_matrices.h"

namespace matinv {
namespace {

// GMP integers made once per inversion and reused by every step; they
// take memory only as their values grow.
class IntegerWork {
public:
    IntegerWork() {
        for (auto& row : m_) {
            for (auto& z : row) {
                mpz_init(z);
            }
        }
        for (auto& z : scale_) {
            mpz_init(z);
        }
        mpz_init(factor_);
        mpz_init(term_);
        mpz_init(shared_);
        mpz_init(denominator_);
        for (int i = 0; i < kMaxOrder; ++i) {
            row_[i] = m_[i];
        }
    }
    ~IntegerWork() {
        for (auto& row : m_) {
            for (auto& z : row) {
                mpz_clear(z);
            }
        }
        for (auto& z : scale_) {
            mpz_clear(z);
        }
        mpz_clear(factor_);
        mpz_clear(term_);
        mpz_clear(shared_);
        mpz_clear(denominator_);
    }
    IntegerWork(const IntegerWork&) = delete;
    IntegerWork& operator=(const IntegerWork&) = delete;

    // Entry (i, j) of [M | I] as the rows now stand; rows are exchanged by
    // their pointers, never by their digits.
    mpz_ptr at(int i, int j) { return row_[i][j]; }
    void exchange_rows(int i, int k) { std::swap(row_[i], row_[k]); }
    // The lcm of the denominators of the entered row i (rows as entered).
    mpz_ptr scale(int i) { return scale_[i]; }
    mpz_ptr factor() { return factor_; }
    mpz_ptr term() { return term_; }
    mpz_ptr shared() { return shared_; }
    mpz_ptr denominator() { return denominator_; }

private:
    mpz_t m_[kMaxOrder][kColumns];
    mpz_t* row_[kMaxOrder];
    mpz_t scale_[kMaxOrder];
    mpz_t factor_;
    mpz_t term_;
    mpz_t shared_;
    mpz_t denominator_;
};

// [M | I], M being row i of a0 times the lcm of its denominators.
void load_integer_rows(const RationalMatrix& a0, int n, IntegerWork& w) {
    for (int i = 0; i < n; ++i) {
        mpz_ptr scale = w.scale(i);
        mpz_set_ui(scale, 1);
        for (int j = 0; j < n; ++j) {
            mpz_srcptr den = mpq_denref(a0[i][j].get());
            if (mpz_cmp_ui(den, 1) != 0) {
                mpz_lcm(scale, scale, den);
            }
        }
        for (int j = 0; j < n; ++j) {
            mpz_divexact(w.term(), scale, mpq_denref(a0[i][j].get()));
            mpz_mul(w.at(i, j), mpq_numref(a0[i][j].get()), w.term());
        }
        for (int j = 0; j < n; ++j) {
            mpz_set_ui(w.at(i, n + j), i == j ? 1 : 0);
        }
    }
}

// Column k's pivot: the first row from k down with a nonzero entry there,
// or -1 when there is none and the matrix is singular.
int pivot_row(IntegerWork& w, int n, int k) {
    for (int r = k; r < n; ++r) {
        if (mpz_sgn(w.at(r, k)) != 0) {
            return r;
        }
    }
    return -1;
}

// Row i becomes (p row i - f row k) / previous over the columns still to
// be reduced, where p is the pivot and f row i's entry in column k: an
// exact division, as the result is a minor of M. Columns up to k are no
// longer read (their values are known: 0, or the pivot on the diagonal),
// so they are left as they are.
void reduce_row(IntegerWork& w, int n, int k, int i, mpz_srcptr previous, bool divide) {
    mpz_srcptr pivot = w.at(k, k);
    mpz_swap(w.factor(), w.at(i, k));
    mpz_srcptr f = w.factor();
    for (int j = k + 1; j < 2 * n; ++j) {
        mpz_ptr x = w.at(i, j);
        mpz_srcptr y = w.at(k, j);
        if (mpz_sgn(y) == 0 && mpz_sgn(x) == 0) {
            continue;
        }
        mpz_mul(w.term(), x, pivot);
        mpz_submul(w.term(), f, y);
        if (divide) {
            mpz_divexact(x, w.term(), previous);
        } else {
            mpz_swap(x, w.term());
        }
    }
}

// The fraction-free Gauss-Jordan elimination of [M | I]. Returns the sign
// of the row exchanges' permutation, or 0 for a singular matrix; on
// success the last pivot is d, and the right half is d M^-1 with M's rows
// as entered.
int eliminate(IntegerWork& w, int n) {
    int sign = 1;
    mpz_srcptr previous = nullptr;  // 1 before the first pivot
    for (int k = 0; k < n; ++k) {
        const int p = pivot_row(w, n, k);
        if (p < 0) {
            return 0;
        }
        if (p != k) {
            w.exchange_rows(p, k);
            sign = -sign;
        }
        const bool divide = previous != nullptr && mpz_cmp_ui(previous, 1) != 0;
        for (int i = 0; i < n; ++i) {
            if (i != k) {
                reduce_row(w, n, k, i, previous, divide);
            }
        }
        // Columns up to k are not written again, so the pivot stays put.
        previous = w.at(k, k);
    }
    return sign;
}

// Column j of [B] = adj D / d, that is (adj)_kj L_j / d for each row k,
// in lowest terms. With e = gcd(L_j, d), the fraction is (adj)_kj (L_j/e)
// over d/e, and L_j/e has no factor in common with d/e, so (adj)_kj's gcd g
// with d/e is all that cancels. That g divides G = gcd(d/e, the product of
// the column's entries mod d/e), and G is mostly small: one gcd of the full
// length per column, and a short one per entry, rather than one of the full
// length per entry.
void write_inverse_column(IntegerWork& w, int n, int j, RationalMatrix& a) {
    mpz_srcptr d = w.at(n - 1, n - 1);
    const mpz_ptr e = w.factor();
    const mpz_ptr g = w.term();
    const mpz_ptr shared = w.shared();
    const mpz_ptr den = w.denominator();
    const mpz_ptr scale = w.scale(j);
    mpz_gcd(e, scale, d);
    mpz_divexact(den, d, e);
    mpz_divexact(scale, scale, e);
    if (mpz_sgn(den) < 0) {
        mpz_neg(den, den);
        mpz_neg(scale, scale);
    }
    mpz_set_ui(shared, 1);
    for (int k = 0; k < n; ++k) {
        if (mpz_sgn(w.at(k, n + j)) != 0) {
            mpz_mul(shared, shared, w.at(k, n + j));
            mpz_tdiv_r(shared, shared, den);
        }
    }
    mpz_gcd(shared, shared, den);
    for (int k = 0; k < n; ++k) {
        mpq_ptr b = a[k][n + j].get();
        mpz_srcptr adj = w.at(k, n + j);
        if (mpz_sgn(adj) == 0) {
            mpq_set_ui(b, 0, 1);
            continue;
        }
        mpz_gcd(g, adj, shared);
        mpz_divexact(mpq_numref(b), adj, g);
        mpz_mul(mpq_numref(b), mpq_numref(b), scale);
        mpz_divexact(mpq_denref(b), den, g);
    }
}

// [B] column by column; the left half the identity; det A = det M / det D,
// D's entries taken before write_inverse_column changes them.
void write_inverse(IntegerWork& w, int n, int sign, RationalMatrix& a, Rational& determinant) {
    mpz_srcptr d = w.at(n - 1, n - 1);
    mpq_ptr det = determinant.get();
    mpz_set(mpq_numref(det), d);
    if (sign < 0) {
        mpz_neg(mpq_numref(det), mpq_numref(det));
    }
    mpz_set_ui(mpq_denref(det), 1);
    for (int i = 0; i < n; ++i) {
        mpz_mul(mpq_denref(det), mpq_denref(det), w.scale(i));
    }
    mpq_canonicalize(det);
    for (int k = 0; k < n; ++k) {
        for (int j = 0; j < n; ++j) {
            mpq_set_ui(a[k][j].get(), k == j ? 1 : 0, 1);
        }
    }
    for (int j = 0; j < n; ++j) {
        write_inverse_column(w, n, j, a);
    }
}

}  // namespace

Outcome invert_without_fractions(const RationalMatrix& a0, int n, RationalMatrix& a,
                                 Rational& determinant) {
    if (n <= 0) {
        mpq_set_ui(determinant.get(), 1, 1);
        return Outcome::success;
    }
    IntegerWork w;
    load_integer_rows(a0, n, w);
    const int sign = eliminate(w, n);
    if (sign == 0) {
        mpq_set_ui(determinant.get(), 0, 1);
        return Outcome::failure;
    }
    write_inverse(w, n, sign, a, determinant);
    return Outcome::success;
}

}  // namespace matinv
