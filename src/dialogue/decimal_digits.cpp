#include "dialogue/decimal_digits.h"

#include <charconv>
#include <cstdlib>

namespace matinv {

void DecimalDigits::add_significant(char digit) {
    if (kept_count_ < kKeptDigits) {
        kept_[kept_count_++] = digit;
    } else if (digit != '0') {
        dropped_nonzero_ = true;
    }
}

void DecimalDigits::add_integer_digit(char digit) {
    if (kept_count_ == 0 && digit == '0') {
        return;  // a leading zero
    }
    add_significant(digit);
    if (point_ < kExponentCap) {
        ++point_;
    }
}

void DecimalDigits::add_fraction_digit(char digit) {
    if (kept_count_ == 0 && digit == '0') {
        if (point_ > -kExponentCap) {
            --point_;  // a zero between the point and the first significant digit
        }
        return;
    }
    add_significant(digit);
}

void DecimalDigits::add_exponent_digit(char digit) {
    if (exponent_ < kExponentCap) {
        exponent_ = exponent_ * 10 + (digit - '0');
    }
}

double DecimalDigits::value() const {
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
