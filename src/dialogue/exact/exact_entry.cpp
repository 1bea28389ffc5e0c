#include "exact/exact_entry.h"

#include <algorithm>
#include <string>

namespace matinv {
namespace {

// Exponents are held up to here and no further, so that no count can
// overflow; anything near it is refused as too large anyway.
constexpr std::int64_t kExponentCap = 1'000'000'000'000;

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// Adds the exponent that may follow a decimal's digits at `at` to exponent,
// and returns where the decimal ends: an e with no digits after it is not
// part of the number.
std::size_t take_exponent(std::string_view text, std::size_t at, std::int64_t& exponent) {
    if (at + 1 >= text.size() || (text[at] != 'e' && text[at] != 'E')) {
        return at;
    }
    std::size_t e = at + 1;
    const bool negative = text[e] == '-';
    if (text[e] == '+' || text[e] == '-') {
        ++e;
    }
    if (e >= text.size() || !is_digit(text[e])) {
        return at;
    }
    std::int64_t written = 0;
    for (; e < text.size() && is_digit(text[e]); ++e) {
        written = written < kExponentCap ? written * 10 + (text[e] - '0') : written;
    }
    exponent += negative ? -written : written;
    return e;
}

// Reads one decimal from the front of text into its sign, digits and power
// of ten; false when the front holds no decimal. Stops at the first
// character that cannot continue it.
bool take_decimal(std::string_view& text, bool& negative, std::string& digits,
                  std::int64_t& exponent) {
    std::size_t at = 0;
    negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        negative = text[at++] == '-';
    }
    digits.clear();
    exponent = 0;
    while (at < text.size() && is_digit(text[at])) {
        digits += text[at++];
    }
    if (at < text.size() && text[at] == '.') {
        ++at;
        while (at < text.size() && is_digit(text[at])) {
            digits += text[at++];
            --exponent;
        }
    }
    if (digits.empty()) {
        return false;
    }
    at = take_exponent(text, at, exponent);
    text.remove_prefix(at);
    return true;
}

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

ExactEntryError read_exact_entry(std::string_view text, Rational& out) {
    bool negative = false;
    std::string digits;
    std::int64_t exponent = 0;
    if (!take_decimal(text, negative, digits, exponent)) {
        return ExactEntryError::not_a_number;
    }
    Rational numerator;
    if (const ExactEntryError e = rational_from_decimal(negative, digits, exponent, numerator);
        e != ExactEntryError::none) {
        return e;
    }
    if (text.empty()) {
        return keep_within_limit(numerator, out);
    }
    if (text.front() != '/') {
        return ExactEntryError::not_a_number;
    }
    text.remove_prefix(1);
    Rational denominator;
    if (!take_decimal(text, negative, digits, exponent) || !text.empty()) {
        return ExactEntryError::not_a_number;
    }
    if (const ExactEntryError e = rational_from_decimal(negative, digits, exponent, denominator);
        e != ExactEntryError::none) {
        return e;
    }
    return divide_within_limit(numerator, denominator, out);
}

ExactEntryError divide_within_limit(Rational& numerator, const Rational& denominator,
                                    Rational& out) {
    if (is_zero(denominator)) {
        return ExactEntryError::zero_denominator;
    }
    mpq_div(numerator.get(), numerator.get(), denominator.get());
    return keep_within_limit(numerator, out);
}

}  // namespace matinv
