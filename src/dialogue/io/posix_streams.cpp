#include <poll.h>
#include <unistd.h>

#include <cerrno>

#include "io/standard_streams.h"

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

// A descriptor that another program left non-blocking is waited on with
// poll(2), so that it behaves as a blocking one.
class FdSource final : public Source {
public:
    explicit FdSource(int fd) : fd_(fd) {}

private:
    long read_once(char* buffer, std::size_t capacity, int& error) override {
        const ssize_t got = ::read(fd_, buffer, capacity);
        error = got < 0 ? errno : 0;
        return got;
    }
    int wait_until_readable() override { return wait_for(fd_, POLLIN); }

    int fd_;
};

class FdSink final : public Sink {
public:
    explicit FdSink(int fd) : fd_(fd), terminal_(::isatty(fd) == 1) {}
    bool is_terminal() const override { return terminal_; }

private:
    long write_once(const char* data, std::size_t size, int& error) override {
        const ssize_t put = ::write(fd_, data, size);
        error = put < 0 ? errno : 0;
        return put;
    }
    int wait_until_writable() override { return wait_for(fd_, POLLOUT); }

    int fd_;
    bool terminal_;
};

}  // namespace

Source& standard_input() {
    static FdSource in(0);
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
