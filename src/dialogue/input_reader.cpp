#include "dialogue/input_reader.h"

#include <climits>
#include <cstring>

#include "dialogue/decimal_digits.h"

namespace matinv {
namespace {

bool is_space(int c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

bool is_digit(int c) { return c >= '0' && c <= '9'; }

bool is_sign(int c) { return c == '+' || c == '-'; }

}  // namespace

int InputReader::peek(std::size_t ahead) {
    while (end_ - position_ <= ahead && !exhausted_) {
        if (position_ > 0) {
            std::memmove(buffer_, buffer_ + position_, end_ - position_);
            end_ -= position_;
            position_ = 0;
        }
        pending_.flush();
        const std::size_t got = source_.read_some(buffer_ + end_, kCapacity - end_);
        if (got == 0) {
            exhausted_ = true;
        }
        end_ += got;
    }
    if (end_ - position_ <= ahead) {
        return -1;
    }
    return static_cast<unsigned char>(buffer_[position_ + ahead]);
}

bool InputReader::skip_space() {
    while (is_space(peek(0))) {
        advance();
    }
    return peek(0) != -1;
}

// Copies up to kShownBytes of the text at the current position, with any
// byte that is not printable ASCII written as \xNN so that no input can
// reach the user's terminal as a control sequence.
void InputReader::remember_text(std::size_t length) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::size_t out = 0;
    last_text_[out++] = '"';
    for (std::size_t i = 0; i < length && i < kShownBytes; ++i) {
        const int c = peek(i);
        if (c >= 0x20 && c < 0x7f && c != '"' && c != '\\') {
            last_text_[out++] = static_cast<char>(c);
        } else {
            last_text_[out++] = '\\';
            last_text_[out++] = 'x';
            last_text_[out++] = kHex[c >> 4];
            last_text_[out++] = kHex[c & 0xf];
        }
    }
    last_text_[out++] = '"';
    if (length > kShownBytes) {
        std::memcpy(last_text_ + out, "...", 3);
        out += 3;
    }
    last_text_[out] = '\0';
}

void InputReader::remember_offending_token() {
    std::size_t length = 0;
    while (length <= kShownBytes && peek(length) != -1 && !is_space(peek(length))) {
        ++length;
    }
    remember_text(length);
}

ReadStatus InputReader::read_order(Order& order) {
    if (!skip_space()) {
        return ReadStatus::ended;
    }
    const std::size_t sign_length = is_sign(peek(0)) ? 1 : 0;
    if (!is_digit(peek(sign_length))) {
        remember_offending_token();
        return ReadStatus::not_a_number;
    }
    std::size_t length = sign_length;
    while (is_digit(peek(length)) && length <= kShownBytes) {
        ++length;
    }
    remember_text(length);

    const bool negative = peek(0) == '-';
    if (sign_length > 0) {
        advance();
    }
    // Accumulated as a negative number, whose range reaches INT_MIN.
    long long magnitude = 0;
    bool out_of_range = false;
    while (is_digit(peek(0))) {
        if (!out_of_range) {
            magnitude = magnitude * 10 + (peek(0) - '0');
            out_of_range = magnitude > static_cast<long long>(INT_MAX) + 1;
        }
        advance();
    }
    if (negative) {
        order.value = out_of_range ? INT_MIN : static_cast<int>(-magnitude);
        order.too_large = false;
    } else {
        order.too_large = out_of_range || magnitude > INT_MAX;
        order.value = order.too_large ? INT_MAX : static_cast<int>(magnitude);
    }
    return ReadStatus::ok;
}

ReadStatus InputReader::read_entry(double& value) {
    if (!skip_space()) {
        return ReadStatus::ended;
    }
    const std::size_t sign_length = is_sign(peek(0)) ? 1 : 0;
    const bool starts_number = is_digit(peek(sign_length)) ||
                               (peek(sign_length) == '.' && is_digit(peek(sign_length + 1)));
    if (!starts_number) {
        remember_offending_token();
        return ReadStatus::not_a_number;
    }

    DecimalDigits digits;
    if (sign_length > 0) {
        if (peek(0) == '-') {
            digits.set_negative();
        }
        advance();
    }
    while (is_digit(peek(0))) {
        digits.add_integer_digit(static_cast<char>(peek(0)));
        advance();
    }
    if (peek(0) == '.') {
        advance();
        while (is_digit(peek(0))) {
            digits.add_fraction_digit(static_cast<char>(peek(0)));
            advance();
        }
    }
    // An exponent counts only with at least one digit: "1e" and "1e+" are
    // the number 1 followed by text that the next read will see.
    if (peek(0) == 'e' || peek(0) == 'E') {
        const std::size_t exponent_sign_length = is_sign(peek(1)) ? 1 : 0;
        if (is_digit(peek(1 + exponent_sign_length))) {
            advance();
            if (exponent_sign_length > 0) {
                if (peek(0) == '-') {
                    digits.set_exponent_negative();
                }
                advance();
            }
            while (is_digit(peek(0))) {
                digits.add_exponent_digit(static_cast<char>(peek(0)));
                advance();
            }
        }
    }
    value = digits.value();
    return ReadStatus::ok;
}

}  // namespace matinv
