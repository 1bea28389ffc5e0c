#pragma once

#include <string>
#include <string_view>

namespace matinv::fuzz {

// Judges one whole run from the outside, knowing only the program's texts:
// standard output must be a sequence of order prompts, row prompts, "no
// inverse" messages and at most one final report whose three blocks have n
// rows of n numbers; a run that reports ends with status 0 and writes no
// error on the error stream; a run that ends early ends with status 1, right
// after a prompt, and one printable line on the error stream starting
// "matinv: ". Either may first write warnings and notes there, each one
// printable line starting "matinv: warning: " or "matinv: note: ".
// Printable: UTF-8 without a control character.
// With exact arithmetic the report's numbers are integers or fractions,
// [A][B] is exactly the identity, and det[A] follows in one row.
// Returns an empty string for a sound run, otherwise what is wrong with it.
enum class Arithmetic { rounded, exact };
std::string transcript_fault(std::string_view out, std::string_view errors, int status,
                             Arithmetic arithmetic = Arithmetic::rounded);

// Whether the error streams of one input, read whole and arriving a few
// bytes at a time, agree: the same, except that text refused as soon as its
// first bytes arrived may show only some of the bytes that the whole shows,
// from the first, and so be quoted and hinted otherwise.
bool same_errors(std::string_view whole, std::string_view trickled);

}  // namespace matinv::fuzz
