#pragma once

#include <cstddef>
#include <string_view>

#include "io/byte_streams.h"

namespace matinv {

// Collects output in a fixed buffer and hands it to the sink when full or
// when flushed. Prompts become visible because the reader flushes before it
// waits for input, not because every prompt is flushed: piping a large file
// through the program then costs one write per buffer, not one per prompt.
class OutputBuffer {
public:
    explicit OutputBuffer(Sink& sink) : sink_(sink) {}
    OutputBuffer(const OutputBuffer&) = delete;
    OutputBuffer& operator=(const OutputBuffer&) = delete;

    void put(std::string_view text);
    void put_char(char c);
    // For a writer that fills the buffer in place: room() gives room for
    // `size` bytes (at most a few hundred) after what is pending, and
    // commit() keeps what was written there, up to `end`.
    char* room(std::size_t size) {
        reserve(size);
        return buffer_ + used_;
    }
    void commit(const char* end) { used_ = static_cast<std::size_t>(end - buffer_); }

    // Writes everything pending; returns false once any write has failed.
    // After a failed write nothing more is written: what is put is dropped.
    bool flush();
    // As flush(), before `reader` waits for input: the unfinished last line
    // goes to the reader instead, if it draws it as its prompt.
    bool flush_before_reading(Source& reader);
    bool failed() const { return failed_; }
    // After a failure: the errno value of the write that failed.
    int error() const { return sink_.error(); }
    // Whether the sink shows its bytes to a user at a terminal.
    bool is_terminal() const { return sink_.is_terminal(); }
    // Whether the output so far ends a line (or is empty), or its last line
    // has been ended elsewhere: a line of text written elsewhere to the same
    // screen then starts at its margin.
    bool at_line_start() const { return (used_ > 0 ? buffer_[used_ - 1] : last_shown_) == '\n'; }
    // At a terminal, a prompt still held here once its question has been
    // answered was answered by a line typed ahead, which the terminal has
    // echoed above it: its line is ended, so that what follows starts anew.
    void end_held_line() {
        if (used_ > 0 && buffer_[used_ - 1] != '\n') {
            put_char('\n');
        }
    }
    // With nothing pending: the screen's cursor has gone to the margin, as
    // the echo of a line typed after the output does.
    void line_ended_elsewhere() {
        if (used_ == 0) {
            last_shown_ = '\n';
        }
    }

private:
    void reserve(std::size_t size);

    // Far more than any room() asked for.
    static constexpr std::size_t kCapacity = 1 << 16;
    Sink& sink_;
    char buffer_[kCapacity];
    std::size_t used_ = 0;
    bool failed_ = false;
    char last_shown_ = '\n';  // the last byte on the screen, as far as the output knows
};

}  // namespace matinv
