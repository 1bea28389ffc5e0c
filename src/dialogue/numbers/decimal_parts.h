#pragma once

#include <cstdint>
#include <string_view>

#include "numbers/exact_decimal.h"

namespace matinv {

// Gathers a decimal's sign, significant digits and power of ten as a scan
// (numbers/decimal_scanner.h) hands them out, in a fixed amount of memory
// however long the text: the one record of a number that both its nearest
// double and its exact value come from. The value is
// (-1)^negative x digits() x 10^exponent().
//
// Digits past the first kStoredDigits only matter as "some of them were not
// zero": no halfway point between two doubles needs more than 767
// significant digits, so a single 1 standing for them rounds the same way.
// More than kKeptDigits significant digits (trailing zeros not counted) are
// beyond any exact reading: too_long() then says so. (An exact entry of
// 150 digits above and below the fraction bar, such as 1/2^498, takes up to
// 498 digits written out as a decimal.)
class DecimalParts {
public:
    static constexpr int kKeptDigits = 600;

    // Keeps the digits' room as it is: only what has been written is read.
    void clear() {
        kept_count_ = 0;
        significant_ = 0;
        dropped_nonzero_ = false;
        point_ = 0;
        exponent_ = 0;
        negative_ = false;
    }
    void set_negative() { negative_ = true; }
    void add_integer_digit(unsigned digit);
    void add_fraction_digit(unsigned digit);
    void set_exponent(std::int64_t exponent) { exponent_ = exponent; }

    bool negative() const { return negative_; }
    // The significant digits, from the first nonzero one to the last.
    std::string_view digits() const { return {kept_, static_cast<std::size_t>(significant_)}; }
    std::int64_t exponent() const { return point_ + exponent_ - significant_; }
    // Whether there were more significant digits than could be kept, or a
    // point further out than is counted.
    bool too_long() const {
        return dropped_nonzero_ || significant_ > kKeptDigits || point_ == kPointCap ||
               point_ == -kPointCap;
    }

    // The nearest double, as a correct strtod gives for the same text:
    // infinity beyond the range of doubles, zero or a subnormal below it.
    double value() const;
    // The same decimal in a few bytes, not held when its significant digits
    // do not fit them.
    ShortParts short_parts() const;

private:
    void add_significant(unsigned digit);

    static constexpr int kStoredDigits = 800;
    static_assert(kKeptDigits <= kStoredDigits);
    // The point's place is held well beyond any double's range, and no
    // further, so that no count of digits can overflow it.
    static constexpr std::int64_t kPointCap = 1'000'000'000;

    // Significant digits, leading zeros dropped; only the first kept_count_
    // are ever read, so clearing leaves them.
    char kept_[kStoredDigits + 1] = {};
    int kept_count_ = 0;
    int significant_ = 0;  // kept_ up to its last nonzero digit
    bool dropped_nonzero_ = false;
    // The value is 0.kept_ x 10^point_ x 10^exponent_.
    std::int64_t point_ = 0;
    std::int64_t exponent_ = 0;  // as written after e or E
    bool negative_ = false;
};

// The digits arrive one call each, so these stay inline.

inline void DecimalParts::add_significant(unsigned digit) {
    if (kept_count_ < kStoredDigits) {
        kept_[kept_count_++] = static_cast<char>('0' + digit);
        significant_ = digit != 0 ? kept_count_ : significant_;
    } else if (digit != 0) {
        dropped_nonzero_ = true;
    }
}

inline void DecimalParts::add_integer_digit(unsigned digit) {
    if (kept_count_ == 0 && digit == 0) {
        return;  // a leading zero
    }
    add_significant(digit);
    if (point_ < kPointCap) {
        ++point_;
    }
}

inline void DecimalParts::add_fraction_digit(unsigned digit) {
    if (kept_count_ == 0 && digit == 0) {
        if (point_ > -kPointCap) {
            --point_;  // a zero between the point and the first significant digit
        }
        return;
    }
    add_significant(digit);
}

}  // namespace matinv
