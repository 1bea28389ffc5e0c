#include "dialogue/decimal_digits.h"

#include <charconv>
#include <cstdlib>

namespace matinv {
namespace {

// Every power of ten up to 10^22 is a double exactly: 5^22 < 2^53.
constexpr double kExactPowersOfTen[] = {
    1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
    1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22,
};
constexpr int kLargestExactPower = 22;
constexpr std::uint64_t kLargestExactInteger = std::uint64_t{1} << 53;

}  // namespace

// Clinger's quick path: when the digits form an integer M of at most 2^53 and
// the value is M x 10^e with |e| <= 22, both M and 10^|e| are doubles
// exactly, so one multiplication or division rounds the exact value once,
// to the same nearest double that strtod finds.
bool DecimalDigits::quick_value(double& result) const {
    if (dropped_nonzero_ || kept_count_ > kMantissaDigits || mantissa_ > kLargestExactInteger) {
        return false;
    }
    const std::int64_t exponent =
        point_ + (exponent_negative_ ? -exponent_ : exponent_) - kept_count_;
    if (exponent < -kLargestExactPower || exponent > kLargestExactPower) {
        return false;
    }
    const double m = static_cast<double>(mantissa_);
    const double magnitude = exponent >= 0 ? m * kExactPowersOfTen[exponent]
                                           : m / kExactPowersOfTen[-exponent];
    result = negative_ ? -magnitude : magnitude;
    return true;
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
