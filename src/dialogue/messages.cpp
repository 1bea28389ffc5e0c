#include "dialogue/messages.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <variant>

#include "dialogue/options.h"
#include "inversion/inversion.h"
#include "inversion/working_matrices.h"
#include "io/byte_cursor.h"
#include "io/error_text.h"
#include "numbers/append.h"
#include "numbers/decimal_scanner.h"
#include "text/look_alikes.h"
#include "text/shown_text.h"

namespace matinv {

// The parts of messages that are more than text and numbers, each written
// by an append_part() overload that append() finds by the part's type.

namespace {

// An entry as the prompts and the report name it: "a12" or "b12".
struct EntryName {
    char matrix;
    int i;
    int j;
};
void append_part(MessageLine& line, EntryName name) {
    append(line, name.matrix, name.i + 1, name.j + 1);
}

// What a read was for, in the words of the prompts: "the order" or "a12".
struct AskedFor {
    const Question& question;
};
void append_part(MessageLine& line, AskedFor asked) {
    if (const auto* entry = std::get_if<EntryQuestion>(&asked.question)) {
        append(line, EntryName{'a', entry->i, entry->j});
    } else {
        append(line, "the order");
    }
}

// A Unicode code point as "U+00A0": four hexadecimal digits or more.
struct CodePoint {
    char32_t value;
};
void append_part(MessageLine& line, CodePoint code_point) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    char digits[8];
    std::size_t count = 0;
    for (char32_t c = code_point.value; count < 4 || c != 0; c >>= 4) {
        digits[count++] = kHex[c & 0xf];
    }
    std::reverse(digits, digits + count);
    append(line, "U+", std::string_view(digits, count));
}

// Right after the text that a hint is about: "; " and the hint, or nothing.
struct HintOn {
    const ShownText& shown;
};
void append_part(MessageLine& line, HintOn on) {
    static constexpr std::string_view kArrowKeys[] = {"up", "down", "right", "left"};
    const ShownText& shown = on.shown;
    const TextHint& hint = shown.hint();
    switch (hint.kind) {
        case TextHint::Kind::none:
            return;
        case TextHint::Kind::comma:
            return append(line, "; a comma is neither a decimal point nor a separator here");
        case TextHint::Kind::arrow_key:
            return append(line, "; ", shown.hinted(), " is the ", kArrowKeys[hint.arrow - 'A'],
                          " arrow key");
        case TextHint::Kind::hidden_character:
            return append(line, "; ", shown.hinted(), " is ", CodePoint{hint.code_point},
                          ", which does not print");
        case TextHint::Kind::character:
            break;
    }
    append(line, "; '", shown.hinted(), "' is ", CodePoint{hint.code_point});
    const LookAlike* look_alike = find_look_alike(hint.code_point);
    if (look_alike == nullptr) {
        return append(line, ": numbers are typed in ASCII");
    }
    append(line, " ", look_alike->name);
    if (look_alike->ascii == 0) {
        return append(line, ": type numbers without quotes");
    }
    if (look_alike->ascii == ' ') {
        return append(line, ": type a blank instead");
    }
    append(line, ": type '", look_alike->ascii, "' instead");
}

}  // namespace

// " of matrix 2": the matrix is named only once there has been a second,
// since "matrix 1" puzzles someone who meant one matrix.
struct OfMatrix {
    std::uint64_t matrix;
};
static void append_part(MessageLine& line, OfMatrix of) {
    if (of.matrix > 1) {
        append(line, " of matrix ", of.matrix);
    }
}

// A place in the input: "line 3, column 7: ".
static void append_part(MessageLine& line, InputPlace place) {
    append(line, "line ", place.line, ", column ", place.column, ": ");
}

static void append_part(MessageLine& line, const OrderQuestion& order) {
    append(line, "the order", OfMatrix{order.matrix});
}
static void append_part(MessageLine& line, const EntryQuestion& entry) {
    append(line, "entry ", EntryName{'a', entry.i, entry.j}, " (row ", entry.i + 1, ", column ",
           entry.j + 1, ")", OfMatrix{entry.matrix});
}
static void append_part(MessageLine& line, const Question& question) {
    std::visit([&line](const auto& asked) { append(line, asked); }, question);
}

MessageLine output_unwritable(int error) {
    MessageLine line;
    append(line, "standard output could not be written: ", error_text(error));
    return line;
}

