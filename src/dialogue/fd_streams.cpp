#include <unistd.h>

#include <cerrno>

#include "dialogue/byte_streams.h"

namespace matinv {

std::size_t FdSource::read_some(char* buffer, std::size_t capacity) {
    for (;;) {
        const ssize_t got = ::read(fd_, buffer, capacity);
        if (got >= 0) {
            return static_cast<std::size_t>(got);
        }
        if (errno != EINTR) {
            return 0;  // an unreadable input ends like an exhausted one
        }
    }
}

bool FdSink::write_all(const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t put = ::write(fd_, data, size);
        if (put < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data += put;
        size -= static_cast<std::size_t>(put);
    }
    return true;
}

}  // namespace matinv
