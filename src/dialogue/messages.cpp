#include "dialogue/messages.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "inversion/working_matrices.h"
#include "numbers/number_text.h"
#include "text/look_alikes.h"
#include "text/shown_text.h"

namespace matinv {

// Appends to a line, cutting what does not fit, so that the line break
// always ends it.
class MessageWriter {
public:
    MessageWriter() { *this << "matinv: "; }

    MessageWriter& operator<<(std::string_view text) {
        const std::size_t part = std::min(text.size(), MessageLine::kCapacity - line_.used_);
        std::memcpy(line_.text_ + 1 + line_.used_, text.data(), part);
        line_.used_ += part;
        line_.text_[1 + line_.used_] = '\n';
        return *this;
    }
    MessageWriter& operator<<(std::int64_t number) { return put_integer(number); }
    MessageWriter& operator<<(std::uint64_t number) { return put_integer(number); }
    MessageWriter& operator<<(int number) { return put_integer(number); }
    MessageWriter& operator<<(InputPlace place) {
        return *this << "line " << place.line << ", column " << place.column << ": ";
    }
    MessageWriter& operator<<(const Wanted& wanted) {
        if (wanted.i < 0) {
            return *this << "the order of matrix " << wanted.matrix;
        }
        return *this << "entry a" << wanted.i + 1 << wanted.j + 1 << " (row " << wanted.i + 1
                     << ", column " << wanted.j + 1 << ") of matrix " << wanted.matrix;
    }

    // A number inside a sentence, in as few characters as `digits`
    // significant digits allow.
    MessageWriter& shortest(double value, int digits) {
        char text[kLongestShortest];
        const char* end = write_shortest(text, value, digits);
        return *this << std::string_view(text, static_cast<std::size_t>(end - text));
    }
    // What a read was for, in the words of the prompts: "the order" or "a12".
    MessageWriter& asked_for(const Wanted& wanted) {
        if (wanted.i < 0) {
            return *this << "the order";
        }
        return *this << "a" << wanted.i + 1 << wanted.j + 1;
    }

    // A number exactly, in as few characters as give it back.
    MessageWriter& round_trip(double value) {
        char text[kLongestShortest];
        const char* end = write_round_trip(text, value);
        return *this << std::string_view(text, static_cast<std::size_t>(end - text));
    }

    // Right after the text that a hint is about: "; " and the hint, or
    // nothing.
    MessageWriter& hint_on(const ShownText& shown);

    const MessageLine& line() const { return line_; }

private:
    template <typename Integer>
    MessageWriter& put_integer(Integer number) {
        char digits[kLongestInteger];
        const char* end = write_integer(digits, number);
        return *this << std::string_view(digits, static_cast<std::size_t>(end - digits));
    }

    MessageWriter& put_code_point(char32_t c) {
        static constexpr char kHex[] = "0123456789ABCDEF";
        char digits[8];
        std::size_t count = 0;
        for (; count < 4 || c != 0; c >>= 4) {
            digits[count++] = kHex[c & 0xf];
        }
        std::reverse(digits, digits + count);
        return *this << "U+" << std::string_view(digits, count);
    }

