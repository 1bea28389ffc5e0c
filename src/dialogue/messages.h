#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <variant>

#include "dialogue/input_reader.h"
#include "inversion/inverse_trust.h"
#include "numbers/append.h"
#include "numbers/bounded_line.h"
#include "text/shown_text.h"

// Every text the program writes besides the dialogue and its report: the
// lines of errors, warnings and notes, the usage and the version. Keeping
// them together keeps them in one voice, and beside the manual page that
// lists them.
namespace matinv {

// One line for the error stream: "matinv: ", the message and a line break,
// with room for a line break before it, which the error stream may need.
// The message is written with append(); what does not fit is cut, so that
// the line break always ends it.
//
// Room for the longest message: its words, a shown text of at most 133
// bytes and its hint, the place and a system error's description.
class MessageLine : private BoundedLine<511, '\n'> {
public:
    MessageLine() { put("\nmatinv: "); }
    using BoundedLine::commit;
    using BoundedLine::put;
    using BoundedLine::room;

    // The line, and the same line preceded by a line break.
    std::string_view text() const { return ended().substr(1); }
    std::string_view on_a_new_line() const { return ended(); }
};

// What a read was for: the order of a matrix, or one of its entries, in
// row i and column j counted from 0. Matrices are counted from 1, one for
// each attempt.
struct OrderQuestion {
    std::uint64_t matrix;
};
struct EntryQuestion {
    std::uint64_t matrix;
    int i;
    int j;
};
using Question = std::variant<OrderQuestion, EntryQuestion>;

// Which block of the report an entry is in.
enum class Block : std::uint8_t { entered, inverse };

// Errors. A read that found no number to take, at `place`, is told by what
// it found: the input that could not be read or is
// UTF-16, the end of the input, text, shown as ShownText shows it and
// followed by its hint, if it has one, or a number that runs on into text,
// shown whole and as the two parts a stream of numbers reads: the number as
// `read_as` when given (an entry read exactly), or as the token's value.
MessageLine read_fault(const Token& token, InputPlace place, const Question& question,
                       std::string_view read_as = {});
MessageLine output_unwritable(int error);
// An order read at `place` that is above what the matrices hold.
MessageLine order_above_limit(InputPlace place, const Token& order, std::uint64_t matrix);
// Why an entry read exactly at `place` cannot be taken: p/0, or more digits
// than `digit_limit` in its numerator or its denominator in lowest terms.
// A limit_without_steps above 0 says that digit_limit is --steps' own.
enum class ExactRefusal : std::uint8_t {
    zero_denominator,
    numerator_too_long,
    denominator_too_long
};
MessageLine exact_entry_refused(InputPlace place, const EntryQuestion& question, const Token& entry,
                                ExactRefusal refusal, int digit_limit, int limit_without_steps = 0);
// --exact in a build made without GMP.
MessageLine exact_arithmetic_missing();
// `meant` names the option it was most likely meant to be, if any.
MessageLine unknown_option(std::string_view option, std::string_view meant = {});

// Warnings and notes. Texts of the input are shown as ShownText shows them.
//
// An order that runs on, as "2.0" is 2 followed by ".0".
MessageLine order_runs_on(const Token& order);
// An entry that runs on, as "7-1" is 7 followed by -1, read at `place`.
MessageLine entry_runs_on(InputPlace place, const EntryQuestion& question, const Token& entry);
// The same for an entry read exactly, which was read as `read_as`.
MessageLine entry_runs_on(InputPlace place, const EntryQuestion& question, const Token& entry,
                          std::string_view read_as);
// The rest of a typed line, `typed`, holding one or more numbers, after the
// read for `after`: the first of them is read for `next`.
MessageLine more_numbers_typed(std::string_view typed, const Question& after, const Question& next);
// The word of read_left_over(), at `place`, once the report has ended the run.
MessageLine input_left_unread(InputPlace place, const Token& word);
MessageLine untrusted_inverse(const InverseTrust& trust);
// A matrix that has an inverse, refused only for the small entries of the
// rows `small_rows` (counted from 0).
MessageLine refused_for_small_rows(std::span<const int> small_rows);
// A matrix that the singularity threshold refused although its entries, as
// read, form an invertible matrix.
MessageLine refused_yet_invertible();
// A trusted [B] that may have lost up to `lost` significant digits, by its
// rcond, where nothing measured it.
MessageLine few_digits_bound(int lost, double rcond);
// [B] measured against the exact inverse of the entries as typed: a note
// when it keeps some digits, a warning when it keeps none or the matrix as
// typed has no inverse.
MessageLine digits_measured(const MeasuredDigits& measured, double rcond);
MessageLine untrusted_by_measure(const MeasuredDigits& measured, double rcond);
// Entry (i, j) of `block` is `value`, which is not zero but prints as zero.
MessageLine digits_hidden(Block block, int i, int j, double value);
// An argument that is not an option, which the dialogue does not read.
MessageLine argument_ignored(std::string_view argument);

// The texts of --help and --version, each ending with a line break.
std::string_view usage();
std::string_view version();

}  // namespace matinv
