#pragma once

#include <cstddef>

#include "dialogue/byte_streams.h"
#include "dialogue/decimal_digits.h"
#include "dialogue/output_buffer.h"

namespace matinv {

enum class ReadStatus {
    ok,
    ended,         // the input ran out before a number began
    not_a_number,  // the next text is not a number of the kind asked for
};

// An order as typed: its value if it fits an int, and otherwise whether it
// lies above or below, so that a huge order can be refused rather than
// wrapped round.
struct Order {
    int value = 0;
    bool too_large = false;
};

// Reads whitespace-separated numbers from one stream. Each read takes the
// longest prefix of the text that is a number of the kind asked for and
// leaves the rest for the next read, as formatted input does: "2.5" read as
// an order gives 2 and leaves ".5". Only plain decimal notation is a number:
// not "inf", "nan" or hexadecimal.
class InputReader {
public:
    // Pending output is flushed whenever the reader must wait for more input,
    // so that every prompt shows before the program waits for its answer.
    InputReader(Source& source, OutputBuffer& pending) : source_(source), pending_(pending) {}
    InputReader(const InputReader&) = delete;
    InputReader& operator=(const InputReader&) = delete;

    // An optional sign and decimal digits.
    ReadStatus read_order(Order& order);
    // An optional sign, digits with an optional point and fraction (at least
    // one digit in all), and an optional exponent: e or E, optional sign,
    // digits.
    ReadStatus read_entry(double& value);

    // After not_a_number: the offending text, quoted and made safe to show,
    // shortened when long. After a read of an order: the order's own text,
    // likewise shortened.
    const char* last_text() const { return last_text_; }

    // The byte `ahead` places past what has been read, without taking it; -1
    // at the end of the input. Waits for input only if that byte has not
    // arrived.
    int peek_next(std::size_t ahead = 0) { return peek(ahead); }

private:
    class BufferCursor;
    class StreamCursor;
    class TracingCursor;

    // The byte `ahead` places past the current one, or -1 past the end.
    int peek(std::size_t ahead);
    bool read_more();
    void advance() { ++position_; }
    bool skip_space();
    bool scan_needs_more();
    template <typename Cursor>
    static ReadStatus scan_entry(Cursor& cursor, DecimalDigits& digits);
    void remember_text(std::size_t length);
    void remember_offending_token();

    static constexpr std::size_t kCapacity = 1 << 16;
    static constexpr std::size_t kShownBytes = 32;
    Source& source_;
    OutputBuffer& pending_;
    // One byte more than is ever read into, for a 0 after the last byte
    // read, which stops a scan there as any other byte outside a number does.
    char buffer_[kCapacity + 1];
    std::size_t position_ = 0;
    std::size_t end_ = 0;
    bool exhausted_ = false;
    char last_text_[kShownBytes * 4 + 8] = {};
};

}  // namespace matinv
