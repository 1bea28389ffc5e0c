#pragma once

#include <cstddef>
#include <cstdint>

// Numbers written as text into the caller's buffer. Each writer returns the
// end of what it wrote and needs at most the room its constant names; none
// writes a terminating 0. NaN is written "nan" or "-nan" from its sign bit,
// as the C library's printf writes it, whatever the C++ library would say.
namespace matinv {

// "%.10f": fixed point with ten decimals, a minus sign on negative values
// and on negative zero; "inf", "-inf", "nan" and "-nan" spelt out.
// DBL_MAX takes 309 digits before the point.
inline constexpr std::size_t kLongestFixed10 = 1 + 309 + 1 + 10;
char* write_fixed10(char* out, double value);

// "%.<digits>g": as few characters as `digits` significant digits allow,
// for numbers inside a sentence ("7", "1.714285714", "1.2e-17").
// For 1 <= digits <= 17.
inline constexpr std::size_t kLongestShortest = 1 + 1 + 1 + 16 + 5;
char* write_shortest(char* out, double value, int digits);

// As few characters as read back as the same double, in fixed or exponent
// notation, whichever is shorter: "1e-12", "0.1", "-2.5e-11". It needs no
// more room than write_shortest.
char* write_round_trip(char* out, double value);

// A whole number in decimal, as "%lld" and "%llu" write it.
inline constexpr std::size_t kLongestInteger = 20;
char* write_integer(char* out, std::int64_t value);
char* write_integer(char* out, std::uint64_t value);
inline char* write_integer(char* out, int value) {
    return write_integer(out, static_cast<std::int64_t>(value));
}

}  // namespace matinv
