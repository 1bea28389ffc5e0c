#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "io/byte_streams.h"
#include "numbers/decimal_digits.h"
#include "io/output_buffer.h"
#include "dialogue/shown_text.h"

namespace matinv {

enum class ReadStatus {
    ok,
    ended,         // the input ran out before a number began
    not_a_number,  // the next text is not a number of the kind asked for
    unreadable,    // a read of the input failed; error() tells why
};

// An order as typed: its value if it fits an int, and otherwise whether it
// lies above or below, so that a huge order can be refused rather than
// wrapped round.
struct Order {
    int value = 0;
    bool too_large = false;
};

// A place in the input as editors show it: line and column counted from 1,
// the column in bytes.
struct InputPlace {
    std::uint64_t line = 1;
    std::uint64_t column = 1;
};

// Reads whitespace-separated numbers from one stream. Each read takes the
// longest prefix of the text that is a number of the kind asked for and
// leaves the rest for the next read, as formatted input does: "2.5" read as
// an order gives 2 and leaves ".5". Only plain decimal notation is a number:
// not "inf", "nan" or hexadecimal. Text is refused as soon as its first
// bytes show that it cannot be a number, without waiting for the rest.
class InputReader {
public:
    // Pending output is flushed whenever the reader must wait for more input,
    // so that every prompt shows before the program waits for its answer.
    // Once that output cannot be written, nothing more is read: the input
    // then ends.
    InputReader(Source& source, OutputBuffer& pending) : source_(source), pending_(pending) {}
    InputReader(const InputReader&) = delete;
    InputReader& operator=(const InputReader&) = delete;

    // An optional sign and decimal digits.
    ReadStatus read_order(Order& order);
    // An optional sign, digits with an optional point and fraction (at least
    // one digit in all), and an optional exponent: e or E, optional sign,
    // digits.
    ReadStatus read_entry(double& value);

    // After not_a_number: the offending text as far as it has arrived,
    // quoted and made safe to show, shortened when long. After a read of an
    // order: the order's own text, likewise shortened.
    const ShownText& last_text() const { return last_text_; }
    // After a read of an order, or a read that was not ok: where its text
    // began, or where the input ended.
    InputPlace place() const;
    // After unreadable: the errno value of the read that failed.
    int error() const { return source_.error(); }
    // The byte right after the last number read, without taking it, or -1
    // at the end of the input. Never waits: a number ends only once the
    // byte after it has arrived or the input has ended.
    int peek_next() const {
        return position_ < end_ ? static_cast<unsigned char>(buffer_[position_]) : -1;
    }

    // Whether the last number read runs straight on into text, as "2.0" read
    // as an order does. Never waits.
    bool runs_on() const;
    // The text after the last number read, up to the next white space,
    // quoted and shortened as last_text() is; nothing is taken. Waits only
    // for bytes of that text that have not arrived.
    ShownText text_ahead();

private:
    // The byte `ahead` places past the current one, or -1 past the end; the
    // common case, a byte already read, costs one comparison.
    int peek(std::size_t ahead) {
        if (position_ + ahead < end_) {
            return static_cast<unsigned char>(buffer_[position_ + ahead]);
        }
        return peek_beyond(ahead);
    }
    int peek_beyond(std::size_t ahead);
    void advance() { ++position_; }
    bool read_more();
    bool skip_space();
    ReadStatus scan_entry(DecimalDigits& digits);
    ReadStatus no_number_left();
    void mark_place();
    void drop_taken_bytes();
    void count_lines(std::size_t length, std::uint64_t& lines, std::uint64_t& line_start) const;
    InputPlace place_at(std::uint64_t offset) const;
    void remember_text(std::size_t length);
    void remember_offending_token();

    static constexpr std::size_t kCapacity = 1 << 16;
    static constexpr std::size_t kShownBytes = ShownText::kShownBytes;
    Source& source_;
    OutputBuffer& pending_;
    // One byte more than is ever read into, for a 0 after the last byte
    // read, which stops a scan there as any other byte outside a number does.
    char buffer_[kCapacity + 1];
    std::size_t position_ = 0;
    std::size_t end_ = 0;
    bool exhausted_ = false;

    // Lines are counted only in bytes dropped from the buffer, once per
    // refill, and in the buffer itself only when a place is asked for.
    std::uint64_t dropped_ = 0;             // bytes dropped before buffer_[0]
    std::uint64_t dropped_lines_ = 0;       // line breaks among them
    std::uint64_t dropped_line_start_ = 0;  // offset of the byte after the last one
    std::uint64_t place_offset_ = 0;        // offset of the text place() tells of
    // An order's digits may run past a refill, which drops its first byte:
    // its place is then worked out before that.
    bool keeping_place_ = false;
    bool place_known_ = false;
    InputPlace known_place_;

    ShownText last_text_;
};

}  // namespace matinv
