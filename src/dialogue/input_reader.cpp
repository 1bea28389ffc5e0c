#include "dialogue/input_reader.h"

#include <climits>
#include <cstring>

#include "numbers/decimal_digits.h"
#include "numbers/exact_decimal.h"

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

// One read from the source, after dropping the bytes already taken.
// Returns false when the input has ended, when the buffer is full of bytes
// not yet taken, or when pending output cannot be written: a dialogue whose
// prompts cannot be shown must not go on taking answers.
bool InputReader::read_more() {
    if (position_ > 0) {
        drop_taken_bytes();
    }
    if (end_ == kCapacity) {
        return false;
    }
    if (!pending_.flush()) {
        exhausted_ = true;
        return false;
    }
    const std::size_t got = source_.read_some(buffer_ + end_, kCapacity - end_);
    if (got == 0) {
        exhausted_ = true;
    }
    end_ += got;
    buffer_[end_] = '\0';
    return got > 0;
}

void InputReader::drop_taken_bytes() {
    if (keeping_place_ && !place_known_ && place_offset_ < dropped_ + position_) {
        known_place_ = place_at(place_offset_);
        place_known_ = true;
    }
    count_lines(position_, dropped_lines_, dropped_line_start_);
    dropped_ += position_;
    std::memmove(buffer_, buffer_ + position_, end_ - position_);
    end_ -= position_;
    position_ = 0;
}

// Adds the line breaks among the first `length` bytes of the buffer to
// `lines`, and sets `line_start` to the offset of the byte after the last.
void InputReader::count_lines(std::size_t length, std::uint64_t& lines,
                              std::uint64_t& line_start) const {
    const char* at = buffer_;
    const char* const stop = buffer_ + length;
    while (const void* found = std::memchr(at, '\n', static_cast<std::size_t>(stop - at))) {
        at = static_cast<const char*>(found) + 1;
        ++lines;
        line_start = dropped_ + static_cast<std::uint64_t>(at - buffer_);
    }
}

// `offset` counts bytes from the start of the input and lies in the buffer
// or right after its end.
InputPlace InputReader::place_at(std::uint64_t offset) const {
    std::uint64_t lines = dropped_lines_;
    std::uint64_t line_start = dropped_line_start_;
    count_lines(static_cast<std::size_t>(offset - dropped_), lines, line_start);
    return InputPlace{lines + 1, offset - line_start + 1};
}

void InputReader::mark_place() {
    place_offset_ = dropped_ + position_;
    place_known_ = false;
}

InputPlace InputReader::place() const {
    return place_known_ ? known_place_ : place_at(place_offset_);
}

int InputReader::peek_beyond(std::size_t ahead) {
    while (end_ - position_ <= ahead) {
        if (exhausted_ || !read_more()) {
            return -1;
        }
    }
    return static_cast<unsigned char>(buffer_[position_ + ahead]);
}

inline bool InputReader::skip_space() {
    for (;;) {
        while (position_ < end_ && is_space(static_cast<unsigned char>(buffer_[position_]))) {
            ++position_;
        }
        if (position_ < end_) {
            return true;
        }
        if (exhausted_ || !read_more()) {
            return false;
        }
    }
}

ReadStatus InputReader::no_number_left() {
    mark_place();
    return source_.error() != 0 ? ReadStatus::unreadable : ReadStatus::ended;
}

bool InputReader::runs_on() const {
    const int next = peek_next();
    return next != -1 && !is_space(next);
}

ShownText InputReader::text_ahead() {
    std::size_t length = 0;
    while (length <= kShownBytes && peek(length) != -1 && !is_space(peek(length))) {
        ++length;
    }
    return ShownText(std::string_view(buffer_ + position_, length));
}

// Shows the text at the current position, all of it already read, as
// ShownText does: a byte more than it shows tells it that the text goes on.
void InputReader::remember_text(std::size_t length) {
    const std::size_t kept = length < kShownBytes + 1 ? length : kShownBytes + 1;
    last_text_ = ShownText(std::string_view(buffer_ + position_, kept));
}

// The refused text as far as it has arrived: waiting for the rest of it
// would keep the user from hearing about it until a blank follows.
void InputReader::remember_offending_token() {
    std::size_t length = 0;
    while (length <= kShownBytes && position_ + length < end_ &&
           !is_space(static_cast<unsigned char>(buffer_[position_ + length]))) {
        ++length;
    }
    remember_text(length);
}

ReadStatus InputReader::read_order(Order& order) {
    if (!skip_space()) {
        return no_number_left();
    }
    mark_place();
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
    keeping_place_ = true;
    while (is_digit(peek(0))) {
        if (!out_of_range) {
            magnitude = magnitude * 10 + (peek(0) - '0');
            out_of_range = magnitude > static_cast<long long>(INT_MAX) + 1;
        }
        advance();
    }
    keeping_place_ = false;
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
// "1e+" are the number 1 followed by text that the next read will see. The
// scan reads more input only for a byte it must see, so a number that ends a
// typed line is taken at once, and a number longer than the buffer streams
// through it.
ReadStatus InputReader::scan_entry(DecimalDigits& digits) {
    const std::size_t sign_length = is_sign(peek(0)) ? 1 : 0;
    const bool starts_number = is_digit(peek(sign_length)) ||
                               (peek(sign_length) == '.' && is_digit(peek(sign_length + 1)));
    if (!starts_number) {
        return ReadStatus::not_a_number;
    }
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
    return ReadStatus::ok;
}

ReadStatus InputReader::read_entry(double& value) {
    if (!skip_space()) {
        return no_number_left();
    }
    double quick = 0.0;
    const char* quick_stop = scan_short_decimal(buffer_ + position_, quick);
    if (quick_stop != nullptr && (quick_stop < buffer_ + end_ || exhausted_)) {
        position_ = static_cast<std::size_t>(quick_stop - buffer_);
        value = quick;
        return ReadStatus::ok;
    }
    DecimalDigits digits;
    if (scan_entry(digits) == ReadStatus::not_a_number) {
        mark_place();
        remember_offending_token();
        return ReadStatus::not_a_number;
    }
    value = digits.value();
    return ReadStatus::ok;
}

}  // namespace matinv
