#include "numbers/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace matinv {
namespace {

// Libraries spell NaN their own way (libc++ writes "-nan(ind)"); printf in
// the C library writes "nan" or "-nan" from the sign bit, and which sign a
// computed NaN gets depends on the CPU, so the sign is read here.
char* write_nan(char* out, double value) {
    if (std::signbit(value)) {
        *out++ = '-';
    }
    return std::copy_n("nan", 3, out);
}

}  // namespace

char* write_fixed10(char* out, double value) {
    if (std::isnan(value)) {
        return write_nan(out, value);
    }
    // to_chars in fixed notation is exact, as glibc's printf is; the tests
    // hold the two side by side on awkward values.
    return std::to_chars(out, out + kLongestFixed10, value, std::chars_format::fixed, 10).ptr;
}

char* write_shortest(char* out, double value, int digits) {
    if (std::isnan(value)) {
        return write_nan(out, value);
    }
    return std::to_chars(out, out + kLongestShortest, value, std::chars_format::general, digits)
        .ptr;
}

char* write_round_trip(char* out, double value) {
    if (std::isnan(value)) {
        return write_nan(out, value);
    }
    return std::to_chars(out, out + kLongestShortest, value).ptr;
}

char* write_integer(char* out, std::int64_t value) {
    return std::to_chars(out, out + kLongestInteger, value).ptr;
}

char* write_integer(char* out, std::uint64_t value) {
    return std::to_chars(out, out + kLongestInteger, value).ptr;
}

}  // namespace matinv
