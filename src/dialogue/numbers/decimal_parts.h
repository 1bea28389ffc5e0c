#pragma once

#include <cstdint>
#include <string_view>

namespace matinv {

// Gathers a decimal's sign, significant digits and power of ten as a scan
// (numbers/decimal_scanner.h) hands them out, for a reader that takes the
// number exactly rather than as the nearest double: the value is
// (-1)^negative x digits() x 10^exponent(). Zeros are counted rather than
// kept until a digit after them needs them, so that "1.000...0" of any
// length stays 1; more than kKeptDigits significant digits cannot be held
// exactly within reason, and only that they were there is kept, with the
// exponent of the last of them. (An exact entry of 150 digits above and
// below the fraction bar, such as 1/2^498, takes up to 498 digits written
// out as a decimal.)
class DecimalParts {
public:
    static constexpr int kKeptDigits = 600;

    void clear() { *this = DecimalParts(); }
    void set_negative() { negative_ = true; }
    void add_integer_digit(unsigned digit) { add(digit); }
    void add_fraction_digit(unsigned digit) {
        add(digit);
        ++fraction_digits_;
    }
    void set_exponent(std::int64_t exponent) { written_exponent_ = exponent; }

    bool negative() const { return negative_; }
    std::string_view digits() const { return {kept_, static_cast<std::size_t>(kept_count_)}; }
    std::int64_t exponent() const { return written_exponent_ + pending_zeros_ - fraction_digits_; }
    // Whether there were more significant digits than could be kept.
    bool too_long() const { return too_long_; }

private:
    void add(unsigned digit) {
        if (digit == 0) {
            pending_zeros_ += kept_count_ > 0 ? 1 : 0;
            return;
        }
        if (kept_count_ + pending_zeros_ >= kKeptDigits) {
            too_long_ = true;
            pending_zeros_ = 0;
            return;
        }
        for (; pending_zeros_ > 0; --pending_zeros_) {
            kept_[kept_count_++] = '0';
        }
        kept_[kept_count_++] = static_cast<char>('0' + digit);
    }

    char kept_[kKeptDigits] = {};
    int kept_count_ = 0;
    // Zeros after the last kept digit; held apart until a digit follows.
    std::int64_t pending_zeros_ = 0;
    std::int64_t fraction_digits_ = 0;
    std::int64_t written_exponent_ = 0;
    bool negative_ = false;
    bool too_long_ = false;
};

}  // namespace matinv