// "expected a number for a12, but found ": what a read asked for, up to the
// text it found.
static void append_expected(MessageLine& line, InputPlace place, const Question& question) {
    if (std::holds_alternative<OrderQuestion>(question)) {
        append(line, place, "expected ", question, ", a whole number, but found ");
    } else {
        append(line, place, "expected a number for ", question, ", but found ");
    }
}

// After an entry of the default mode that runs on: where the rest begins a
// denominator, as in "1/3", that --exact reads fractions, in a build that
// has it.
static void append_fraction_hint(MessageLine& line, std::string_view rest) {
#ifdef MATINV_EXACT_ARITHMETIC
    using decimal_scan::is_digit;
    std::size_t at = rest.size() > 1 && rest[0] == '/' ? 1 : rest.size();
    at += at < rest.size() && decimal_scan::is_sign(rest[at]) ? 1 : 0;
    at += at < rest.size() && rest[at] == '.' ? 1 : 0;
    if (at < rest.size() && is_digit(rest[at])) {
        append(line, "; matinv --exact reads fractions");
    }
#else
    (void)line;
    (void)rest;
#endif
}

// A number that runs straight into more text, as typed and as a stream of
// numbers reads it: "7-1" is 7 and then "-1". The hint is about the rest,
// where a comma or an arrow key begins.
static void append_run_on(MessageLine& line, const Token& token, const Question& question,
                          std::string_view read_as) {
    TypedText typed;
    typed.assign(token.text.view());
    typed.put(token.rest.view());
    const ShownText rest(token.rest.view());
    append(line, ShownText(typed.view()).view(), ", which would be read as ");
    if (std::holds_alternative<OrderQuestion>(question)) {
        append(line, token.order);
    } else if (!read_as.empty()) {
        append(line, read_as);
    } else {
        append(line, round_trip(token.value));
    }
    append(line, " and then ", rest.view(), HintOn{rest});
    if (std::holds_alternative<EntryQuestion>(question) && read_as.empty()) {
        append_fraction_hint(line, token.rest.view());
    }
}

MessageLine read_fault(const Token& token, InputPlace place, const Question& question,
                       std::string_view read_as) {
    MessageLine line;
    switch (token.found) {
        case Found::unreadable:
            append(line, "standard input could not be read: ", error_text(token.error));
            break;
        case Found::utf16:
            append(line,
                   "standard input is UTF-16 text, which matinv does not read; save the "
                   "text as UTF-8");
            break;
        case Found::number:
        case Found::empty_line:
        case Found::end:
            append(line, place, "input ended while reading ", question);
            break;
        case Found::number_running_on:
            append_expected(line, place, question);
            append_run_on(line, token, question, read_as);
            break;
        case Found::text: {
            const ShownText found(token.text.view());
            append_expected(line, place, question);
            append(line, found.view(), HintOn{found});
            break;
        }
    }
    return line;
}

MessageLine order_above_limit(InputPlace place, const Token& order, std::uint64_t matrix) {
    MessageLine line;
    append(line, place, "order ", ShownText(order.text.view()).view(), OfMatrix{matrix},
           " is above the limit of ", kMaxOrder);
    return line;
}

MessageLine exact_entry_refused(InputPlace place, const EntryQuestion& question, const Token& entry,
                                ExactRefusal refusal, int digit_limit, int limit_without_steps) {
    MessageLine line;
    append(line, place, ShownText(entry.text.view()).view(), " for ", question);
    if (refusal == ExactRefusal::zero_denominator) {
        append(line, " has the denominator 0");
        return line;
    }
    append(line, " cannot be held exactly: its ",
           refusal == ExactRefusal::numerator_too_long ? "numerator" : "denominator",
           " has more than ", digit_limit, " digits; ",
           limit_without_steps > 0 ? "with --steps, " : "", "--exact takes at most ", digit_limit,
           " digits above the fraction bar and ", digit_limit, " below, in lowest terms");
    if (limit_without_steps > 0) {
        append(line, " (", limit_without_steps, " without --steps)");
    }
    return line;
}

MessageLine exact_arithmetic_missing() {
    MessageLine line;
    append(line,
           "this build has no exact arithmetic, so --exact is not available; rebuild "
           "matinv with GMP installed (Debian, Ubuntu: libgmp-dev)");
    return line;
}

MessageLine unknown_option(std::string_view option, std::string_view meant) {
    const ShownText shown(option);
    MessageLine line;
    append(line, "unknown option ", shown.view(), HintOn{shown});
    if (meant.empty()) {
        append(line, "; try 'matinv --help'");
    } else {
        append(line, "; did you mean '", meant, "'?");
    }
    return line;
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
    MessageLine line;
    append(line, "warning: ignoring the argument ", shown.view(), HintOn{shown},
           "; to read a file, redirect standard input: matinv < ", plain ? argument : "m.txt");
    return line;
}

