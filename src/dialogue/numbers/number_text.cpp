#include "numbers/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>

// libc++ before 14 (emscripten 3.1.6 brings 13) writes no doubles with
// to_chars; its C library (musl) prints them exactly, as glibc does.
#if defined(_LIBCPP_VERSION) && _LIBCPP_VERSION < 14000
#define MATINV_DOUBLES_BY_PRINTF 1
#include <cstdio>
#include <cstdlib>
#include <cstring>
#endif

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

#ifdef MATINV_DOUBLES_BY_PRINTF
char* printed(char* out, const char* format, int precision, double value) {
    char text[kLongestFixed10 + 1];
    const int length = std::snprintf(text, sizeof text, format, precision, value);
    return std::copy_n(text, length, out);
}

// What to_chars writes with no format: the fewest significant digits that
// read back as the value, in fixed notation or in exponent notation,
// whichever is shorter, fixed on a tie.
char* printed_round_trip(char* out, double value) {
    if (std::isinf(value)) {
        return printed(out, "%.*g", 1, value);
    }
    char exponent_form[kLongestShortest + 1];
    int digits = 1;
    while (std::snprintf(exponent_form, sizeof exponent_form, "%.*e", digits - 1, value) > 0 &&
           std::strtod(exponent_form, nullptr) != value && digits < 17) {
        ++digits;
    }
    // "-d.ddde-XX": the digits without their point, and the power of ten.
    const bool negative = exponent_form[0] == '-';
    const char* const e = std::strchr(exponent_form, 'e');
    const int exponent = std::atoi(e + 1);
    char significant[17];
    int count = 0;
    for (const char* at = exponent_form + negative; at < e; ++at) {
        if (*at != '.') {
            significant[count++] = *at;
        }
    }
    const int whole = exponent + 1;  // digits before the point, if any
    const int fixed_length =
        negative + (whole <= 0 ? 2 - whole + count : std::max(count, whole) + (count > whole));
    const auto exponent_length = static_cast<int>(std::strlen(exponent_form));
    if (fixed_length > exponent_length) {
        return std::copy_n(exponent_form, exponent_length, out);
    }
    if (count <= whole) {  // a whole number, whose exact digits are as short as any
        return printed(out, "%.*f", 0, value);
    }
    if (negative) {
        *out++ = '-';
    }
    if (whole <= 0) {
        return std::copy_n(significant, count, std::fill_n(std::copy_n("0.", 2, out), -whole, '0'));
    }
    out = std::copy_n(significant, whole, out);
    *out++ = '.';
    return std::copy_n(significant + whole, count - whole, out);
}
#endif

}  // namespace

char* write_fixed10(char* out, double value) {
    if (std::isnan(value)) {
        return write_nan(out, value);
    }
    // to_chars in fixed notation is exact, as glibc's printf is; the tests
    // hold the two side by side on awkward values.
#ifdef MATINV_DOUBLES_BY_PRINTF
    return printed(out, "%.*f", 10, value);
#else
    return std::to_chars(out, out + kLongestFixed10, value, std::chars_format::fixed, 10).ptr;
#endif
}

char* write_shortest(char* out, double value, int digits) {
    if (std::isnan(value)) {
        return write_nan(out, value);
    }
#ifdef MATINV_DOUBLES_BY_PRINTF
    return printed(out, "%.*g", digits, value);
#else
    return std::to_chars(out, out + kLongestShortest, value, std::chars_format::general, digits)
        .ptr;
#endif
}

char* write_round_trip(char* out, double value) {
    if (std::isnan(value)) {
        return write_nan(out, value);
    }
#ifdef MATINV_DOUBLES_BY_PRINTF
    return printed_round_trip(out, value);
#else
    return std::to_chars(out, out + kLongestShortest, value).ptr;
#endif
}

char* write_integer(char* out, std::int64_t value) {
    return std::to_chars(out, out + kLongestInteger, value).ptr;
}

char* write_integer(char* out, std::uint64_t value) {
    return std::to_chars(out, out + kLongestInteger, value).ptr;
}

}  // namespace matinv
