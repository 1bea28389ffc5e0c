#include "numbers/decimal_digits.h"

#include <charconv>
#include <cstdlib>

#include "numbers/exact_decimal.h"

namespace matinv {

bool DecimalDigits::quick_value(double& result) const {
    if (dropped_nonzero_ || kept_count_ > kDigitsInUint64) {
        return false;
    }
    const std::int64_t exponent =
        point_ + (exponent_negative_ ? -exponent_ : exponent_) - kept_count_;
    return exact_decimal_value(mantissa_, exponent, negative_, result);
}

double DecimalDigits::value() const {
    double quick = 0.0;
    if (quick_value(quick)) {
        return quick;
    }
    // Rewritten as "-0.DIGITSe+EXP" for strtod: the shape is fixed and
    // short, whatever the text looked like.
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
    const std::int64_t exponent = point_ + (exponent_negative_ ? -exponent_ : exponent_);
    text[length++] = 'e';
    const auto written = std::to_chars(text + length, text + sizeof text - 1, exponent);
    length = static_cast<int>(written.ptr - text);
    text[length] = '\0';
    return std::strtod(text, nullptr);
}

}  // namespace matinv
