#include "numbers/decimal_parts.h"

#include <charconv>
#include <cstdlib>
#include <limits>
#include <system_error>

namespace matinv {

double DecimalParts::value() const {
    // Rewritten as "-0.DIGITSe+EXP": the shape is fixed and short, whatever
    // the text looked like.
    char text[kStoredDigits + 40];
    int length = 0;
    if (negative_) {
        text[length++] = '-';
    }
    text[length++] = '0';
    text[length++] = '.';
    // Zeros before the digits dropped keep their places.
    const int count = dropped_nonzero_ ? kept_count_ : significant_;
    for (int i = 0; i < count; ++i) {
        text[length++] = kept_[i];
    }
    if (dropped_nonzero_) {
        text[length++] = '1';
    }
    if (significant_ == 0) {
        text[length++] = '0';
    }
    const std::int64_t power = point_ + exponent_;
    text[length++] = 'e';
    const auto written = std::to_chars(text + length, text + sizeof text - 1, power);
    length = static_cast<int>(written.ptr - text);
#if defined(__cpp_lib_to_chars)
    // from_chars rounds correctly everywhere; some C libraries' strtod does
    // not (MinGW's misreads both very long and halfway decimals).
    double result = 0.0;
    if (std::from_chars(text, text + length, result).ec == std::errc::result_out_of_range) {
        // The value is then left alone. The digits start with a nonzero one,
        // so the exponent tells overflow from underflow.
        result = power > 0 ? std::numeric_limits<double>::infinity() : 0.0;
        return negative_ ? -result : result;
    }
    return result;
#else
    // libc++ before 20 reads no doubles with from_chars; the C libraries it
    // runs on (glibc, Apple's, FreeBSD's) round strtod correctly.
    text[length] = '\0';
    return std::strtod(text, nullptr);
#endif
}

ShortParts DecimalParts::short_parts() const {
    ShortParts parts;
    if (too_long() || significant_ > kDigitsInUint64) {
        return parts;
    }
    for (int i = 0; i < significant_; ++i) {
        parts.digits = parts.digits * 10 + static_cast<unsigned>(kept_[i] - '0');
    }
    parts.exponent = static_cast<std::int32_t>(exponent());
    parts.negative = negative_;
    return parts;
}

}  // namespace matinv
