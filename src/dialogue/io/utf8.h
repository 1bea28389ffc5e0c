#pragma once

#include <cstddef>
#include <string_view>

namespace matinv {

// How many bytes a UTF-8 character that begins with `lead` takes: 1 for
// ASCII, 2 to 4, or 0 for a byte that begins none.
std::size_t utf8_length(unsigned char lead);

// The UTF-8 character that `bytes`, not empty, begins with. A length of 0
// means that its bytes are not UTF-8: overlong forms, surrogates and code
// points beyond Unicode are none either. `cut` means that `bytes` ends
// inside a character whose bytes are right so far, of the length given.
struct Utf8Character {
    char32_t code_point = 0;
    std::size_t length = 0;
    bool cut = false;
};
Utf8Character first_character(std::string_view bytes);

}  // namespace matinv
