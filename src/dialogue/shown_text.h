#pragma once

#include <cstddef>
#include <string_view>

namespace matinv {

// Text from the input or the command line, quoted and made safe to show on
// a terminal: at most kShownBytes bytes of it, with any byte that is not
// printable ASCII, and any quote or backslash, written as \xNN, and "..."
// after the closing quote when the text was longer.
class ShownText {
public:
    static constexpr std::size_t kShownBytes = 32;
    // How much of a text decides how it is shown: the bytes shown, and one
    // more for whether "..." follows. A caller need pass no more.
    static constexpr std::size_t kLookedAtBytes = kShownBytes + 1;

    ShownText() = default;  // shows nothing
    explicit ShownText(std::string_view text);

    std::string_view view() const { return {text_, length_}; }

private:
    char text_[kShownBytes * 4 + 8] = {};
    std::size_t length_ = 0;
};

}  // namespace matinv