// An order of 0 or less asks for no entries: its report ends the run.
MessageLine order_runs_on(const Token& order) {
    const ShownText rest(order.rest.view());
    MessageLine line;
    append(line, "warning: the order ", ShownText(order.text.view()).view(), " runs straight into ",
           rest.view(), "; it was read as ", order.order, ", and ", rest.view(),
           order.order > 0 ? " is left for the next read" : " is not read");
    return line;
}

template <class Value>
static MessageLine entry_running_on(InputPlace place, const EntryQuestion& question,
                                    const Token& entry, const Value& read_as) {
    const ShownText rest(entry.rest.view());
    MessageLine line;
    append(line, "warning: ", place, ShownText(entry.text.view()).view(), " for ", question,
           " runs straight into ", rest.view(), "; it was read as ", read_as, ", and ", rest.view(),
           " is left for the next read");
    return line;
}

MessageLine entry_runs_on(InputPlace place, const EntryQuestion& question, const Token& entry) {
    MessageLine line = entry_running_on(place, question, entry, round_trip(entry.value));
    append_fraction_hint(line, entry.rest.view());
    return line;
}

MessageLine entry_runs_on(InputPlace place, const EntryQuestion& question, const Token& entry,
                          std::string_view read_as) {
    return entry_running_on(place, question, entry, read_as);
}

MessageLine more_numbers_typed(std::string_view typed, const Question& after,
                               const Question& next) {
    const bool several = std::any_of(
        typed.begin(), typed.end(), [](char c) { return is_space(static_cast<unsigned char>(c)); });
    MessageLine line;
    append(line, "note: ", ShownText(typed).view(), " after ", AskedFor{after},
           several ? " are" : " is", " taken as ");
    if (std::holds_alternative<OrderQuestion>(next)) {
        append(line, next);
    } else {
        append(line, AskedFor{next});
    }
    append(line, several ? " and what follows" : "");
    return line;
}

MessageLine input_left_unread(InputPlace place, const Token& word) {
    MessageLine line;
    append(line, "note: ", place, "the input goes on with ", ShownText(word.text.view()).view(),
           ", which is not read: the report ends the run");
    return line;
}

// The first reason that applies.
MessageLine untrusted_inverse(const InverseTrust& trust) {
    MessageLine line;
    append(line, "warning: [B] cannot be trusted: ");
    if (!trust.finite) {
        append(line, "it holds infinite or not-a-number entries");
    } else {
        append(line,
               "the matrix is singular to working precision (rcond = ", shortest(trust.rcond, 2),
               ", below ", shortest(kWorkingPrecision, 2), ")");
    }
    return line;
}

MessageLine refused_for_small_rows(std::span<const int> small_rows) {
    MessageLine line;
    append(line, "note: the matrix has an inverse, and was refused only for the small entries of ",
           small_rows.size() == 1 ? "row " : "rows ");
    for (std::size_t k = 0; k < small_rows.size(); ++k) {
        if (k > 0) {
            append(line, k + 1 == small_rows.size() ? " and " : ", ");
        }
        append(line, small_rows[k] + 1);
    }
    return line;
}

// Where to turn for the exact inverse: a build without exact arithmetic
// has no --exact to offer.
static void append_exact_way(MessageLine& line, std::string_view what) {
#ifdef MATINV_EXACT_ARITHMETIC
    append(line, "; matinv --exact inverts ", what, " exactly");
#else
    append(line, "; a build of matinv with exact arithmetic (GMP) inverts ", what,
           " exactly with --exact");
#endif
}

MessageLine refused_yet_invertible() {
    MessageLine line;
    append(line,
           "note: the matrix has an inverse, but it is too close to singular for this "
           "elimination's threshold of ",
           shortest(kSingularityThreshold, 2));
    append_exact_way(line, "it");
    return line;
}

// -log10(rcond) is the rule of thumb for the digits that rounding may
// take: a bound, which the words say.
MessageLine few_digits_bound(int lost, double rcond) {
    MessageLine line;
    append(line, "note: the matrix is ill-conditioned (rcond = ", shortest(rcond, 2),
           "): [B] may have lost up to ", lost, " of its ", kMostSignificantDigits,
           " significant digits");
    append_exact_way(line, "the entered values");
    return line;
}

