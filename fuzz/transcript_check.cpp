#include "transcript_check.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "support/prompts.h"

namespace matinv::fuzz {
namespace {

using matinv::testing::kNoInverse;
using matinv::testing::kOrder;
using matinv::testing::row_prompt;

constexpr int kLargestOrder = 10;

class Cursor {
public:
    explicit Cursor(std::string_view text) : text_(text) {}

    bool at_end() const { return position_ == text_.size(); }
    bool starts_with(std::string_view expected) const {
        return text_.substr(position_).starts_with(expected);
    }
    bool take(std::string_view expected) {
        if (!starts_with(expected)) {
            return false;
        }
        position_ += expected.size();
        return true;
    }
    bool take_digit() {
        if (at_end() || text_[position_] < '0' || text_[position_] > '9') {
            return false;
        }
        ++position_;
        return true;
    }
    // Where the cursor stands and what follows, for a fault message.
    std::string here() const {
        std::string shown;
        for (const char c : text_.substr(position_, 24)) {
            if (c == '\n') {
                shown += "\\n";
            } else if (c == '\t') {
                shown += "\\t";
            } else {
                shown += c;
            }
        }
        return " at byte " + std::to_string(position_) + " of standard output, before \"" + shown +
               "\"";
    }

private:
    std::string_view text_;
    std::size_t position_ = 0;
};

// The order a first row prompt was written for, or 0 if it is no such prompt.
int take_first_row_prompt(Cursor& out) {
    for (int order = 1; order <= kLargestOrder; ++order) {
        if (out.take(row_prompt(order, 1))) {
            return order;
        }
    }
    return 0;
}

// "%.10f\t": a sign only for negatives, no leading zeros, ten decimals.
bool take_number(Cursor& out) {
    out.take("-");
    if (out.take("inf\t") || out.take("nan\t")) {
        return true;
    }
    if (out.take("0")) {
        if (out.take_digit()) {
            return false;
        }
    } else if (!out.take_digit()) {
        return false;
    } else {
        while (out.take_digit()) {
        }
    }
    if (!out.take(".")) {
        return false;
    }
    for (int decimal = 0; decimal < 10; ++decimal) {
        if (!out.take_digit()) {
            return false;
        }
    }
    return out.take("\t");
}

// Digits without a leading zero, so not 0 itself; none taken is false.
bool take_positive_integer(Cursor& out) {
    if (out.starts_with("0") || !out.take_digit()) {
        return false;
    }
    while (out.take_digit()) {
    }
    return true;
}

// An exact number and its tab: 0, or an integer or p/q in lowest terms
// with q >= 2 and the sign on p. Lowest terms are not checked here.
bool take_exact_number(Cursor& out) {
    if (out.take("0\t")) {
        return true;
    }
    out.take("-");
    if (!take_positive_integer(out)) {
        return false;
    }
    if (out.take("/") && (out.starts_with("1\t") || !take_positive_integer(out))) {
        return false;
    }
    return out.take("\t");
}

// The block's numbers: as %.10f writes them, exact ones, or exactly the
// identity's.
enum class Numbers { rounded, exact, identity };

bool take_block_number(Cursor& out, Numbers numbers, int row, int column) {
    switch (numbers) {
        case Numbers::rounded:
            return take_number(out);
        case Numbers::exact:
            return take_exact_number(out);
        case Numbers::identity:
            break;
    }
    return out.take(row == column ? "1\t" : "0\t");
}

std::string block_fault(Cursor& out, std::string_view heading, int rows, int columns,
                        Numbers numbers) {
    if (!out.take(heading)) {
        return "expected the heading of a report block" + out.here();
    }
    for (int row = 1; row <= rows; ++row) {
        for (int column = 1; column <= columns; ++column) {
            if (!take_block_number(out, numbers, row, column)) {
                return "expected number " + std::to_string(column) + " of row " +
                       std::to_string(row) + out.here();
            }
        }
        if (!out.take("\n")) {
            return "expected the end of row " + std::to_string(row) + out.here();
        }
    }
    return {};
}

// What makes a line unsafe on a terminal: a control byte, or bytes beyond
// ASCII that are not UTF-8 or that are a C1 control. Returns "" for a safe
// line.
std::string unsafe_byte_fault(std::string_view line) {
    static constexpr std::uint32_t kLeadBits[] = {0, 0x7f, 0x1f, 0x0f, 0x07};
    for (std::size_t at = 0; at < line.size();) {
        const auto lead = static_cast<unsigned char>(line[at]);
        // The length of the character that `lead` begins, and the least code
        // point of that length that is neither a control nor an overlong form.
        std::size_t length = 0;
        std::uint32_t least = 0;
        if (lead >= 0x20 && lead < 0x7f) {
            length = 1, least = 0x20;
        } else if (lead >= 0xc2 && lead < 0xe0) {
            length = 2, least = 0xa0;
        } else if (lead >= 0xe0 && lead < 0xf0) {
            length = 3, least = 0x800;
        } else if (lead >= 0xf0 && lead < 0xf5) {
            length = 4, least = 0x10000;
        }
        std::uint32_t code_point = lead & kLeadBits[length];
        bool whole = length > 0 && at + length <= line.size();
        for (std::size_t i = 1; whole && i < length; ++i) {
            const auto next = static_cast<unsigned char>(line[at + i]);
            whole = (next & 0xc0) == 0x80;
            code_point = code_point << 6 | (next & 0x3FU);
        }
        const bool surrogate = code_point >= 0xd800 && code_point <= 0xdfff;
        if (!whole || code_point < least || code_point > 0x10ffff || surrogate) {
            return "byte " + std::to_string(lead) + ", which is not printable";
        }
        at += length;
    }
    return {};
}

// Warnings and notes may stand on the error stream of any run, one
// printable line each; they come before a run's one error line. Takes them
// off the front of `errors`.
std::string notices_fault(std::string_view& errors) {
    while (errors.starts_with("matinv: warning: ") || errors.starts_with("matinv: note: ")) {
        const std::size_t end = errors.find('\n');
        if (end == std::string_view::npos) {
            return "a warning or note is not ended by a line break";
        }
        const std::string_view line = errors.substr(0, end);
        if (std::string fault = unsafe_byte_fault(line); !fault.empty()) {
            return "a warning or note holds " + fault;
        }
        errors.remove_prefix(end + 1);
    }
    return {};
}

// An exact report's [A][B] is the identity itself, and det[A] follows.
std::string report_fault(Cursor& out, int order, std::string_view errors, int status,
                         Arithmetic arithmetic) {
    const bool exact = arithmetic == Arithmetic::exact;
    const Numbers numbers = exact ? Numbers::exact : Numbers::rounded;
    for (const std::string_view heading : {"\n[A]=\n", "\n[B]=\n", "\n[A][B]=\n"}) {
        const Numbers in_block = exact && heading == "\n[A][B]=\n" ? Numbers::identity : numbers;
        if (std::string fault = block_fault(out, heading, order, order, in_block); !fault.empty()) {
            return exact && in_block == Numbers::identity ? "[A][B] is not the identity: " + fault
                                                          : fault;
        }
    }
    if (exact) {
        if (std::string fault = block_fault(out, "\ndet[A]=\n", 1, 1, numbers); !fault.empty()) {
            return fault;
        }
    }
    if (!out.at_end()) {
        return "standard output goes on after the report" + out.here();
    }
    if (status != 0) {
        return "a run that reported ended with status " + std::to_string(status);
    }
    if (std::string fault = notices_fault(errors); !fault.empty()) {
        return fault;
    }
    if (!errors.empty()) {
        return "a run that reported wrote more than warnings and notes on the error stream";
    }
    return {};
}

// The input that ends at the order right after a refused matrix ends with 3.
std::string early_end_fault(std::string_view errors, int status, bool after_refusal = false) {
    constexpr std::string_view kEndAfterRefusal = ": input ended while reading the order of ";
    const bool status_3 = after_refusal && errors.find(kEndAfterRefusal) != std::string_view::npos;
    if (status != (status_3 ? 3 : 1)) {
        return "a run that ended before a report ended with status " + std::to_string(status);
    }
    if (std::string fault = notices_fault(errors); !fault.empty()) {
        return fault;
    }
    if (!errors.starts_with("matinv: ") || !errors.ends_with('\n')) {
        return "the error stream holds no line starting \"matinv: \"";
    }
    errors.remove_suffix(1);
    if (std::string fault = unsafe_byte_fault(errors); !fault.empty()) {
        return "the error line holds " + fault;
    }
    return {};
}

}  // namespace

std::string transcript_fault(std::string_view out_text, std::string_view errors, int status,
                             Arithmetic arithmetic) {
    Cursor out(out_text);
    for (bool refused = false;; refused = true) {
        if (!out.take(kOrder)) {
            return "expected the order prompt" + out.here();
        }
        if (out.at_end()) {
            return early_end_fault(errors, status, refused);
        }
        // Row prompts say the order; an order of 0 or less has none.
        int order = 0;
        if (out.starts_with("INPUT")) {
            order = take_first_row_prompt(out);
            if (order == 0) {
                return "malformed first row prompt" + out.here();
            }
            for (int row = 2; row <= order && !out.at_end(); ++row) {
                if (!out.take(row_prompt(order, row))) {
                    return "expected the prompt for row " + std::to_string(row) + out.here();
                }
            }
            if (out.at_end()) {
                return early_end_fault(errors, status);
            }
        }
        if (out.take(kNoInverse)) {
            if (order == 0) {
                return "no inverse reported for a matrix of no entries";
            }
            continue;
        }
        return report_fault(out, order, errors, status, arithmetic);
    }
}

namespace {

// The bytes that the shown text at the start of `line` stands for, its
// quotes and escapes undone; false when `line` begins with no whole one.
bool shown_bytes(std::string_view line, std::string& bytes) {
    if (line.empty() || (line[0] != '"' && line[0] != '\'')) {
        return false;
    }
    for (std::size_t at = 1; at < line.size(); ++at) {
        if (line[at] == line[0]) {
            return true;
        }
        if (line[at] == '\\' && line.substr(at + 1).starts_with('x') && at + 3 < line.size()) {
            bytes += static_cast<char>(std::stoi(std::string(line.substr(at + 2, 2)), nullptr, 16));
            at += 3;
        } else {
            at += line[at] == '\\' ? 1 : 0;
            bytes += line[at];
        }
    }
    return false;
}

}  // namespace

bool same_errors(std::string_view whole, std::string_view trickled) {
    if (whole == trickled) {
        return true;
    }
    constexpr std::string_view kFound = "but found ";
    const std::size_t found = whole.find(kFound);
    if (found == std::string_view::npos || trickled.find(kFound) != found ||
        whole.substr(0, found) != trickled.substr(0, found)) {
        return false;
    }
    std::string whole_bytes;
    std::string trickled_bytes;
    return shown_bytes(whole.substr(found + kFound.size()), whole_bytes) &&
           shown_bytes(trickled.substr(found + kFound.size()), trickled_bytes) &&
           whole_bytes.starts_with(trickled_bytes);
}

}  // namespace matinv::fuzz
