#include "dialogue/input_reader.h"

#include <climits>
#include <cstring>

#include "dialogue/decimal_digits.h"
#include "dialogue/exact_decimal.h"

namespace matinv {
namespace {

bool is_space(int c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

bool is_digit(int c) { return c >= '0' && c <= '9'; }

bool is_sign(int c) { return c == '+' || c == '-'; }

// The entries people type and files hold are mostly short plain decimals
// such as -12.3456: an optional sign, digits with an optional point, no
// exponent. This reads one in a single pass straight into an integer and
// returns the byte after it, or nullptr to leave the text to the general
// scan: for an exponent, for more than 19 digits, for a value that is not a
// double exactly before its one division, and for text that is no number.
// Like the general scan it stops at the first byte that cannot continue the
// number, and looks at nothing past that byte.
constexpr int kShortDecimalDigits = 19;  // always fit in 64 bits

const char* scan_short_decimal(const char* text, double& value) {
    const bool negative = *text == '-';
    if (is_sign(*text)) {
        ++text;
    }
    std::uint64_t digits = 0;
    int count = 0;
    while (is_digit(*text)) {
        digits = digits * 10 + static_cast<std::uint64_t>(*text - '0');
        ++count;
        ++text;
    }
    int fraction_count = 0;
    if (*text == '.') {
        ++text;
        while (is_digit(*text)) {
            digits = digits * 10 + static_cast<std::uint64_t>(*text - '0');
            ++fraction_count;
            ++text;
        }
        count += fraction_count;
    }
    if (count == 0 || count > kShortDecimalDigits || *text == 'e' || *text == 'E' ||
        !exact_decimal_value(digits, -fraction_count, negative, value)) {
        return nullptr;
    }
    return text;
}

}  // namespace

// Reads straight from the buffer. A scan stops at the 0 after the last byte
// read, as at any byte outside a number, and never looks further; if it got
// that far before the input has ended, the number may go on in input not yet
// read, and the scan is done again after reading more.
class InputReader::BufferCursor {
public:
    explicit BufferCursor(const char* at) : at_(at) {}
    int peek(std::size_t ahead) const { return static_cast<unsigned char>(at_[ahead]); }
    void advance() { ++at_; }
    const char* position() const { return at_; }

private:
    const char* at_;
};

// The same, noting the furthest byte looked at: near the end of what was
// read, it tells whether a scan needed a byte not yet there.
class InputReader::TracingCursor {
public:
    explicit TracingCursor(const char* at) : at_(at), furthest_(at) {}
    int peek(std::size_t ahead) {
        if (at_ + ahead > furthest_) {
            furthest_ = at_ + ahead;
        }
        return static_cast<unsigned char>(at_[ahead]);
    }
    void advance() { ++at_; }
    const char* furthest() const { return furthest_; }

private:
    const char* at_;
    const char* furthest_;
};

// Reads through the reader's refilling peek: for numbers that run past what
// has arrived, however long.
class InputReader::StreamCursor {
public:
    explicit StreamCursor(InputReader& reader) : reader_(reader) {}
    int peek(std::size_t ahead) { return reader_.peek(ahead); }
    void advance() { reader_.advance(); }

private:
    InputReader& reader_;
};

// One read from the source, after moving the bytes not yet taken to the
// front. Returns false when the input has ended, or when the buffer is full
// of bytes not yet taken.
bool InputReader::read_more() {
    if (position_ > 0) {
        std::memmove(buffer_, buffer_ + position_, end_ - position_);
        end_ -= position_;
        position_ = 0;
    }
    if (end_ == kCapacity) {
        return false;
    }
    pending_.flush();
    const std::size_t got = source_.read_some(buffer_ + end_, kCapacity - end_);
    if (got == 0) {
        exhausted_ = true;
    }
    end_ += got;
    buffer_[end_] = '\0';
    return got > 0;
}

int InputReader::peek(std::size_t ahead) {
    while (end_ - position_ <= ahead && !exhausted_) {
        if (!read_more() && !exhausted_) {
            break;
        }
    }
    if (end_ - position_ <= ahead) {
        return -1;
    }
    return static_cast<unsigned char>(buffer_[position_ + ahead]);
}

bool InputReader::skip_space() {
    for (;;) {
        while (position_ < end_ && is_space(static_cast<unsigned char>(buffer_[position_]))) {
            ++position_;
        }
        if (position_ < end_) {
            return true;
        }
        if (peek(0) == -1) {
            return false;
        }
    }
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

// An optional sign, digits with an optional point and fraction (at least one
// digit in all), and an exponent only if it has at least one digit: "1e" and
// "1e+" are the number 1 followed by text that the next read will see.
template <typename Cursor>
ReadStatus InputReader::scan_entry(Cursor& cursor, DecimalDigits& digits) {
    const std::size_t sign_length = is_sign(cursor.peek(0)) ? 1 : 0;
    const bool starts_number =
        is_digit(cursor.peek(sign_length)) ||
        (cursor.peek(sign_length) == '.' && is_digit(cursor.peek(sign_length + 1)));
    if (!starts_number) {
        return ReadStatus::not_a_number;
    }
    if (sign_length > 0) {
        if (cursor.peek(0) == '-') {
            digits.set_negative();
        }
        cursor.advance();
    }
    while (is_digit(cursor.peek(0))) {
        digits.add_integer_digit(static_cast<char>(cursor.peek(0)));
        cursor.advance();
    }
    if (cursor.peek(0) == '.') {
        cursor.advance();
        while (is_digit(cursor.peek(0))) {
            digits.add_fraction_digit(static_cast<char>(cursor.peek(0)));
            cursor.advance();
        }
    }
    if (cursor.peek(0) == 'e' || cursor.peek(0) == 'E') {
        const std::size_t exponent_sign_length = is_sign(cursor.peek(1)) ? 1 : 0;
        if (is_digit(cursor.peek(1 + exponent_sign_length))) {
            cursor.advance();
            if (exponent_sign_length > 0) {
                if (cursor.peek(0) == '-') {
                    digits.set_exponent_negative();
                }
                cursor.advance();
            }
            while (is_digit(cursor.peek(0))) {
                digits.add_exponent_digit(static_cast<char>(cursor.peek(0)));
                cursor.advance();
            }
        }
    }
    return ReadStatus::ok;
}

bool InputReader::scan_needs_more() {
    DecimalDigits ignored;
    TracingCursor cursor(buffer_ + position_);
    scan_entry(cursor, ignored);
    return cursor.furthest() >= buffer_ + end_;
}

ReadStatus InputReader::read_entry(double& value) {
    if (!skip_space()) {
        return ReadStatus::ended;
    }
    double quick = 0.0;
    const char* quick_stop = scan_short_decimal(buffer_ + position_, quick);
    if (quick_stop != nullptr && (quick_stop < buffer_ + end_ || exhausted_)) {
        position_ = static_cast<std::size_t>(quick_stop - buffer_);
        value = quick;
        return ReadStatus::ok;
    }
    DecimalDigits digits;
    BufferCursor cursor(buffer_ + position_);
    ReadStatus status = scan_entry(cursor, digits);
    const auto stop = static_cast<std::size_t>(cursor.position() - buffer_);
    // A scan looks at most two bytes past where it stops; only a scan that
    // reached the end of what was read must wait for more, so that a number
    // at the end of a typed line is taken at once. Such a number is scanned
    // again through the refilling stream, which reads as it goes: scanning
    // the buffer anew after each read would cost time growing with the
    // square of a long number's length when it arrives in small pieces.
    if (stop + 2 < end_ || exhausted_ || !scan_needs_more()) {
        if (status == ReadStatus::ok) {
            position_ = stop;
        }
    } else {
        digits = DecimalDigits{};
        StreamCursor stream(*this);
        status = scan_entry(stream, digits);
    }
    if (status == ReadStatus::not_a_number) {
        remember_offending_token();
        return status;
    }
    value = digits.value();
    return ReadStatus::ok;
}

}  // namespace matinv
