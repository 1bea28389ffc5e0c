#include "io/byte_cursor.h"

#include <algorithm>
#include <cstring>

namespace matinv {

int ByteCursor::peek_beyond(std::size_t ahead) {
    while (end_ - position_ <= ahead) {
        if (!refill_buffer(Refill::waiting)) {
            return -1;
        }
    }
    return static_cast<unsigned char>(buffer_[position_ + ahead]);
}

// One read from the source, after dropping the bytes already taken.
// Returns false when the input has ended, when the buffer is full of bytes
// not yet taken, when nothing can be read as `refill` allows, or when
// pending output cannot be written: a dialogue whose prompts cannot be shown
// must not go on taking answers.
bool ByteCursor::refill_buffer(Refill refill) {
    if (ended_ || refill == Refill::none) {
        return false;
    }
    if (position_ > 0) {
        drop_taken_bytes();
    }
    if (end_ == kCapacity) {
        return false;
    }
    // Without waiting, or at a terminal, where a line typed ahead is there
    // before the pending output is shown, and was echoed before it.
    if (refill == Refill::without_waiting || at_terminal_) {
        if (append_ready()) {
            return true;
        }
        if (refill == Refill::without_waiting || ended_) {
            return false;
        }
    }
    if (at_terminal_) {
        put_waiting_prompt();
    }
    // Only a terminal's source may draw the prompt itself: through pipes and
    // files the output is simply flushed.
    if (!(at_terminal_ ? pending_.flush_before_reading(source_) : pending_.flush())) {
        ended_ = true;
        return false;
    }
    const std::size_t got = source_.read_some(buffer_ + end_, kCapacity - end_);
    blank_line_typed_ = false;
    if (got == 0) {
        ended_ = true;
    }
    end_ += got;
    buffer_[end_] = '\0';
    if (at_terminal_ && got > 0 && buffer_[end_ - 1] == '\n') {
        pending_.line_ended_elsewhere();
        const std::string_view line(buffer_ + end_ - got, got);
        blank_line_typed_ =
            std::all_of(line.begin(), line.end(), [](char c) { return is_space(c); });
    }
    return got > 0;
}

// Before a line is shown at a terminal, when nothing stands before the
// screen's cursor.
void ByteCursor::put_waiting_prompt() {
    if (!waiting_prompt_.empty() && pending_.at_line_start()) {
        pending_.put(waiting_prompt_);
    }
}

bool ByteCursor::append_ready() {
    const bool echoed = at_terminal_ && source_.echoes_when_read();
    if (echoed) {
        put_waiting_prompt();
    }
    if (echoed && !pending_.flush_before_reading(source_)) {
        ended_ = true;
        return false;
    }
    const long got = source_.read_ready(buffer_ + end_, kCapacity - end_);
    if (got == 0) {
        ended_ = true;
    }
    if (got <= 0) {
        return false;
    }
    blank_line_typed_ = false;
    end_ += static_cast<std::size_t>(got);
    buffer_[end_] = '\0';
    if (echoed && buffer_[end_ - 1] == '\n') {
        pending_.line_ended_elsewhere();
    }
    return true;
}

// A marked byte among those dropped has its place worked out on the way,
// while its line is being counted.
void ByteCursor::drop_taken_bytes() {
    std::size_t counted = 0;
    if (!place_known_ && place_offset_ < dropped_ + position_) {
        counted = static_cast<std::size_t>(place_offset_ - dropped_);
        count_lines(0, counted, dropped_lines_);
        known_place_ = dropped_lines_.place_of(place_offset_);
        place_known_ = true;
    }
    count_lines(counted, position_, dropped_lines_);
    dropped_ += position_;
    std::memmove(buffer_, buffer_ + position_, end_ - position_);
    end_ -= position_;
    buffer_[end_] = '\0';
    position_ = 0;
}

// Adds the line breaks among buffer_[from] to buffer_[to - 1] to `count`.
void ByteCursor::count_lines(std::size_t from, std::size_t to, LineCount& count) const {
    const char* at = buffer_ + from;
    const char* const stop = buffer_ + to;
    while (const void* found = std::memchr(at, '\n', static_cast<std::size_t>(stop - at))) {
        at = static_cast<const char*>(found) + 1;
        ++count.breaks;
        count.line_start = dropped_ + static_cast<std::uint64_t>(at - buffer_);
    }
}

void ByteCursor::mark_place() {
    place_offset_ = dropped_ + position_;
    place_known_ = false;
}

InputPlace ByteCursor::place() const {
    if (place_known_) {
        return known_place_;
    }
    LineCount count = dropped_lines_;
    count_lines(0, static_cast<std::size_t>(place_offset_ - dropped_), count);
    return count.place_of(place_offset_);
}

std::string_view ByteCursor::word(std::size_t limit, Refill refill) {
    std::size_t length = 0;
    for (;;) {
        while (length < limit && position_ + length < end_ &&
               !is_space(static_cast<unsigned char>(buffer_[position_ + length]))) {
            ++length;
        }
        if (length == limit || position_ + length < end_ || !refill_buffer(refill)) {
            return {buffer_ + position_, length};
        }
    }
}

void ByteCursor::skip_byte_order_mark() {
    if (dropped_ + position_ == 0 && peek(0) == 0xef && peek(1) == 0xbb && peek(2) == 0xbf) {
        position_ = 3;
        dropped_lines_.line_start = 3;
    }
}

bool ByteCursor::begins_as_utf16() {
    if (dropped_ + position_ != 0) {
        return false;
    }
    const auto is_digit = [](int c) { return c >= '0' && c <= '9'; };
    const int first = peek(0);
    if (first == 0xff || first == 0xfe) {
        return peek(1) == (first == 0xff ? 0xfe : 0xff);
    }
    return first == 0 ? is_digit(peek(1)) : is_digit(first) && peek(1) == 0;
}

std::string_view ByteCursor::rest_of_line_arrived() const {
    const char* const line_end =
        static_cast<const char*>(std::memchr(buffer_ + position_, '\n', end_ - position_));
    std::string_view rest(
        buffer_ + position_,
        static_cast<std::size_t>((line_end != nullptr ? line_end : buffer_ + end_) -
                                 (buffer_ + position_)));
    while (!rest.empty() && is_space(static_cast<unsigned char>(rest.front()))) {
        rest.remove_prefix(1);
    }
    while (!rest.empty() && is_space(static_cast<unsigned char>(rest.back()))) {
        rest.remove_suffix(1);
    }
    return rest;
}

void ByteCursor::drop_typed_ahead() {
    position_ = end_;
    blank_line_typed_ = false;
    source_.drop_queued_input();
}

}  // namespace matinv
