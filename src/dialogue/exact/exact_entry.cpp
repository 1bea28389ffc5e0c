#include "exact/exact_entry.h"

#include <algorithm>
#include <string>

namespace matinv {
namespace {

// mpz_sizeinbase may count one digit too many, so the count is checked.
std::size_t decimal_digits(mpz_srcptr z) {
    std::size_t digits = mpz_sizeinbase(z, 10);
    if (digits > 1) {
        mpz_t power;
        mpz_init(power);
        mpz_ui_pow_ui(power, 10, digits - 1);
        digits -= mpz_cmpabs(z, power) < 0 ? 1 : 0;
        mpz_clear(power);
    }
    return digits;
}

ExactEntryError keep_within_limit(Rational& value, Rational& out) {
    const auto limit = static_cast<std::size_t>(kExactDigitLimit);
    if (decimal_digits(mpq_numref(value.get())) > limit ||
        decimal_digits(mpq_denref(value.get())) > limit) {
        return ExactEntryError::too_large;
    }
    swap(out, value);
    return ExactEntryError::none;
}

// numerator / denominator into out: refused when the denominator is 0 or
// the quotient beyond the limit.
ExactEntryError divide_within_limit(Rational& numerator, const Rational& denominator,
                                    Rational& out) {
    if (is_zero(denominator)) {
        return ExactEntryError::zero_denominator;
    }
    mpq_div(numerator.get(), numerator.get(), denominator.get());
    return keep_within_limit(numerator, out);
}

}  // namespace

ExactEntryError rational_from_decimal(bool negative, std::string_view digits, std::int64_t exponent,
                                      Rational& out) {
    while (!digits.empty() && digits.front() == '0') {
        digits.remove_prefix(1);
    }
    while (!digits.empty() && digits.back() == '0') {
        digits.remove_suffix(1);
        ++exponent;
    }
    if (digits.empty()) {
        mpq_set_ui(out.get(), 0, 1);
        return ExactEntryError::none;
    }
    // Written out, a decimal whose lowest terms keep within the limit has
    // at most 10/3 times as many digits as the limit (its denominator is a
    // tenth power divided by a power of 2 or of 5, but not of both): anything
    // longer is refused before any work is spent on it.
    const auto count = static_cast<std::int64_t>(digits.size());
    const std::int64_t written = exponent >= 0 ? count + exponent : std::max(count, -exponent);
    if (written > 4 * kExactDigitLimit) {
        return ExactEntryError::too_large;
    }
    Rational value;
    const std::string text(digits);
    mpz_set_str(mpq_numref(value.get()), text.c_str(), 10);
    mpz_t power;
    mpz_init(power);
    mpz_ui_pow_ui(power, 10, static_cast<unsigned long>(exponent < 0 ? -exponent : exponent));
    if (exponent < 0) {
        mpz_set(mpq_denref(value.get()), power);
        mpq_canonicalize(value.get());
    } else {
        mpz_mul(mpq_numref(value.get()), mpq_numref(value.get()), power);
    }
    mpz_clear(power);
    if (negative) {
        mpq_neg(value.get(), value.get());
    }
    return keep_within_limit(value, out);
}

ExactEntryError rational_from_parts(const DecimalParts& numerator, const DecimalParts* denominator,
                                    Rational& out) {
    if (numerator.too_long() || (denominator != nullptr && denominator->too_long())) {
        return ExactEntryError::too_large;
    }
    const DecimalParts& p = numerator;
    if (denominator == nullptr) {
        return rational_from_decimal(p.negative(), p.digits(), p.exponent(), out);
    }
    const DecimalParts& q = *denominator;
    Rational top;
    Rational bottom;
    ExactEntryError error = rational_from_decimal(p.negative(), p.digits(), p.exponent(), top);
    if (error == ExactEntryError::none) {
        error = rational_from_decimal(q.negative(), q.digits(), q.exponent(), bottom);
    }
    return error == ExactEntryError::none ? divide_within_limit(top, bottom, out) : error;
}

}  // namespace matinv
