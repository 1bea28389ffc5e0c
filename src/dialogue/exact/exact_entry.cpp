#include "exact/exact_entry.h"

#include <string>

namespace matinv {
namespace {

// Every decimal that is not refused at sight is held whole: one longer
// than the digits kept would be beyond the limit anyway.
static_assert(DecimalParts::kKeptDigits >= 4 * kExactDigitLimit);

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

ExactEntryError keep_within_limit(Rational& value, std::int64_t limit, Rational& out) {
    const auto most = static_cast<std::size_t>(limit);
    if (decimal_digits(mpq_numref(value.get())) > most) {
        return ExactEntryError::numerator_too_long;
    }
    if (decimal_digits(mpq_denref(value.get())) > most) {
        return ExactEntryError::denominator_too_long;
    }
    swap(out, value);
    return ExactEntryError::none;
}

// A decimal of `count` significant digits times 10^exponent that is beyond
// the limit L whatever its digits, and on which side. Below the point,
// d / 10^m in lowest terms divides both by a power of 2 or of 5, never of
// both, as d has no factor 10: the denominator is at least 2^m, more than
// L digits once m > 4L; with m <= 4L, a d of more than 4L digits keeps a
// numerator above 10^(4L) / 5^(4L) > 10^L. Such decimals are refused before
// any work is spent on them.
ExactEntryError beyond_reach(std::int64_t count, std::int64_t exponent, std::int64_t limit) {
    const std::int64_t reach = 4 * limit;
    if (exponent >= 0) {
        return count + exponent > reach ? ExactEntryError::numerator_too_long
                                        : ExactEntryError::none;
    }
    if (-exponent > reach) {
        return ExactEntryError::denominator_too_long;
    }
    return count > reach ? ExactEntryError::numerator_too_long : ExactEntryError::none;
}

// A decimal's value, as long as it is within reach; the limit itself is
// left to the caller, who may divide by it first.
ExactEntryError read_decimal(bool negative, std::string_view digits, std::int64_t exponent,
                             std::int64_t limit, Rational& value) {
    while (!digits.empty() && digits.front() == '0') {
        digits.remove_prefix(1);
    }
    while (!digits.empty() && digits.back() == '0') {
        digits.remove_suffix(1);
        ++exponent;
    }
    if (digits.empty()) {
        mpq_set_ui(value.get(), 0, 1);
        return ExactEntryError::none;
    }
    const ExactEntryError reach =
        beyond_reach(static_cast<std::int64_t>(digits.size()), exponent, limit);
    if (reach != ExactEntryError::none) {
        return reach;
    }
    const std::string text(digits);
    mpz_set_str(mpq_numref(value.get()), text.c_str(), 10);
    mpz_t power;
    mpz_init(power);
    mpz_ui_pow_ui(power, 10, static_cast<unsigned long>(exponent < 0 ? -exponent : exponent));
    if (exponent < 0) {
        mpz_set(mpq_denref(value.get()), power);
        mpq_canonicalize(value.get());
    } else {
        mpz_set_ui(mpq_denref(value.get()), 1);
        mpz_mul(mpq_numref(value.get()), mpq_numref(value.get()), power);
    }
    mpz_clear(power);
    if (negative) {
        mpq_neg(value.get(), value.get());
    }
    return ExactEntryError::none;
}

// A decimal with more significant digits than were kept: its exponent is
// still that of its last significant digit, which is all beyond_reach
// needs to say which side is beyond the limit.
ExactEntryError read_parts(const DecimalParts& parts, std::int64_t limit, Rational& value) {
    if (parts.too_long()) {
        return beyond_reach(DecimalParts::kKeptDigits + 1, parts.exponent(), limit);
    }
    return read_decimal(parts.negative(), parts.digits(), parts.exponent(), limit, value);
}

// The side of p/q that a refusal of q stands for.
ExactEntryError below_the_bar(ExactEntryError refusal) {
    switch (refusal) {
        case ExactEntryError::numerator_too_long:
            return ExactEntryError::denominator_too_long;
        case ExactEntryError::denominator_too_long:
            return ExactEntryError::numerator_too_long;
        default:
            return refusal;
    }
}

}  // namespace

ExactEntryError rational_from_decimal(bool negative, std::string_view digits, std::int64_t exponent,
                                      Rational& out, std::int64_t digit_limit) {
    Rational value;
    const ExactEntryError error = read_decimal(negative, digits, exponent, digit_limit, value);
    return error == ExactEntryError::none ? keep_within_limit(value, digit_limit, out) : error;
}

ExactEntryError rational_from_parts(const DecimalParts& numerator, const DecimalParts* denominator,
                                    Rational& out, std::int64_t digit_limit) {
    Rational top;
    ExactEntryError error = read_parts(numerator, digit_limit, top);
    if (error != ExactEntryError::none || denominator == nullptr) {
        return error == ExactEntryError::none ? keep_within_limit(top, digit_limit, out) : error;
    }
    Rational bottom;
    error = below_the_bar(read_parts(*denominator, digit_limit, bottom));
    if (error != ExactEntryError::none) {
        return error;
    }
    if (is_zero(bottom)) {
        return ExactEntryError::zero_denominator;
    }
    mpq_div(top.get(), top.get(), bottom.get());
    return keep_within_limit(top, digit_limit, out);
}

}  // namespace matinv
