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

bool OutputBuffer::flush_before_reading(Source& reader) {
    std::size_t line_start = used_;
    while (line_start > 0 && buffer_[line_start - 1] != '\n') {
        --line_start;
    }
    if (failed_ || line_start == used_ ||
        !reader.draws_prompt({buffer_ + line_start, used_ - line_start})) {
        return flush();
    }
    const char last = buffer_[used_ - 1];
    used_ = line_start;
    if (!flush()) {
        return false;
    }
    last_shown_ = last;  // the reader has drawn the line
    return true;
}

}  // namespace matinv
