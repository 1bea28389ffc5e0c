#pragma once

#include <cstddef>
#include <string>

#include "exact/rational.h"

// Rational numbers written as text into the caller's buffer: an integer, or
// p/q in lowest terms with q >= 2 and the sign on p ("-7/10"). A 0 may be
// left after the end, inside the room asked for.
namespace matinv {

// The room that write_rational needs for x: never less than it writes.
std::size_t rational_text_room(const Rational& x);

// Returns the end of what it wrote.
char* write_rational(char* out, const Rational& x);

// The same text, for a caller that has no buffer of its own.
std::string rational_text(const Rational& x);

}  // namespace matinv
