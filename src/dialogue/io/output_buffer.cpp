#include "io/output_buffer.h"

#include <charconv>
#include <cmath>
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
        const std::size_t room = kCapacity - used_;
        const std::size_t part = text.size() < room ? text.size() : room;
        std::memcpy(buffer_ + used_, text.data(), part);
        used_ += part;
        text.remove_prefix(part);
    }
}

void OutputBuffer::put_char(char c) {
    reserve(1);
    buffer_[used_++] = c;
}

void OutputBuffer::put_count(int value) {
    char digits[16];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    put(std::string_view(digits, static_cast<std::size_t>(result.ptr - digits)));
}

void OutputBuffer::put_fixed10(double value) {
    // Libraries spell NaN their own way (libc++ writes "-nan(ind)"); printf
    // in the C library writes "nan" or "-nan" from the sign bit, and which
    // sign a computed NaN gets depends on the CPU, so the sign is read here.
    if (std::isnan(value)) {
        put(std::signbit(value) ? "-nan" : "nan");
        return;
    }
    constexpr std::size_t kLongest = 400;
    reserve(kLongest);
    // to_chars in fixed notation is exact, as glibc's printf is; the tests
    // hold the two side by side on awkward values.
    const auto result =
        std::to_chars(buffer_ + used_, buffer_ + kCapacity, value, std::chars_format::fixed, 10);
    used_ = static_cast<std::size_t>(result.ptr - buffer_);
}

bool OutputBuffer::flush() {
    if (used_ > 0 && !failed_) {
        failed_ = !sink_.write_all(buffer_, used_);
        last_flushed_ = buffer_[used_ - 1];
    }
    used_ = 0;
    return !failed_;
}

}  // namespace matinv
