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
// two 20-digit integers) inverts in about 0.4 s, through intermediate
// fractions of about 11,000 digits; 17-digit decimals take about 30 ms.
inline constexpr std::int64_t kExactDigitLimit = 20;

enum class ExactEntryError {
    none,
    zero_denominator,  // p/0
    too_large,         // beyond kExactDigitLimit
};

// The value (-1)^negative x digits x 10^exponent, where digits holds only
// '0' to '9' (possibly none, for 0). Leaves out alone unless the answer is
// none.
ExactEntryError rational_from_decimal(bool negative, std::string_view digits, std::int64_t exponent,
                                      Rational& out);

// An entry as the reader scanned it: one decimal, or, given a denominator,
// the fraction of two. Refused when the denominator is 0, when either
// decimal had more digits than could be kept, or when the value in lowest
// terms is beyond the limit.
ExactEntryError rational_from_parts(const DecimalParts& numerator, const DecimalParts* denominator,
                                    Rational& out);

}  // namespace matinv
