#pragma once

#include <cstddef>
#include <string_view>

// The dialogue reads and writes through these two seams, so that the whole
// program can run against standard input and output, or against memory in
// tests and fuzzing. The loops that retry interrupted, would-block and
// partial transfers live here, once, over one primitive per stream kind.
namespace matinv {

class Source {
public:
    virtual ~Source() = default;
    // Reads at most capacity bytes into buffer, waiting if need be; returns
    // how many were read, 0 once the input has ended or a read has failed.
    std::size_t read_some(char* buffer, std::size_t capacity);
    // 0 while nothing has failed; after a failed read, its errno value.
    int error() const { return error_; }

    // What a person at a terminal needs besides reads that wait. Each has a
    // body for each system's descriptors; sources that are no terminal keep
    // these defaults.
    //
    // Whether the input is a terminal, where a person types it line by line
    // and the terminal echoes what is typed.
    virtual bool is_terminal() const { return false; }
    // Reads at most capacity bytes of those that can be read without
    // waiting: from a file, or those that have arrived on a pipe or at a
    // terminal. Returns their count, 0 at the end of the input, or -1 when
    // none can be read so, and also when a read fails, which error() does
    // not report: nothing depends on these bytes arriving.
    virtual long read_ready(char* /*buffer*/, std::size_t /*capacity*/) { return -1; }
    // Drops what has been typed or pasted at a terminal and not yet read,
    // and what is still arriving, until the input has been quiet for a short
    // while: the rest of a paste must not answer the next question.
    virtual void drop_queued_input() {}
    // Offered, just before a read that waits, the unfinished last line of
    // the output, which would otherwise be written as it stands. A source
    // that draws it itself, as the prompt of the line it edits, returns
    // true: the text is then not written, and a redraw of the line keeps it.
    virtual bool draws_prompt(std::string_view /*unfinished_line*/) { return false; }
    // Whether a line typed ahead shows on the screen only once it is read,
    // as a line editor echoes it, rather than as it arrives, as a
    // terminal's own echo does: its prompt can then be drawn before it.
    virtual bool echoes_when_read() const { return false; }

protected:
    // One read as read(2) does it: the count of bytes read, 0 at the end of
    // the input, or -1 with the errno value in `error`.
    virtual long read_once(char* buffer, std::size_t capacity, int& error) = 0;
    // Returns 0 once a read would no longer fail with EAGAIN, or the errno
    // value of a wait that failed.
    virtual int wait_until_readable() { return 0; }

private:
    int error_ = 0;
};

class Sink {
public:
    virtual ~Sink() = default;
    // Writes all size bytes, in as many writes as that takes; returns false
    // at the first write that fails, and writes nothing more after one.
    bool write_all(const char* data, std::size_t size);
    // 0 while nothing has failed; after a failed write, its errno value.
    int error() const { return error_; }
    // Whether the bytes go to a terminal, where a user reads them as lines.
    virtual bool is_terminal() const { return false; }

protected:
    // One write as write(2) does it: the count of bytes written, or -1 with
    // the errno value in `error`.
    virtual long write_once(const char* data, std::size_t size, int& error) = 0;
    // Returns 0 once a write would no longer fail with EAGAIN, or the errno
    // value of a wait that failed.
    virtual int wait_until_writable() { return 0; }

private:
    int error_ = 0;
};

}  // namespace matinv
