#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "dialogue/input_reader.h"
#include "inversion/inverse_trust.h"
#include "text/shown_text.h"

// Every text the program writes besides the dialogue and its report: the
// lines of errors, warnings and notes, the usage and the version. Keeping
// them together keeps them in one voice, and beside the manual page that
// lists them.
namespace matinv {

// One line for the error stream: "matinv: ", the message and a line break,
// with room for a line break before it, which the error stream may need.
// Only the functions below write into one.
class MessageLine {
public:
    // The line, and the same line preceded by a line break.
    std::string_view text() const { return {text_ + 1, used_ + 1}; }
    std::string_view on_a_new_line() const { return {text_, used_ + 2}; }

private:
    friend class MessageWriter;
    // Room for the longest message: its words, a shown text of at most 133
    // bytes and its hint, the place and a system error's description.
    static constexpr std::size_t kCapacity = 510;
    char text_[kCapacity + 2] = {'\n', '\n'};
    std::size_t used_ = 0;  // bytes after text_[0], the line break not counted
};

// What a read was asked for: the order, or the entry in row i, column j,
// both counted from 0.
struct Wanted {
    std::uint64_t matrix;  // the attempt, counted from 1
    int i = -1;
    int j = -1;
};

// Errors, each named with the errno value or the place in the input that
// it is about. A read that finds no number is told apart by what it found:
// the end of the input, or text shown as ShownText shows it. Shown text is
// followed by its hint, if it has one.
MessageLine output_unwritable(int error);
MessageLine input_unreadable(int error);
MessageLine input_ended(InputPlace place, const Wanted& wanted);
MessageLine not_a_number(InputPlace place, const Wanted& wanted, const ShownText& found);
MessageLine order_above_limit(InputPlace place, std::string_view order, std::uint64_t matrix);
// `meant` names the option it was most likely meant to be, if any.
MessageLine unknown_option(std::string_view option, std::string_view meant = {});

// Warnings and notes. The order's text and the rest after it are shown as
// ShownText shows them; rows are counted from 0.
MessageLine order_runs_on(std::string_view order_text, std::string_view rest, int order);
// An entry read as `value` from `entry_text`, where it began.
MessageLine entry_runs_on(InputPlace place, const Wanted& wanted, std::string_view entry_text,
                          std::string_view rest, double value);
// The rest of a typed line, `typed`, holding one more number or `several`,
// after the read of `after`: the first is read for `next`.
MessageLine more_numbers_typed(std::string_view typed, bool several, const Wanted& after,
                               const Wanted& next);
// A word of the input that is left once the report has ended the run.
MessageLine input_left_unread(InputPlace place, std::string_view word);
MessageLine untrusted_inverse(const InverseTrust& trust);
MessageLine refused_for_row_size(std::span<const int> small_rows);
// Entry (i, j) of `matrix`, 'A' or 'B', is `value`, which is not zero but
// prints as zero.
MessageLine digits_hidden(char matrix, int i, int j, double value);
// An argument that is not an option, which the dialogue does not read.
MessageLine argument_ignored(std::string_view argument);

// The texts of --help and --version, each ending with a line break.
std::string_view usage();
std::string_view version();

}  // namespace matinv
