#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "io/byte_streams.h"
#include "io/output_buffer.h"

namespace matinv {

// A place in the input as editors show it: line and column counted from 1,
// the column in bytes.
struct InputPlace {
    std::uint64_t line = 1;
    std::uint64_t column = 1;
};

// The white space that separates words of the input, as isspace() has it in
// the C locale, looked up in a table: the reader asks of every byte between
// two numbers. -1, the end of the input, is none.
inline constexpr auto kSpaceBytes = [] {
    std::array<bool, 256> space{};
    for (const unsigned char c : {' ', '\t', '\n', '\r', '\v', '\f'}) {
        space[c] = true;
    }
    return space;
}();
inline bool is_space(int c) { return kSpaceBytes[static_cast<unsigned char>(c)]; }

// How a read of bytes not yet arrived goes: not at all, only for those that
// can be read without waiting, or waiting for them.
enum class Refill { none, without_waiting, waiting };

// Walks the input byte by byte over a buffer that refills from the source
// only when a byte is asked for that has not arrived, so that the text just
// typed is handled without waiting for more. A text longer than the buffer
// streams through it.
//
// Pending output is flushed whenever the cursor must wait for more input, so
// that every prompt shows before the program waits for its answer. Once that
// output cannot be written, nothing more is read: the input then ends, and
// the pending output's failed() tells why.
//
// At a terminal, a line typed after the output showed is echoed after it,
// and leaves the terminal's cursor at the margin: the pending output is told
// so. A line typed ahead is there without waiting, and is taken before the
// output is shown, unless the source echoes it only as it reads it: the
// output then goes first, its unfinished line offered as the line's prompt.
//
// A line of nothing but white space that arrives at a terminal while the
// program waits is Enter pressed on an empty line, which skip_space() stops
// at. One that arrives without waiting was typed ahead or pasted, and is
// white space like any other.
class ByteCursor {
public:
    ByteCursor(Source& source, OutputBuffer& pending)
        : source_(source), pending_(pending), at_terminal_(source.is_terminal()) {
        buffer_[0] = '\0';
    }
    ByteCursor(const ByteCursor&) = delete;
    ByteCursor& operator=(const ByteCursor&) = delete;

    // The byte `ahead` places past the current one, or -1 past the end of
    // the input; the common case, a byte that has arrived, costs one
    // comparison.
    int peek(std::size_t ahead) {
        if (position_ + ahead < end_) {
            return static_cast<unsigned char>(buffer_[position_ + ahead]);
        }
        return peek_beyond(ahead);
    }
    // Takes the current byte, which has been peeked at.
    void advance() { ++position_; }
    // Takes white space up to the next word; false when the input ends
    // first, when nothing more arrives without waiting under
    // Refill::without_waiting, or at a blank line typed at a terminal.
    bool skip_space(Refill refill = Refill::waiting) {
        for (;;) {
            std::size_t at = position_;
            while (is_space(static_cast<unsigned char>(buffer_[at]))) {  // the 0 at end_ stops it
                ++at;
            }
            position_ = at;
            if (at < end_) {
                return true;
            }
            if (blank_line_typed_ || !refill_buffer(refill)) {
                return false;
            }
        }
    }
    // After skip_space() has returned false: whether it stopped at a blank
    // line typed at a terminal. Asking takes the line, so that the next
    // skip_space() waits for another.
    bool take_blank_line() {
        const bool typed = blank_line_typed_;
        blank_line_typed_ = false;
        return typed;
    }

    // For a scan in one pass over the bytes that have arrived: they start at
    // arrived() and are followed by a 0; take_until() takes them up to
    // `stop`.
    const char* arrived() const { return buffer_ + position_; }
    void take_until(const char* stop) { position_ = static_cast<std::size_t>(stop - buffer_); }

    // The bytes from the current one up to the next white space, at most
    // `limit` of them, none taken; bytes not yet arrived are read as
    // `refill` allows.
    std::string_view word(std::size_t limit, Refill refill);

    // Before anything is taken: takes a UTF-8 byte order mark (EF BB BF),
    // as some editors write at the start of a file. Columns on the first
    // line count from the byte after it.
    void skip_byte_order_mark();
    // Before anything is taken: whether the input begins as UTF-16 text
    // does, with its byte order mark (FF FE or FE FF) or with a digit and a
    // 0 byte, in either order. Past a digit this waits for no byte that
    // reading the number would not wait for.
    bool begins_as_utf16();

    // The rest of the line that has arrived, from its first word to its last,
    // none taken: at a terminal, the rest of the line the person typed.
    std::string_view rest_of_line_arrived() const;
    // Takes every byte that has arrived and drops what the source still
    // holds queued: what was typed ahead answers no question.
    void drop_typed_ahead();
    bool at_terminal() const { return at_terminal_; }
    // At a terminal: a prompt to show before the next line, while the
    // screen's cursor is at the margin, the lines typed having been taken
    // whole without answering all that was asked: before waiting for it, or
    // before reading it when the source shows it only then. Empty for none;
    // it is read from where it stands until it is set again.
    void prompt_while_waiting(std::string_view prompt) { waiting_prompt_ = prompt; }

    // Marks the current byte as the start of a text whose place() may be
    // asked for; at the end of the input, the place is where it ended.
    void mark_place();
    InputPlace place() const;

private:
    // The line breaks in a stretch of the input, and the offset of the byte
    // after the last of them.
    struct LineCount {
        std::uint64_t breaks = 0;
        std::uint64_t line_start = 0;
        InputPlace place_of(std::uint64_t offset) const {
            return InputPlace{breaks + 1, offset - line_start + 1};
        }
    };

    int peek_beyond(std::size_t ahead);
    bool refill_buffer(Refill refill);
    bool append_ready();
    void put_waiting_prompt();
    void drop_taken_bytes();
    void count_lines(std::size_t from, std::size_t to, LineCount& count) const;

    static constexpr std::size_t kCapacity = 1 << 16;
    Source& source_;
    OutputBuffer& pending_;
    // One byte more than is ever read into, for the 0 kept at buffer_[end_];
    // the rest is left unset, as zeroing it would cost a short run more
    // than all its reading.
    char buffer_[kCapacity + 1];
    std::size_t position_ = 0;
    std::size_t end_ = 0;
    bool ended_ = false;
    const bool at_terminal_;
    // Whether the last bytes read are a blank line typed at a terminal.
    bool blank_line_typed_ = false;
    std::string_view waiting_prompt_;

    // Lines are counted in the bytes dropped from the buffer, once per
    // refill, and in the buffer itself only when a place is asked for.
    std::uint64_t dropped_ = 0;  // bytes dropped before buffer_[0]
    LineCount dropped_lines_;
    std::uint64_t place_offset_ = 0;  // offset of the marked byte
    // Once the marked byte has been dropped, its place, counted on the way.
    bool place_known_ = false;
    InputPlace known_place_;
};

}  // namespace matinv
