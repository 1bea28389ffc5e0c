#include <fcntl.h>
#include <io.h>
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <climits>

#include "io/standard_streams.h"

namespace matinv {
namespace {

// _isatty is true for NUL and every other character device too; only a
// console has a console mode.
bool is_console(int fd) {
    DWORD mode = 0;
    return GetConsoleMode(reinterpret_cast<HANDLE>(_get_osfhandle(fd)), &mode) != 0;
}

// _read and _write count in an int.
unsigned transfer_size(std::size_t size) {
    return static_cast<unsigned>(std::min<std::size_t>(size, INT_MAX));
}

// In binary mode, since the C runtime's text mode would write each "\n" as
// "\r\n" and end the input at a Ctrl-Z anywhere in it.
class DescriptorSource final : public Source {
public:
    explicit DescriptorSource(int fd) : fd_(fd), console_(is_console(fd)) {
        _setmode(fd, _O_BINARY);
    }
    bool is_terminal() const override { return console_; }

    // A file's bytes are there to be read, and a pipe tells how many it
    // holds; a console is not asked, as elsewhere a terminal is not.
    long read_ready(char* buffer, std::size_t capacity) override {
        const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(fd_));
        const DWORD kind = GetFileType(handle);
        DWORD waiting = 0;
        if (kind == FILE_TYPE_PIPE &&
            (PeekNamedPipe(handle, nullptr, 0, nullptr, &waiting, nullptr) == 0 || waiting == 0)) {
            return -1;
        }
        if (kind != FILE_TYPE_DISK && kind != FILE_TYPE_PIPE) {
            return -1;
        }
        return _read(fd_, buffer, transfer_size(capacity));
    }

    // A console hands over whole lines: what is typed or pasted ahead waits
    // in its input buffer.
    void drop_queued_input() override {
        if (console_) {
            FlushConsoleInputBuffer(reinterpret_cast<HANDLE>(_get_osfhandle(fd_)));
        }
    }

private:
    long read_once(char* buffer, std::size_t capacity, int& error) override {
        const int got = _read(fd_, buffer, transfer_size(capacity));
        error = got < 0 ? errno : 0;
        if (got <= 0) {
            return got;
        }
        // A console hands over a typed line per read; Ctrl-Z at the start of
        // one ends the input, as Ctrl-D does at a terminal elsewhere.
        if (console_ && at_line_start_ && buffer[0] == '\x1a') {
            return 0;
        }
        at_line_start_ = buffer[got - 1] == '\n';
        return got;
    }

    int fd_;
    bool console_;
    bool at_line_start_ = true;
};

class DescriptorSink final : public Sink {
public:
    explicit DescriptorSink(int fd) : fd_(fd), console_(is_console(fd)) { _setmode(fd, _O_BINARY); }
    bool is_terminal() const override { return console_; }

private:
    long write_once(const char* data, std::size_t size, int& error) override {
        const int put = _write(fd_, data, transfer_size(size));
        error = put < 0 ? errno : 0;
        return put;
    }

    int fd_;
    bool console_;
};

}  // namespace

Source& standard_input() {
    static DescriptorSource in(0);
    return in;
}

Sink& standard_output() {
    static DescriptorSink out(1);
    return out;
}

Sink& standard_error() {
    static DescriptorSink errors(2);
    return errors;
}

int standard_error_columns() {
    CONSOLE_SCREEN_BUFFER_INFO screen{};
    if (GetConsoleScreenBufferInfo(GetStdHandle(STD_ERROR_HANDLE), &screen) == 0) {
        return 0;
    }
    return screen.srWindow.Right - screen.srWindow.Left + 1;
}

}  // namespace matinv
