#include "dialogue/input_reader.h"

#include <cstddef>

#include "numbers/decimal_digits.h"
#include "numbers/decimal_scanner.h"

namespace matinv {
namespace {

// The cursor as a scan sees it, keeping the first bytes taken for quoting
// them afterwards: an order's digits may stream past a refill of the buffer,
// which drops them.
class KeepingCursor {
public:
    explicit KeepingCursor(ByteCursor& cursor) : cursor_(cursor) {}
    int peek(std::size_t ahead) { return cursor_.peek(ahead); }
    void advance() {
        if (kept_count_ < ShownText::kLookedAtBytes) {
            kept_[kept_count_++] = *cursor_.arrived();
        }
        cursor_.advance();
    }
    std::string_view kept() const { return {kept_, kept_count_}; }

private:
    ByteCursor& cursor_;
    char kept_[ShownText::kLookedAtBytes] = {};
    std::size_t kept_count_ = 0;
};

// A text in memory as a scan sees it.
class TextCursor {
public:
    explicit TextCursor(std::string_view text) : text_(text) {}
    int peek(std::size_t ahead) const {
        return ahead < text_.size() ? static_cast<unsigned char>(text_[ahead]) : -1;
    }
    void advance() { text_.remove_prefix(1); }

private:
    std::string_view text_;
};

}  // namespace

ReadStatus InputReader::no_number_left() {
    cursor_.mark_place();
    return cursor_.error() != 0 ? ReadStatus::unreadable : ReadStatus::ended;
}

// The refused text is quoted as far as it has arrived: waiting for the rest
// of it would keep the user from hearing about it until a blank follows.
ReadStatus InputReader::refuse() {
    last_text_ = ShownText(cursor_.word_arrived(ShownText::kLookedAtBytes));
    return ReadStatus::not_a_number;
}

ReadStatus InputReader::read_order(int& order) {
    cursor_.skip_byte_order_mark();
    if (!cursor_.skip_space()) {
        return no_number_left();
    }
    cursor_.mark_place();
    KeepingCursor in(cursor_);
    if (!scan_whole_number(in, order)) {
        return refuse();
    }
    last_text_ = ShownText(in.kept());
    return ReadStatus::ok;
}

// Most entries are taken by the one-pass scan of what has arrived, up to the
// white space after them. The rest is scanned again as it streams through
// the buffer: an entry that reaches the end of what has arrived, and may go
// on in the next refill, and one that runs on, whose text is then kept.
ReadStatus InputReader::read_entry(double& value) {
    if (!cursor_.skip_space()) {
        return no_number_left();
    }
    double quick = 0.0;
    const char* quick_stop = scan_short_decimal(cursor_.arrived(), quick);
    if (quick_stop != nullptr) {
        cursor_.take_until(quick_stop);
        value = quick;
        return ReadStatus::ok;
    }
    return read_entry_slowly(value);
}

// Out of line, so that the quick path needs no room for the slow one.
ReadStatus InputReader::read_entry_slowly(double& value) {
    cursor_.mark_place();
    KeepingCursor in(cursor_);
    DecimalDigits digits;
    if (!scan_decimal(in, digits)) {
        return refuse();
    }
    value = digits.value();
    if (!runs_on()) {
        return ReadStatus::ok;
    }
    last_text_ = ShownText(in.kept());
    return ReadStatus::runs_on;
}

bool InputReader::runs_on() {
    const int next = cursor_.peek(0);
    return next != -1 && !is_space(next);
}

ShownText InputReader::text_ahead() {
    return ShownText(cursor_.word_ahead(ShownText::kLookedAtBytes));
}

// The next read takes a number from this line when it begins with one.
std::string_view InputReader::more_numbers_on_line() const {
    const std::string_view rest = cursor_.rest_of_line_arrived();
    TextCursor in(rest);
    DecimalDigits digits;
    return scan_decimal(in, digits) ? rest : std::string_view();
}

bool InputReader::input_left() {
    if (!cursor_.skip_space_ready()) {
        return false;
    }
    cursor_.mark_place();
    last_text_ = ShownText(cursor_.word_ready(ShownText::kLookedAtBytes));
    return true;
}

}  // namespace matinv