    MessageLine line_;
};

MessageWriter& MessageWriter::hint_on(const ShownText& shown) {
    static constexpr std::string_view kArrowKeys[] = {"up", "down", "right", "left"};
    const TextHint& hint = shown.hint();
    switch (hint.kind) {
        case TextHint::Kind::none:
            return *this;
        case TextHint::Kind::comma:
            return *this << "; a comma is neither a decimal point nor a separator here";
        case TextHint::Kind::arrow_key:
            return *this << "; " << shown.hinted() << " is the " << kArrowKeys[hint.arrow - 'A']
                         << " arrow key";
        case TextHint::Kind::hidden_character:
            *this << "; " << shown.hinted() << " is ";
            return put_code_point(hint.code_point) << ", which does not print";
        case TextHint::Kind::character:
            break;
    }
    *this << "; '" << shown.hinted() << "' is ";
    put_code_point(hint.code_point);
    const LookAlike* look_alike = find_look_alike(hint.code_point);
    if (look_alike == nullptr) {
        return *this << ": numbers are typed in ASCII";
    }
    *this << " " << look_alike->name;
    if (look_alike->ascii == 0) {
        return *this << ": type numbers without quotes";
    }
    if (look_alike->ascii == ' ') {
        return *this << ": type a blank instead";
    }
    return *this << ": type '" << std::string_view(&look_alike->ascii, 1) << "' instead";
}

MessageLine output_unwritable(int error) {
    MessageWriter line;
    line << "standard output could not be written: " << std::strerror(error);
    return line.line();
}

MessageLine input_unreadable(int error) {
    MessageWriter line;
    line << "standard input could not be read: " << std::strerror(error);
    return line.line();
}

MessageLine input_ended(InputPlace place, const Wanted& wanted) {
    MessageWriter line;
    line << place << "input ended while reading " << wanted;
    return line.line();
}

MessageLine not_a_number(InputPlace place, const Wanted& wanted, const ShownText& found) {
    MessageWriter line;
    if (wanted.i < 0) {
        line << place << "expected " << wanted << ", a whole number, but found " << found.view();
    } else {
        line << place << "expected a number for " << wanted << ", but found " << found.view();
    }
    line.hint_on(found);
    return line.line();
}

MessageLine order_above_limit(InputPlace place, std::string_view order, std::uint64_t matrix) {
    MessageWriter line;
    line << place << "order " << order << " of matrix " << matrix << " is above the limit of "
         << kMaxOrder;
    return line.line();
}

MessageLine unknown_option(std::string_view option, std::string_view meant) {
    MessageWriter line;
    const ShownText shown(option);
    line << "unknown option " << shown.view();
    line.hint_on(shown);
    if (meant.empty()) {
        line << "; try 'matinv --help'";
    } else {
        line << "; did you mean '" << meant << "'?";
    }
    return line.line();
}

// A file name that a shell takes as it stands, and that is shown whole,
// goes into the command to type; "4" is more likely a misplaced order.
MessageLine argument_ignored(std::string_view argument) {
    const auto is_letter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
    const bool plain = argument.size() <= ShownText::kShownBytes &&
                       std::any_of(argument.begin(), argument.end(), is_letter) &&
                       std::all_of(argument.begin(), argument.end(), [&is_letter](char c) {
                           return is_letter(c) || (c >= '0' && c <= '9') ||
                                  std::string_view("._-+/,:@%=").find(c) != std::string_view::npos;
                       });
    const ShownText shown(argument);
    MessageWriter line;
    line << "warning: ignoring the argument " << shown.view();
    line.hint_on(shown) << "; to read a file, redirect standard input: matinv < "
                        << (plain ? argument : "m.txt");
    return line.line();
}

MessageLine order_runs_on(std::string_view order_text, std::string_view rest, int order) {
    MessageWriter line;
    line << "warning: the order " << order_text << " runs straight into " << rest
         << "; it was read as " << order << ", and " << rest;
    // An order of 0 or less asks for no entries: its report ends the run.
    line << (order > 0 ? " is left for the next read" : " is not read");
    return line.line();
}

MessageLine entry_runs_on(InputPlace place, const Wanted& wanted, std::string_view entry_text,
                          std::string_view rest, double value) {
    MessageWriter line;
    line << "warning: " << place << entry_text << " for " << wanted << " runs straight into "
         << rest << "; it was read as ";
    line.round_trip(value) << ", and " << rest << " is left for the next read";
    return line.line();
}

MessageLine more_numbers_typed(std::string_view typed, bool several, const Wanted& after,
                               const Wanted& next) {
    MessageWriter line;
    line << "note: " << typed << " after ";
    line.asked_for(after) << (several ? " are" : " is") << " taken as ";
    if (next.i < 0) {
        line << "the order of matrix " << next.matrix;
    } else {
        line.asked_for(next);
    }
    line << (several ? " and what follows" : "");
    return line.line();
}

MessageLine input_left_unread(InputPlace place, std::string_view word) {
    MessageWriter line;
    line << "note: " << place << "the input goes on with " << word
         << ", which is not read: the report ends the run";
    return line.line();
}

// The first reason that applies.
MessageLine untrusted_inverse(const InverseTrust& trust) {
    MessageWriter line;
    line << "warning: [B] cannot be trusted: ";
    if (!trust.finite) {
        line << "it holds infinite or not-a-number entries";
    } else {
        line << "the matrix is singular to working precision (rcond = ";
        line.shortest(trust.rcond, 2) << ", below ";
        line.shortest(kWorkingPrecision, 2) << ")";
    }
    return line.line();
}

MessageLine refused_for_row_size(std::span<const int> small_rows) {
    MessageWriter line;
    line << "note: the matrix has an inverse, and was refused only for the small entries of "
         << (small_rows.size() == 1 ? "row " : "rows ");
    for (std::size_t k = 0; k < small_rows.size(); ++k) {
        if (k > 0) {
            line << (k + 1 == small_rows.size() ? " and " : ", ");
        }
        line << small_rows[k] + 1;
    }
    return line.line();
}

// The power of ten suggested brings the entry named to between 1 and 10:
// multiplying the matrix multiplies [A] and divides [B].
MessageLine digits_hidden(char matrix, int i, int j, double value) {
    const bool inverse = matrix == 'B';
    const auto exponent = static_cast<int>(std::floor(std::log10(std::fabs(value))));
    MessageWriter line;
    line << "note: " << (inverse ? "[B]" : "[A]")
         << " holds entries that print as 0.0000000000 but are not zero, such as "
         << (inverse ? "b" : "a") << i + 1 << j + 1 << " = ";
    line.round_trip(value) << "; to see their digits, multiply the matrix by a power of ten, say 1e"
                           << (inverse ? exponent : -exponent)
                           << ", and the inverse printed by the same factor";
    return line.line();
}

std::string_view usage() {
    return "Usage: matinv [--steps]\n"
           "       matinv -h | --help | --version\n"
           "Inverts a real square matrix of order 1 to 10. Asks for the order and the\n"
           "entries row by row on standard input, and prints the matrix [A], its\n"
           "inverse [B] and their product [A][B]. To read a file: matinv < m.txt\n"
           "\n"
           "The order is a whole number; one of 0 or less prints the three headings\n"
           "with no rows. An entry is a decimal number such as 7, -2.5, .5 or 1e-3;\n"
           "inf, nan and hexadecimal are not numbers. A magnitude beyond the range of\n"
           "doubles, such as 1e400, is read as inf, and a warning then says that [B]\n"
           "cannot be trusted.\n"
           "\n"
           "  --steps     also write every step of the elimination on standard error\n"
           "  -h, --help  print this text and exit\n"
           "  --version   print the version and exit\n";
}

std::string_view version() { return "matinv " MATINV_VERSION "\n"; }

}  // namespace matinv
