#pragma once

#include <cstdint>
#include <string_view>

#include "exact/rational.h"
#include "numbers/decimal_parts.h"

// Entries read as the exact rationals they denote: 0.1 is 1/10, 2.5e-3 is
// 1/400, and 2.5/7 is 5/14.
namespace matinv {

// An entry in lowest terms may have at most this many decimal digits in its
// numerator and as many in its denominator; 1e999999999 would be a billion
// digits. Within it, the worst order-10 matrix (every entry a fraction of
// two 150-digit integers) takes the whole process about 0.18 s of
// processor time, through minors of about 16,000 digits; 100-digit ones
// take 0.10 s, 200-digit ones about 0.3 s.
inline constexpr std::int64_t kExactDigitLimit = 150;
// The same with --steps, whose elimination in rationals is the one traced:
// its intermediate fractions grow to hundreds of times the entries' length
// (about 11,000 digits for 20-digit fractions, 0.4 s), and every step is
// written out.
inline constexpr std::int64_t kExactStepsDigitLimit = 20;

enum class ExactEntryError {
    none,
    zero_denominator,      // p/0
    numerator_too_long,    // beyond the limit above the fraction bar
    denominator_too_long,  // beyond it below
};

// The value (-1)^negative x digits x 10^exponent, where digits holds only
// '0' to '9' (possibly none, for 0), refused when its numerator or its
// denominator in lowest terms has more than digit_limit digits. Leaves out
// alone unless the answer is none.
ExactEntryError rational_from_decimal(bool negative, std::string_view digits, std::int64_t exponent,
                                      Rational& out, std::int64_t digit_limit = kExactDigitLimit);

// An entry as the reader scanned it: one decimal, or, given a denominator,
// the fraction of two. Refused when the denominator is 0 or when the value
// in lowest terms is beyond digit_limit; a decimal too long to be worth
// reading (more than 4 x digit_limit digits written out) is refused at
// once, by the side of the fraction bar it stands on.
ExactEntryError rational_from_parts(const DecimalParts& numerator, const DecimalParts* denominator,
                                    Rational& out, std::int64_t digit_limit = kExactDigitLimit);

}  // namespace matinv
