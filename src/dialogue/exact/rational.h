#pragma once

#include <gmp.h>

#include <utility>

// An exact rational number, always in lowest terms with a positive
// denominator, held by GMP; and the operations the elimination takes its
// arithmetic from (see inversion/elimination.h), found beside the type.
namespace matinv {

class Rational {
public:
    Rational() { mpq_init(q_); }
    Rational(const Rational& other) : Rational() { mpq_set(q_, other.q_); }
    Rational(Rational&& other) noexcept : Rational() { mpq_swap(q_, other.q_); }
    Rational& operator=(const Rational& other) {
        mpq_set(q_, other.q_);
        return *this;
    }
    Rational& operator=(Rational&& other) noexcept {
        mpq_swap(q_, other.q_);
        return *this;
    }
    ~Rational() { mpq_clear(q_); }

    // p/q, reduced; q must not be 0.
    static Rational fraction(long p, unsigned long q) {
        Rational r;
        mpq_set_si(r.q_, p, q);
        mpq_canonicalize(r.q_);
        return r;
    }

    mpq_ptr get() { return q_; }
    mpq_srcptr get() const { return q_; }

    friend bool operator==(const Rational& x, const Rational& y) { return mpq_equal(x.q_, y.q_); }
    friend void swap(Rational& x, Rational& y) noexcept { mpq_swap(x.q_, y.q_); }

private:
    mpq_t q_;
};

// A read-only view of |x| that shares x's digits, so that magnitudes are
// compared without copying them.
class MagnitudeView {
public:
    explicit MagnitudeView(const Rational& x) {
        const mpz_srcptr num = mpq_numref(x.get());
        const mpz_srcptr den = mpq_denref(x.get());
        mpz_roinit_n(mpq_numref(view_), mpz_limbs_read(num), static_cast<mp_size_t>(mpz_size(num)));
        mpz_roinit_n(mpq_denref(view_), mpz_limbs_read(den), static_cast<mp_size_t>(mpz_size(den)));
    }
    mpq_srcptr get() const { return view_; }

private:
    mpq_t view_;
};

inline bool magnitude_exceeds(const Rational& x, const Rational& s) {
    return mpq_cmp(MagnitudeView(x).get(), s.get()) > 0;
}
inline bool magnitude_below(const Rational& x, const Rational& y) {
    return mpq_cmp(MagnitudeView(x).get(), MagnitudeView(y).get()) < 0;
}
inline bool is_less(const Rational& x, const Rational& y) { return mpq_cmp(x.get(), y.get()) < 0; }
inline bool is_zero(const Rational& x) { return mpq_sgn(x.get()) == 0; }
inline bool is_nan(const Rational& /*x*/) { return false; }
inline void set_magnitude(Rational& m, const Rational& x) { mpq_abs(m.get(), x.get()); }
inline void set_quotient(Rational& q, const Rational& dividend, const Rational& divisor) {
    mpq_div(q.get(), dividend.get(), divisor.get());
}
inline void divide_by(Rational& x, const Rational& divisor) {
    mpq_div(x.get(), x.get(), divisor.get());
}
inline void set_product(Rational& p, const Rational& x, const Rational& y) {
    mpq_mul(p.get(), x.get(), y.get());
}
inline void set_difference(Rational& d, const Rational& minuend, const Rational& subtrahend) {
    mpq_sub(d.get(), minuend.get(), subtrahend.get());
}
// Nothing is rounded: only an exact 0 on the diagonal means no inverse.
inline bool below_singularity_bound(const Rational& magnitude) { return is_zero(magnitude); }

}  // namespace matinv
