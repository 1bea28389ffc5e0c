#include "io/byte_streams.h"

#include <cerrno>

namespace matinv {
namespace {

// A descriptor left non-blocking reports "nothing yet" with either name.
bool would_block(int error) { return error == EAGAIN || error == EWOULDBLOCK; }

}  // namespace

std::size_t Source::read_some(char* buffer, std::size_t capacity) {
    if (error_ != 0) {
        return 0;
    }
    for (;;) {
        int reason = 0;
        const long got = read_once(buffer, capacity, reason);
        if (got >= 0) {
            return static_cast<std::size_t>(got);
        }
        if (would_block(reason)) {
            reason = wait_until_readable();  // 0 once ready, to read again
        }
        if (reason != 0 && reason != EINTR) {
            error_ = reason;
            return 0;
        }
    }
}

bool Sink::write_all(const char* data, std::size_t size) {
    while (size > 0 && error_ == 0) {
        int reason = 0;
        const long put = write_once(data, size, reason);
        if (put > 0) {
            data += put;
            size -= static_cast<std::size_t>(put);
        } else if (put == 0) {
            error_ = EIO;  // a write that takes nothing would be retried forever
        } else {
            if (would_block(reason)) {
                reason = wait_until_writable();  // 0 once ready, to write again
            }
            if (reason != 0 && reason != EINTR) {
                error_ = reason;
            }
        }
    }
    return error_ == 0;
}

}  // namespace matinv
