#include "io/output_buffer.h"

#include <cstring>

namespace matinv {

void OutputBuffer::reserve(std::size_t size) {
    if (kCapacity - used_ < size) {
        flush();
    }
}

void OutputBuffer::put(std::string_view text) {
    while (!text.empty()) {
        reserve(1);
        const std::size_t left = kCapacity - used_;
        const std::size_t part = text.size() < left ? text.size() : left;
        std::memcpy(buffer_ + used_, text.data(), part);
        used_ += part;
        text.remove_prefix(part);
    }
}

void OutputBuffer::put_char(char c) {
    reserve(1);
    buffer_[used_++] = c;
}

bool OutputBuffer::flush() {
    if (used_ > 0 && !failed_) {
        failed_ = !sink_.write_all(buffer_, used_);
        last_shown_ = buffer_[used_ - 1];
    }
    used_ = 0;
    return !failed_;
}

}  // namespace matinv
