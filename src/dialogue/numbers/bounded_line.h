#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string_view>

#include "numbers/append.h"

namespace matinv {

// A line of at most `Capacity` bytes held in place, for append(): what
// does not fit is cut, so a line built from parts of any length stays
// whole up to its capacity. Numbers are written into spare room past the
// capacity and then cut like text. `End` always follows the text, however
// it was cut, for ended().
template <std::size_t Capacity, char End = '\0'>
class BoundedLine {
public:
    BoundedLine() { text_[0] = End; }

    std::string_view text() const { return {text_, used_}; }
    // The text and `End`.
    std::string_view ended() const { return {text_, used_ + 1}; }
    void clear() { end_at(0); }

    void put(std::string_view text) {
        const std::size_t part = std::min(text.size(), Capacity - used_);
        std::memcpy(text_ + used_, text.data(), part);
        end_at(used_ + part);
    }
    // For at most kLongestNumber bytes.
    char* room(std::size_t /*size*/) { return text_ + used_; }
    void commit(const char* end) {
        end_at(std::min(static_cast<std::size_t>(end - text_), Capacity));
    }

private:
    void end_at(std::size_t used) {
        used_ = used;
        text_[used_] = End;
    }

    // Only the first used_ + 1 bytes are ever read; zeroing the rest buys nothing.
    // cppcheck-suppress uninitMemberVarPrivate
    char text_[Capacity + kLongestNumber];
    std::size_t used_ = 0;
};

}  // namespace matinv