// What [B] was measured against: entries too long to be kept or taken
// exactly count as the doubles read, and --exact, whose inverse is then not
// the one measured, is not offered.
static void append_entries_as_typed(MessageLine& line, const MeasuredDigits& measured) {
    append(line, "the entries as typed");
    if (measured.some_as_read) {
        append(line, " (as read, for those too long to take exactly)");
    }
}

MessageLine digits_measured(const MeasuredDigits& measured, double rcond) {
    MessageLine line;
    append(line, "note: the matrix is ill-conditioned (rcond = ", shortest(rcond, 2),
           "): [B] agrees with the exact inverse of ");
    append_entries_as_typed(line, measured);
    append(line, " to ", measured.digits, " significant digit", measured.digits == 1 ? "" : "s");
    if (!measured.some_as_read) {
        append(line, "; matinv --exact gives it exactly");
    }
    return line;
}

MessageLine untrusted_by_measure(const MeasuredDigits& measured, double rcond) {
    MessageLine line;
    append(line, "warning: [B] cannot be trusted: ");
    if (measured.verdict == MeasuredDigits::Verdict::singular) {
        append_entries_as_typed(line, measured);
        append(line, " form a singular matrix, which has no inverse");
    } else {
        append(line, "it keeps no significant digit of the exact inverse of ");
        append_entries_as_typed(line, measured);
    }
    append(line, " (rcond = ", shortest(rcond, 2), ")");
    return line;
}

// The power of ten suggested brings the entry named to between 1 and 10:
// multiplying the matrix multiplies [A] and divides [B].
MessageLine digits_hidden(Block block, int i, int j, double value) {
    const bool inverse = block == Block::inverse;
    const auto exponent = static_cast<int>(std::floor(std::log10(std::fabs(value))));
    MessageLine line;
    append(line, "note: ", inverse ? "[B]" : "[A]",
           " holds entries that print as 0.0000000000 but are not zero, such as ",
           EntryName{inverse ? 'b' : 'a', i, j}, " = ", round_trip(value),
           "; to see their digits, multiply the matrix by a power of ten, say 1e",
           inverse ? exponent : -exponent, ", and the inverse printed by the same factor");
    return line;
}

// The usage line and the options' lines come from the table of options.
static constexpr auto kUsage = [] {
    constexpr std::size_t kIndent = 14;  // where the options' words start
    struct Text {
        char bytes[2048] = {};
        std::size_t size = 0;
        constexpr void put(std::string_view text) {
            for (const char c : text) {
                bytes[size++] = c;
            }
        }
    } usage;
    usage.put("Usage: matinv");
    for (const OptionSpec& option : kOptions) {
        if (option.is_setting()) {
            usage.put(" [");
            usage.put(option.name);
            usage.put("]");
        }
    }
    usage.put("\n       matinv");
    std::string_view separator = " ";
    for (const OptionSpec& option : kOptions) {
        for (const std::string_view name : {option.short_name, option.name}) {
            if (!option.is_setting() && !name.empty()) {
                usage.put(separator);
                usage.put(name);
                separator = " | ";
            }
        }
    }
    usage.put(
        "\nInverts a real square matrix of order 1 to 10. Asks for the order and the\n"
        "entries row by row on standard input, and prints the matrix [A], its\n"
        "inverse [B] and their product [A][B]. To read a file: matinv < m.txt\n"
        "\n"
        "The order is a whole number; one of 0 or less prints the three headings\n"
        "with no rows. An entry is a decimal number such as 7, -2.5, .5 or 1e-3;\n"
        "inf, nan and hexadecimal are not numbers. A magnitude beyond the range of\n"
        "doubles, such as 1e400, is read as inf, and a warning then says that [B]\n"
        "cannot be trusted.\n"
        "\n");
    for (const OptionSpec& option : kOptions) {
        std::size_t line_start = usage.size;
        usage.put("  ");
        if (!option.short_name.empty()) {
            usage.put(option.short_name);
            usage.put(", ");
        }
        usage.put(option.name);
        for (std::string_view help = option.help; !help.empty();) {
            while (usage.size < line_start + kIndent) {
                usage.put(" ");
            }
            const std::size_t end = std::min(help.find('\n'), help.size());
            usage.put(help.substr(0, end));
            usage.put("\n");
            help.remove_prefix(std::min(end + 1, help.size()));
            line_start = usage.size;
        }
    }
    return usage;
}();

std::string_view usage() { return {kUsage.bytes, kUsage.size}; }

std::string_view version() { return "matinv " MATINV_VERSION "\n"; }

}  // namespace matinv
