#include "dialogue/input_reader.h"

#include <cstddef>

#include "numbers/decimal_parts.h"
#include "numbers/decimal_scanner.h"
#include "numbers/exact_decimal.h"

namespace matinv {
namespace {

// The cursor as a scan sees it, keeping the first bytes taken for quoting
// them afterwards: an order's digits may stream past a refill of the buffer,
// which drops them.
class KeepingCursor {
public:
    KeepingCursor(ByteCursor& cursor, TypedText& kept) : cursor_(cursor), kept_(kept) {
        kept_.clear();
    }
    int peek(std::size_t ahead) { return cursor_.peek(ahead); }
    void advance() {
        append(kept_, *cursor_.arrived());
        cursor_.advance();
    }

private:
    ByteCursor& cursor_;
    TypedText& kept_;
};

// The bytes that have arrived, ended by the 0 after them, as a scan sees
// them: a number that stops at white space among them is whole.
class ArrivedCursor {
public:
    explicit ArrivedCursor(const char* at) : at_(at) {}
    int peek(std::size_t ahead) const { return static_cast<unsigned char>(at_[ahead]); }
    void advance() { ++at_; }
    const char* at() const { return at_; }

private:
    const char* at_;
};

// Whether a decimal begins `ahead` bytes on: a digit, or a point and a
// digit, after an optional sign.
template <class Cursor>
bool starts_decimal(Cursor& in, std::size_t ahead) {
    using decimal_scan::is_digit;
    const std::size_t at = ahead + (decimal_scan::is_sign(in.peek(ahead)) ? 1 : 0);
    return is_digit(in.peek(at)) || (in.peek(at) == '.' && is_digit(in.peek(at + 1)));
}

// A decimal into `parts`, which keeps it whole for the double, the exact
// value and the typed entry alike.
template <class Cursor>
bool scan_parts(Cursor& in, DecimalParts& parts) {
    parts.clear();
    return scan_decimal(in, parts);
}

}  // namespace

const Token& InputReader::no_number_left() {
    cursor_.mark_place();
    if (cursor_.take_blank_line()) {
        token_.found = Found::empty_line;
    } else if (source_.error() != 0) {
        token_.found = Found::unreadable;
        token_.error = source_.error();
    } else {
        token_.found = Found::end;
    }
    return token_;
}

// The refused text is kept as far as it has arrived: waiting for the rest
// of it would keep the user from hearing about it until a blank follows.
const Token& InputReader::refuse() {
    token_.found = Found::text;
    token_.text.assign(cursor_.word(ShownText::kLookedAtBytes, Refill::none));
    return token_;
}

// A number ends only once the byte after it has arrived or the input has
// ended, so whether it runs on is known without waiting; the text it runs
// into is read up to white space.
const Token& InputReader::found_number() {
    const int next = cursor_.peek(0);
    if (next != -1 && !is_space(next)) {
        token_.found = Found::number_running_on;
        token_.rest.assign(cursor_.word(ShownText::kLookedAtBytes, Refill::waiting));
    } else {
        token_.found = Found::number;
    }
    return token_;
}

// Scans the next word with `scan`, keeping its text for quoting: the
// number `scan` takes, or text refused when it takes none.
template <class Scan>
const Token& InputReader::read_number(const Scan& scan) {
    if (!cursor_.skip_space()) {
        return no_number_left();
    }
    cursor_.mark_place();
    KeepingCursor in(cursor_, token_.text);
    return scan(in) ? found_number() : refuse();
}

const Token& InputReader::read_order() {
    if (cursor_.begins_as_utf16()) {
        cursor_.mark_place();
        token_.found = Found::utf16;
        return token_;
    }
    cursor_.skip_byte_order_mark();
    return read_number([this](KeepingCursor& in) { return scan_whole_number(in, token_.order); });
}

// Most entries are taken by a scan of what has arrived, up to the white
// space after them, and converted exactly. The rest is scanned again as it
// streams through the buffer, into the token's parts: an entry that reaches
// the end of what has arrived, and may go on in the next refill, one that
// runs on, whose text is then kept, and one too long for the exact
// conversion.
const Token& InputReader::read_entry(ShortParts& typed) {
    if (!cursor_.skip_space()) {
        return no_number_left();
    }
    ArrivedCursor in(cursor_.arrived());
    ShortDecimal digits;
    if (scan_decimal(in, digits) && is_space(in.peek(0)) && digits.exact_value(token_.value)) {
        cursor_.take_until(in.at());
        typed = digits.parts();
        token_.found = Found::number;
        return token_;
    }
    return read_entry_slowly(typed);
}

// Out of line, so that the quick path needs no room for the slow one.
const Token& InputReader::read_entry_slowly(ShortParts& typed) {
    return read_number([this, &typed](KeepingCursor& in) {
        if (!scan_parts(in, token_.numerator)) {
            return false;
        }
        token_.value = token_.numerator.value();
        typed = token_.numerator.short_parts();
        return true;
    });
}

// A slash begins a denominator only when a decimal follows it; otherwise
// the number runs on into it, as it would into any other text.
const Token& InputReader::read_exact_entry() {
    return read_number([this](KeepingCursor& in) {
        token_.fraction = false;
        if (!scan_parts(in, token_.numerator)) {
            return false;
        }
        if (in.peek(0) == '/' && starts_decimal(in, 1)) {
            in.advance();
            token_.fraction = scan_parts(in, token_.denominator);
        }
        return true;
    });
}

// The next read takes a number from this line when it begins with one. The
// rest of the line is followed by white space or the 0 after what has
// arrived, which a look at its first bytes does not pass.
std::string_view InputReader::numbers_typed_ahead() const {
    const std::string_view rest = cursor_.rest_of_line_arrived();
    ArrivedCursor in(rest.data());
    return starts_decimal(in, 0) ? rest : std::string_view();
}

const Token& InputReader::read_left_over() {
    if (!cursor_.skip_space(Refill::without_waiting)) {
        token_.found = Found::end;
        return token_;
    }
    cursor_.mark_place();
    token_.found = Found::text;
    token_.text.assign(cursor_.word(ShownText::kLookedAtBytes, Refill::without_waiting));
    return token_;
}

}  // namespace matinv
