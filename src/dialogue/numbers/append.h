#pragma once

#include <concepts>
#include <cstddef>
#include <string_view>

#include "numbers/number_text.h"

// append(out, "row ", i + 1, " / ", shortest(d, 10), '\n') writes each part
// after what `out` holds: text (string_view, C strings, char), whole numbers,
// and doubles in the form their wrapper names: fixed10(x), shortest(x, digits)
// or round_trip(x). A new kind of value needs only an append_part overload.
// `out` is any Room: it takes text with put(), and lends room(size) for a
// number, which commit(end) keeps up to `end`. Nothing here allocates.
namespace matinv {

template <class Buffer>
concept Room = requires(Buffer& out, std::string_view text, std::size_t size, const char* end) {
    out.put(text);
    { out.room(size) } -> std::same_as<char*>;
    out.commit(end);
};

// The most room any writer below asks for.
inline constexpr std::size_t kLongestNumber = kLongestFixed10;

struct Fixed10 {
    double value;
};
struct Shortest {
    double value;
    int digits;
};
struct RoundTrip {
    double value;
};
inline Fixed10 fixed10(double value) { return {value}; }
inline Shortest shortest(double value, int digits) { return {value, digits}; }
inline RoundTrip round_trip(double value) { return {value}; }

template <Room Buffer>
void append_part(Buffer& out, std::string_view text) {
    out.put(text);
}

template <Room Buffer>
void append_part(Buffer& out, char c) {
    char* const at = out.room(1);
    *at = c;
    out.commit(at + 1);
}

// Any whole number but char and bool, which are not counts.
template <Room Buffer, std::integral Integer>
requires(!std::same_as<Integer, char> &&
         !std::same_as<Integer, bool>) void append_part(Buffer& out, Integer value) {
    if constexpr (std::signed_integral<Integer>) {
        out.commit(write_integer(out.room(kLongestInteger), static_cast<std::int64_t>(value)));
    } else {
        out.commit(write_integer(out.room(kLongestInteger), static_cast<std::uint64_t>(value)));
    }
}

template <Room Buffer>
void append_part(Buffer& out, Fixed10 number) {
    out.commit(write_fixed10(out.room(kLongestFixed10), number.value));
}

template <Room Buffer>
void append_part(Buffer& out, Shortest number) {
    out.commit(write_shortest(out.room(kLongestShortest), number.value, number.digits));
}

template <Room Buffer>
void append_part(Buffer& out, RoundTrip number) {
    out.commit(write_round_trip(out.room(kLongestShortest), number.value));
}

// A bare double is refused: which of the forms above it takes is the
// caller's to say.
template <Room Buffer>
void append_part(Buffer& out, double value) = delete;

template <Room Buffer, class... Parts>
void append(Buffer& out, const Parts&... parts) {
    (append_part(out, parts), ...);
}

}  // namespace matinv
