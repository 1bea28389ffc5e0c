#pragma once

#include <climits>
#include <cstdint>

namespace matinv {

// Every power of ten up to 10^22 is a double exactly: 5^22 < 2^53.
inline constexpr double kExactPowersOfTen[] = {
    1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
    1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22,
};
inline constexpr int kLargestExactPowerOfTen = 22;
inline constexpr std::uint64_t kLargestExactInteger = std::uint64_t{1} << 53;
// As many decimal digits as always fit in 64 bits.
inline constexpr int kDigitsInUint64 = 19;

// Clinger's quick path: when the digits form an integer M of at most 2^53 and
// the value is M x 10^exponent with |exponent| <= 22, both M and 10^|exponent|
// are doubles exactly, so one multiplication or division rounds the exact
// value once, to the same nearest double that strtod finds. Returns false,
// leaving result alone, for any other number.
inline bool exact_decimal_value(std::uint64_t digits, std::int64_t exponent, bool negative,
                                double& result) {
    if (digits > kLargestExactInteger || exponent < -kLargestExactPowerOfTen ||
        exponent > kLargestExactPowerOfTen) {
        return false;
    }
    const double m = static_cast<double>(digits);
    const double magnitude =
        exponent >= 0 ? m * kExactPowersOfTen[exponent] : m / kExactPowersOfTen[-exponent];
    result = negative ? -magnitude : magnitude;
    return true;
}

// A decimal held in a few bytes: digits x 10^exponent, negated when
// `negative`, unless it had more significant digits than `digits` holds.
struct ShortParts {
    static constexpr std::int32_t kNotHeld = INT32_MIN;
    std::uint64_t digits = 0;
    std::int32_t exponent = kNotHeld;
    bool negative = false;

    bool held() const { return exponent != kNotHeld; }
};

// The digits of a decimal as scan_decimal() hands them out, kept as one
// integer: the entries people type and files hold are mostly short, such as
// -12.3456, and exact_value() gives those their value at once. A number of
// more than kDigitsInUint64 digits wraps round the integer and has no exact
// value here.
class ShortDecimal {
public:
    void set_negative() { negative_ = true; }
    void add_integer_digit(unsigned digit) {
        digits_ = digits_ * 10 + digit;
        ++count_;
    }
    void add_fraction_digit(unsigned digit) {
        add_integer_digit(digit);
        --scale_;
    }
    void set_exponent(std::int64_t exponent) { exponent_ = exponent; }

    // False, leaving `value` alone, when the number is not short enough.
    bool exact_value(double& value) const {
        return count_ <= kDigitsInUint64 &&
               exact_decimal_value(digits_, exponent_ + scale_, negative_, value);
    }
    // Once exact_value() has given a value.
    ShortParts parts() const {
        return {digits_, static_cast<std::int32_t>(exponent_ + scale_), negative_};
    }

private:
    std::uint64_t digits_ = 0;
    int count_ = 0;
    int scale_ = 0;  // minus the number of digits after the point
    std::int64_t exponent_ = 0;
    bool negative_ = false;
};

}  // namespace matinv
