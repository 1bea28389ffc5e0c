#pragma once

#include <cstdint>

#include "numbers/exact_decimal.h"

namespace matinv {

// Gathers the digits of one decimal number as they stream past, in a fixed
// amount of memory however long the text, and turns them into the nearest
// double. Digits past the first kKeptDigits only matter as "some of them
// were not zero": no halfway point between two doubles needs more than 767
// significant digits, so a single 1 standing for them rounds the same way.
// The reader takes this way only for the numbers that its exact
// conversion of short ones (ShortDecimal) leaves, so these go to from_chars.
class DecimalDigits {
public:
    void add_integer_digit(unsigned digit);
    void add_fraction_digit(unsigned digit);
    void set_negative() { negative_ = true; }
    void set_exponent(std::int64_t exponent) { exponent_ = exponent; }

    // The nearest double, as a correct strtod gives for the same text: infinity beyond
    // the range of doubles, zero or a subnormal below it.
    double value() const;
    // The same decimal in a few bytes, not whole when its significant
    // digits do not fit them.
    ShortParts short_parts() const;

private:
    void add_significant(unsigned digit);

    static constexpr int kKeptDigits = 800;
    // The point's place is held well beyond any double's range, and no
    // further, so that no count of digits can overflow it.
    static constexpr std::int64_t kPointCap = 1'000'000'000;

    char kept_[kKeptDigits + 1];  // significant digits, leading zeros dropped
    int kept_count_ = 0;
    bool dropped_nonzero_ = false;
    // The value is 0.kept_ x 10^point_ x 10^exponent_.
    std::int64_t point_ = 0;
    std::int64_t exponent_ = 0;  // as written after e or E
    bool negative_ = false;
};

// The digits arrive one call each, so these stay inline.

inline void DecimalDigits::add_significant(unsigned digit) {
    if (kept_count_ < kKeptDigits) {
        kept_[kept_count_++] = static_cast<char>('0' + digit);
    } else if (digit != 0) {
        dropped_nonzero_ = true;
    }
}

inline void DecimalDigits::add_integer_digit(unsigned digit) {
    if (kept_count_ == 0 && digit == 0) {
        return;  // a leading zero
    }
    add_significant(digit);
    if (point_ < kPointCap) {
        ++point_;
    }
}

inline void DecimalDigits::add_fraction_digit(unsigned digit) {
    if (kept_count_ == 0 && digit == 0) {
        if (point_ > -kPointCap) {
            --point_;  // a zero between the point and the first significant digit
        }
        return;
    }
    add_significant(digit);
}

}  // namespace matinv
