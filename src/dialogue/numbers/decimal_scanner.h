#pragma once

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>

// The numbers of the input, in plain decimal notation only: not "inf", "nan"
// or hexadecimal.
//
//   whole number (an order):  [sign] digits
//   decimal (an entry):       [sign] mantissa [exponent]
//     mantissa:  digits [. [digits]]  or  . digits
//     exponent:  (e | E) [sign] digits
//   sign: + or -    digits: one or more of 0 to 9
//
// Each scan takes the longest prefix of the text that is a number of its
// kind and leaves the rest, as formatted input does: "2.5" as a whole number
// is 2 and leaves ".5", and "1e+" as a decimal is 1 and leaves "e+". A text
// whose first bytes rule out a number is refused, with nothing taken. A scan
// looks at no byte past the few that decide where the number ends, so that a
// number at the end of a typed line is taken without waiting for the next.
//
// The scans run over any cursor with `int peek(std::size_t ahead)`, the byte
// so many places past the current one or -1 past the end, and `void
// advance()`, which takes the current byte: the reader's refilling buffer,
// or a text in memory ended by a 0.
namespace matinv {
namespace decimal_scan {

// A digit's value; above 9 for any other byte, and for -1, the end.
inline unsigned digit_of(int c) { return static_cast<unsigned>(c - '0'); }
inline bool is_digit(int c) { return digit_of(c) <= 9; }
inline bool is_sign(int c) { return c == '+' || c == '-'; }

}  // namespace decimal_scan

// A whole number, held as the nearest int: one beyond int's range becomes
// INT_MAX or INT_MIN, which any limit refuses as it would the number itself.
template <class Cursor>
bool scan_whole_number(Cursor& in, int& value) {
    using decimal_scan::is_digit;
    const std::size_t sign_length = decimal_scan::is_sign(in.peek(0)) ? 1 : 0;
    if (!is_digit(in.peek(sign_length))) {
        return false;
    }
    const bool negative = in.peek(0) == '-';
    if (sign_length > 0) {
        in.advance();
    }
    // Digits past int's range no longer change the value, so that no
    // number of them overflows the magnitude.
    constexpr long long kBeyondInt = static_cast<long long>(INT_MAX) + 1;  // -INT_MIN
    long long magnitude = 0;
    while (is_digit(in.peek(0))) {
        if (magnitude < kBeyondInt) {
            magnitude = magnitude * 10 + (in.peek(0) - '0');
        }
        in.advance();
    }
    value = static_cast<int>(negative ? -std::min(magnitude, kBeyondInt)
                                      : std::min(magnitude, kBeyondInt - 1));
    return true;
}

namespace decimal_scan {

// After e or E: the exponent, when digits follow it, with or without a
// sign; otherwise false, with nothing taken. It is held far beyond any
// double's range, and no further, so that no number of digits overflows it.
template <class Cursor>
bool scan_exponent(Cursor& in, std::int64_t& exponent) {
    const std::size_t sign_length = is_sign(in.peek(1)) ? 1 : 0;
    if (!is_digit(in.peek(1 + sign_length))) {
        return false;
    }
    const bool negative = in.peek(1) == '-';
    for (std::size_t k = 0; k <= sign_length; ++k) {
        in.advance();
    }
    constexpr std::int64_t kExponentCap = 1'000'000'000;
    std::int64_t magnitude = 0;
    for (unsigned digit; (digit = digit_of(in.peek(0))) <= 9; in.advance()) {
        if (magnitude < kExponentCap) {
            magnitude = magnitude * 10 + digit;
        }
    }
    exponent = negative ? -magnitude : magnitude;
    return true;
}

}  // namespace decimal_scan

// A decimal, its sign and digits (as values 0 to 9) handed to `digits` as
// they are taken, and its exponent once it is read: a DecimalParts for any
// text, or a ShortDecimal, which converts the usual short ones exactly
// without keeping their digits. The common case, an unsigned digit first,
// is tested first. Always inlined: the reader's quick path is this scan,
// and a call would cost it more than a tenth of its time.
template <class Cursor, class Digits>
[[gnu::always_inline]] inline bool scan_decimal(Cursor& in, Digits& digits) {
    using decimal_scan::digit_of;
    using decimal_scan::is_digit;
    if (!is_digit(in.peek(0))) {
        const std::size_t sign_length = decimal_scan::is_sign(in.peek(0)) ? 1 : 0;
        const int lead = in.peek(sign_length);
        if (!is_digit(lead) && !(lead == '.' && is_digit(in.peek(sign_length + 1)))) {
            return false;
        }
        if (in.peek(0) == '-') {
            digits.set_negative();
        }
        if (sign_length > 0) {
            in.advance();
        }
    }
    for (unsigned digit; (digit = digit_of(in.peek(0))) <= 9; in.advance()) {
        digits.add_integer_digit(digit);
    }
    if (in.peek(0) == '.') {
        in.advance();
        for (unsigned digit; (digit = digit_of(in.peek(0))) <= 9; in.advance()) {
            digits.add_fraction_digit(digit);
        }
    }
    std::int64_t exponent = 0;
    if ((in.peek(0) == 'e' || in.peek(0) == 'E') && decimal_scan::scan_exponent(in, exponent)) {
        digits.set_exponent(exponent);
    }
    return true;
}

}  // namespace matinv
