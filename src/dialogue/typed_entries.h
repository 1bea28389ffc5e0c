#pragma once

#include <charconv>

#include "inversion/working_matrices.h"
#include "numbers/decimal_parts.h"
#include "numbers/exact_decimal.h"

namespace matinv {

// The entries of the default mode as they were typed, beside the doubles
// they were read as, so that the inverse of the decimals typed can be
// measured exactly where the doubles would measure the inverse of what
// reading made of them. Each is held in a few bytes of fixed storage; a
// decimal of more significant digits than they hold is not kept, and its
// double stands for it.
struct TypedEntries {
    // Where the reader puts entry (i, j) as typed.
    ShortParts& slot(int i, int j) { return entries_[i][j]; }

    // The decimal of entry (i, j) as typed, or nullptr when it had more
    // digits than could be kept (the double as read in a0 then stands for
    // it). What it points to holds until the next call.
    const DecimalParts* typed_entry(int i, int j) const {
        const ShortParts& typed = entries_[i][j];
        if (!typed.held()) {
            return nullptr;
        }
        parts_.clear();
        char text[kDigitsInUint64 + 1];
        const char* const end = std::to_chars(text, text + sizeof text, typed.digits).ptr;
        for (const char* at = text; at != end; ++at) {
            parts_.add_integer_digit(static_cast<unsigned>(*at - '0'));
        }
        parts_.set_exponent(typed.exponent);
        if (typed.negative) {
            parts_.set_negative();
        }
        return &parts_;
    }

private:
    ShortParts entries_[kMaxOrder][kMaxOrder]{};
    mutable DecimalParts parts_{};
};

}  // namespace matinv
