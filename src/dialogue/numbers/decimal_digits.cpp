#include "numbers/decimal_digits.h"

#include <charconv>
#include <cstdlib>
#include <limits>
#include <system_error>

#include "numbers/exact_decimal.h"

namespace matinv {

bool DecimalDigits::quick_value(double& result) const {
    if (dropped_nonzero_ || kept_count_ > kDigitsInUint64) {
        return false;
    }
    const std::int64_t exponent = point_ + exponent_ - kept_count_;
    return exact_decimal_value(mantissa_, exponent, negative_, result);
}

double DecimalDigits::value() const {
    double quick = 0.0;
    if (quick_value(quick)) {
        return quick;
    }
    // Rewritten as "-0.DIGITSe+EXP": the shape is fixed and short, whatever
    // the text looked like.
    char text[kKeptDigits + 40];
    int length = 0;
    if (negative_) {
        text[length++] = '-';
    }
    text[length++] = '0';
    text[length++] = '.';
    for (int i = 0; i < kept_count_; ++i) {
        text[length++] = kept_[i];
    }
    if (dropped_nonzero_) {
        text[length++] = '1';
    }
    if (kept_count_ == 0) {
        text[length++] = '0';
    }
    const std::int64_t exponent = point_ + exponent_;
    text[length++] = 'e';
    const auto written = std::to_chars(text + length, text + sizeof text - 1, exponent);
    length = static_cast<int>(written.ptr - text);
#if defined(__cpp_lib_to_chars)
    // from_chars rounds correctly everywhere; some C libraries' strtod does
    // not (MinGW's misreads both very long and halfway decimals).
    double result = 0.0;
    if (std::from_chars(text, text + length, result).ec == std::errc::result_out_of_range) {
        // The value is then left alone. The digits start with a nonzero one,
        // so the exponent tells overflow from underflow.
        result = exponent > 0 ? std::numeric_limits<double>::infinity() : 0.0;
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

}  // namespace matinv
