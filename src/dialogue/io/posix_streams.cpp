#include "io/posix_streams.h"

#include <poll.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>

#include "io/standard_streams.h"
#ifdef MATINV_LINE_EDITING
#include "io/line_editor_source.h"
#endif

namespace matinv {
namespace {

// Blocks until the descriptor is ready, or has hung up or failed: the read
// or write that follows then reports which. Returns the errno value of a
// poll that itself failed, so that the caller stops rather than spins.
int wait_for(int fd, short events) {
    struct pollfd ready = {fd, events, 0};
    while (::poll(&ready, 1, -1) < 0) {
        if (errno != EINTR) {
            return errno;
        }
    }
    return 0;
}

}  // namespace

long FdSource::read_once(char* buffer, std::size_t capacity, int& error) {
    const ssize_t got = ::read(fd_, buffer, capacity);
    error = got < 0 ? errno : 0;
    return got;
}

int FdSource::wait_until_readable() { return wait_for(fd_, POLLIN); }

// --- For a person at a terminal (see Source). ---

FdSource::FdSource(int fd) : fd_(fd), terminal_(::isatty(fd) == 1) {}

// A file's bytes are there to be read; a pipe or a terminal is asked with a
// wait of no time.
long FdSource::read_ready(char* buffer, std::size_t capacity) {
    struct stat kind {};
    if (::fstat(fd_, &kind) != 0) {
        return -1;
    }
    struct pollfd ready = {fd_, POLLIN, 0};
    if (!S_ISREG(kind.st_mode) && (::poll(&ready, 1, 0) != 1 || (ready.revents & POLLIN) == 0)) {
        return -1;
    }
    return ::read(fd_, buffer, capacity);
}

// A paste reaches the terminal in bursts: what arrives within the quiet
// time after a flush belongs to it. A line still being pasted wakes no
// poll, so the last flush drops it too.
void FdSource::drop_queued_input() {
    constexpr int kQuietMilliseconds = 100;
    struct pollfd ready = {fd_, POLLIN, 0};
    do {
        ::tcflush(fd_, TCIFLUSH);
    } while (::poll(&ready, 1, kQuietMilliseconds) == 1 && ready.revents == POLLIN);
    ::tcflush(fd_, TCIFLUSH);
}

FdSink::FdSink(int fd) : fd_(fd), terminal_(::isatty(fd) == 1) {}

long FdSink::write_once(const char* data, std::size_t size, int& error) {
    const ssize_t put = ::write(fd_, data, size);
    error = put < 0 ? errno : 0;
    return put;
}

int FdSink::wait_until_writable() { return wait_for(fd_, POLLOUT); }

int standard_error_columns() {
    struct winsize size {};
    return ::ioctl(2, TIOCGWINSZ, &size) == 0 ? size.ws_col : 0;
}

Source& standard_input() {
    static FdSource in(0);
#ifdef MATINV_LINE_EDITING
    // Through pipes and files the editor costs no more than this test.
    if (in.is_terminal() && LineEditorSource::suits(STDOUT_FILENO)) {
        static LineEditorSource edited(STDIN_FILENO, STDOUT_FILENO);
        if (edited.ready()) {
            return edited;
        }
    }
#endif
    return in;
}

Sink& standard_output() {
    static FdSink out(1);
    return out;
}

Sink& standard_error() {
    static FdSink errors(2);
    return errors;
}

}  // namespace matinv
