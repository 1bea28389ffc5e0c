#pragma once

#include <string_view>

#include "io/byte_cursor.h"
#include "io/byte_streams.h"
#include "io/output_buffer.h"
#include "text/shown_text.h"

namespace matinv {

enum class ReadStatus {
    ok,
    runs_on,       // an entry was read, and text follows it with no white space between
    ended,         // the input ran out before a number began
    not_a_number,  // the next text is not a number of the kind asked for
    unreadable,    // a read of the input failed; error() tells why
};

// Reads the orders and entries of one stream, as numbers/decimal_scanner.h
// has them, separated by white space, through a ByteCursor, which also tells
// where in the input a read's text lies.
class InputReader {
public:
    InputReader(Source& source, OutputBuffer& pending) : cursor_(source, pending) {}

    // A whole number; one beyond int's range is read as INT_MAX or INT_MIN.
    // The first read of an order takes a byte order mark before it.
    ReadStatus read_order(int& order);
    ReadStatus read_entry(double& value);

    // After not_a_number: the offending text as far as it has arrived,
    // quoted and made safe to show, shortened when long. After a read of an
    // order, or of an entry that runs on, or input_left(): that number's or
    // word's own text, likewise shortened.
    const ShownText& last_text() const { return last_text_; }
    // After a read of an order, or a read that was not ok, or
    // input_left(): where its text began, or where the input ended.
    InputPlace place() const { return cursor_.place(); }
    // After unreadable: the errno value of the read that failed.
    int error() const { return cursor_.error(); }

    // Whether the last number read runs straight on into text, as "2.0" read
    // as an order does. Never waits: a number ends only once the byte after
    // it has arrived or the input has ended.
    bool runs_on();
    // The text after the last number read, up to the next white space,
    // quoted and shortened as last_text() is; nothing is taken. Waits only
    // for bytes of that text that have not arrived.
    ShownText text_ahead();

    // Whether the input is typed at a terminal.
    bool at_terminal() const { return cursor_.at_terminal(); }
    // After a read: the rest of the line that has arrived, when it goes on
    // with another number; empty otherwise. Never waits.
    std::string_view more_numbers_on_line() const;
    // Drops the rest of what was typed or pasted (see ByteCursor).
    void drop_typed_ahead() { cursor_.drop_typed_ahead(); }
    // Once the reads are over: whether more than white space is left, as far
    // as can be known without waiting.
    bool input_left();

private:
    [[gnu::noinline]] ReadStatus read_entry_slowly(double& value);
    ReadStatus no_number_left();
    ReadStatus refuse();

    ByteCursor cursor_;
    ShownText last_text_;
};

}  // namespace matinv
