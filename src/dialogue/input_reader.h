#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "io/byte_cursor.h"
#include "io/byte_streams.h"
#include "io/output_buffer.h"
#include "numbers/bounded_line.h"
#include "numbers/decimal_parts.h"
#include "numbers/exact_decimal.h"
#include "text/shown_text.h"

namespace matinv {

// What a read found.
enum class Found : std::uint8_t {
    number,             // a number, followed by white space or the end of the input
    number_running_on,  // a number that runs straight on into more text
    text,               // text that is not a number of the kind asked for
    empty_line,         // at a terminal, Enter on a line of nothing but white space
    utf16,              // the input begins as UTF-16 text does, of a first order
    end,                // the input ended before a number began
    unreadable,         // a read of the input failed
};

// At most ShownText::kLookedAtBytes bytes of the input as they were typed:
// all that quoting a text needs.
class TypedText : public BoundedLine<ShownText::kLookedAtBytes> {
public:
    std::string_view view() const { return text(); }
    void assign(std::string_view typed) {
        clear();
        put(typed);
    }
};

// One read's result. A token stays valid until the next read.
struct Token {
    Found found = Found::end;
    int order = 0;       // of an order; one beyond int's range is INT_MAX or INT_MIN
    double value = 0.0;  // of an entry
    // The number's own text, of an order or of a number that runs on; the
    // text found, as far as it has arrived, when it is not a number; the
    // word left, of read_left_over().
    TypedText text;
    // Of a number that runs on: the text it runs into, up to white space.
    TypedText rest;
    // The errno value, when the input is unreadable.
    int error = 0;
    // Of an entry read exactly, or scanned past the quick path: the decimal,
    // or, when `fraction`, the two of a fraction.
    DecimalParts numerator;
    DecimalParts denominator;
    bool fraction = false;

    bool is_number() const { return found <= Found::number_running_on; }
};

// Reads the orders and entries of one stream, as numbers/decimal_scanner.h
// has them, separated by white space, through a ByteCursor. Each read
// returns what it found; the dialogue decides what that means.
//
// The pending output is shown before each wait for input; once it cannot
// be written, the input ends (see ByteCursor), and the output tells why.
class InputReader {
public:
    InputReader(Source& source, OutputBuffer& pending)
        : cursor_(source, pending), source_(source) {}

    // The first read of an order takes a UTF-8 byte order mark before it,
    // and finds input that begins as UTF-16 text does.
    const Token& read_order();
    // An entry, its decimal as typed put in `typed`, which the token does
    // not carry: the default mode keeps it beside the double without a copy.
    const Token& read_entry(ShortParts& typed);
    const Token& read_entry() { return read_entry(unkept_); }
    // An entry taken exactly, as its decimal's parts, or as a fraction of
    // two decimals joined by a slash with nothing around it ("-2/3"):
    // read_entry()'s numbers and these fractions, never a value.
    const Token& read_exact_entry();
    // Once the reads are over: the next word, found as `text`, when more
    // than white space is left as far as can be known without waiting, and
    // `end` otherwise.
    const Token& read_left_over();

    // Where the last token's text began, or where the input ended; not
    // known for an entry simply read.
    InputPlace place() const { return cursor_.place(); }

    // Whether the input is typed at a terminal.
    bool at_terminal() const { return cursor_.at_terminal(); }
    // After a read: the rest of the line that has arrived, when it goes on
    // with another number; empty otherwise. Never waits.
    std::string_view numbers_typed_ahead() const;
    // Drops the rest of what was typed or pasted (see ByteCursor).
    void drop_typed_ahead() { cursor_.drop_typed_ahead(); }
    // At a terminal, the prompt for the rest of a question (see ByteCursor).
    void prompt_while_waiting(std::string_view prompt) { cursor_.prompt_while_waiting(prompt); }

private:
    [[gnu::noinline]] const Token& read_entry_slowly(ShortParts& typed);
    const Token& no_number_left();
    const Token& refuse();
    const Token& found_number();
    template <class Scan>
    const Token& read_number(const Scan& scan);

    ByteCursor cursor_;
    // Once the input has ended, it tells whether a read failed.
    const Source& source_;
    Token token_;
    ShortParts unkept_;
};

}  // namespace matinv
